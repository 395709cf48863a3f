#pragma once

#include <string>
#include <string_view>

namespace kzt {
class LineWriter;
class TkztAppletAgent;
}

namespace dulcamon {

// The page that loads the menu script and builds the menu from the items.
class DulcamonPage
{
public:
    static std::string generate(const kzt::TkztAppletAgent& agent);
    // The same into `out`, which may send it on as it grows.
    static void write(const kzt::TkztAppletAgent& agent, kzt::LineWriter& out);

    // A value as a double-quoted script string. Quotes and backslashes are
    // escaped and "</" and "<!--" are broken up, so no caption can end the
    // string, end the script block or hide it; every other byte stays as stored.
    static void appendQuoted(std::string& out, std::string_view value, std::string_view prefix = {});
    // The same without the quote marks around it.
    static void appendQuotedBody(std::string& out, std::string_view value);
};

} // namespace dulcamon
