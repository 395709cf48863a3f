#pragma once

#include <string>

namespace kzt {
class TkztAppletAgent;
}

namespace osmerin {

// The publish report: the applet's files, then the image and text files of
// the items whose content type uses them, one line per item.
class OsmerinReport
{
public:
    static std::string text(const kzt::TkztAppletAgent& agent);
};

} // namespace osmerin
