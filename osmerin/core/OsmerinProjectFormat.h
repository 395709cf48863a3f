#pragma once

#include "ProjectFileFormat.h"

#include <cstdint>
#include <string>

namespace osmerin {

// The ".osn" project file: a note and a general description, the tree in its
// text form (one line per node, a TAB per level), the 27 applet values, the
// item count and 19 values per item, one value per line between marker
// lines.
class OsmerinProjectFormat : public kzt::ProjectFormat
{
public:
    // A file is refused whole, with a message naming what is wrong, when a
    // section ends early, the count is not a number or disagrees with the
    // tree, or the tree's lines do not describe one root with its subtree.
    kzt::Status readText(kzt::TkztAppletAgent& agent, const std::string& contents) const override;
    // Reads the file a line at a time; the same document as readText() makes.
    kzt::Status read(kzt::TkztAppletAgent& agent, const std::filesystem::path& path) const override;
    void writeLines(const kzt::TkztAppletAgent& agent, kzt::LineWriter& out) const override;
    // Only a line break is refused: every value is one line of the file.
    // An item text may hold "#$@", which its own joiner contains.
    kzt::Status checkStorable(const kzt::TkztAppletAgent& agent) const override;

    static const OsmerinProjectFormat& instance();

    static const char* const kStructureStart;
    static const char* const kStructureEnd;
    static const char* const kAppletStart;
    static const char* const kAppletEnd;
    static const char* const kItemStart;
    static const char* const kItemEnd;

private:
    template <typename Source>
    static kzt::Status parse(kzt::TkztAppletAgent& agent, Source& source, std::uint64_t fileBytes);
};

} // namespace osmerin
