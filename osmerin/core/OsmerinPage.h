#pragma once

#include <string>

namespace kzt {
class LineWriter;
class TkztAppletAgent;
}

namespace osmerin {

// The page that embeds the news box applet: six fixed lines and one
// parameter line per item.
class OsmerinPage
{
public:
    static std::string generate(const kzt::TkztAppletAgent& agent);
    // The same into `page`, which may send it on as it grows.
    static void write(const kzt::TkztAppletAgent& agent, kzt::LineWriter& page);

    // The script that draws the news box in browsers without Java; the page
    // loads it after the applet while the agent's ScriptRuntime is on.
    static constexpr const char* kBrowserRuntime = "osmeral.js";

    // The value of the "Copyright" parameter the applet expects.
    static const char* const kCopyrightNotice;
};

} // namespace osmerin
