#pragma once

#include "Records.h"
#include "StructureFileFormat.h"
#include "TextEncoding.h"

#include <QString>

#include <filesystem>
#include <optional>
#include <vector>

class QMimeData;

namespace kzt {

class TkztAppletAgent;
class TreeNode;

// Items with their sub-items on the system clipboard: in a type of the
// program (every field, as its bytes) and, for products that exchange menu
// structures, as menu structure text, so the menus of both script-menu
// programs paste into each other. The preview folder of the window copied
// from travels along, so pasting can stage the items' pictures.
class ItemClipboard
{
public:
    struct Items
    {
        TItemArray records;
        std::vector<int> relativeLevels; // one subtree each time a 0 starts one
        std::filesystem::path sourcePreviewDir;
    };

    // The program's own type ("application/x-dulcamon-items").
    static QString mimeType(const TkztAppletAgent& agent);
    static QString structureMimeType();

    static QMimeData* copy(const TkztAppletAgent& agent, const TreeNode* node,
                           const std::optional<MenuStructureMapping>& mapping);
    // What the clipboard holds for this document: the program's own items,
    // else a menu structure read as an import reads it. Texts come in the
    // document's encoding; nothing when there is nothing to paste, `refusal`
    // set when a text cannot be stored in that encoding.
    static std::optional<Items> read(const QMimeData* data, const TkztAppletAgent& agent,
                                     const std::optional<MenuStructureMapping>& mapping, TextEncoding encoding,
                                     QString* refusal);
};

} // namespace kzt
