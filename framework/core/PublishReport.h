#pragma once

#include <string>

namespace kzt {

class TkztAppletAgent;

// The plain-text report that tells the author which files to upload.
class PublishReport
{
public:
    static std::string text(const TkztAppletAgent& agent);
};

} // namespace kzt
