#pragma once

#include "Status.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

namespace kzt {

class TkztAppletAgent;

// Where a product keeps the values a menu structure file carries. Caption and
// level come from the product's ProductInfo; the product names the rest.
struct MenuStructureMapping
{
    std::size_t urlField = 0;
    std::size_t targetField = 0;
    // A product without descriptions writes the field empty and ignores it
    // on import.
    std::optional<std::size_t> descriptionField;
};

// The general menu structure file (".gms") exchanged between the script-menu
// builders: the bare item tree with captions, links, targets and
// descriptions, every field followed by "#$@".
class StructureFileFormat
{
public:
    // Writes the item tree; the levels are refreshed from the tree first.
    static Status ExportMenuStructure(TkztAppletAgent& agent, const MenuStructureMapping& mapping,
                                      const std::filesystem::path& path);
    static Status render(TkztAppletAgent& agent, const MenuStructureMapping& mapping, std::string& contents);

    // Replaces the document with the file's menu; every appearance value
    // comes from the product's defaults. On any failure the document is a
    // fresh one (defaults, no items), so records and tree always agree.
    static Status ImportMenuStructure(TkztAppletAgent& agent, const MenuStructureMapping& mapping,
                                      const std::filesystem::path& path);
    static Status importText(TkztAppletAgent& agent, const MenuStructureMapping& mapping,
                             const std::string& contents);

    // The path with ".gms" appended unless it already ends in it (any case).
    static std::string withStructureExtension(const std::string& path);

    static std::string foreignFormatMessage();
    static std::string formatName();
};

} // namespace kzt
