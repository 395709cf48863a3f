#pragma once

#include "Records.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace kzt {
class LineWriter;
class TkztAppletAgent;
}

namespace kestravo {

// The page with the drop-down form, and the style sheet it links.
class KestravoPage
{
public:
    // The page for the current records; levels come from the tree.
    static std::string generate(const kzt::TkztAppletAgent& agent);
    // The same into `out`, which may send it on as it grows.
    static void write(const kzt::TkztAppletAgent& agent, kzt::LineWriter& out);

    // At least the page's size in bytes, found without making it: each
    // option repeats the indent once per level, so a deeply nested menu
    // makes a page far larger than its project.
    static std::uint64_t sizeBound(const kzt::TkztAppletAgent& agent);

    // The five lines of "brevanekvrst.css".
    static std::string styleSheet(const kzt::TAppletData& menu);

    // An item's link as the page carries it: one site root replaced by the
    // other when both roots are set, in the direction the menu chooses.
    static std::string convertPath(std::string_view url, const kzt::TAppletData& menu);

    // Every occurrence of `from`, compared without regard to ASCII letter
    // case, replaced by `to`, left to right.
    static std::string replaceIgnoringCase(std::string_view text, std::string_view from, std::string_view to);
};

} // namespace kestravo
