#include "DocumentText.h"

#include "AppletAgent.h"

namespace kzt {

namespace {

bool recordIsUtf8(const TFieldRecord& record)
{
    for (std::size_t f = 0; f < record.size(); ++f) {
        if (!IsUtf8(record.get(f)))
            return false;
    }
    return true;
}

std::size_t convertRecord(TFieldRecord& record)
{
    std::size_t changed = 0;
    for (std::size_t f = 0; f < record.size(); ++f) {
        const std::string_view bytes = record.get(f);
        if (IsUtf8(bytes))
            continue;
        record.set(f, Windows1252ToUtf8(bytes));
        ++changed;
    }
    return changed;
}

} // namespace

TextEncoding DocumentEncoding(const TkztAppletAgent& agent)
{
    if (!recordIsUtf8(agent.AppletData))
        return TextEncoding::Windows1252;
    for (const TItemData& item : agent.Items) {
        if (!recordIsUtf8(item))
            return TextEncoding::Windows1252;
    }
    for (const TreeNode* node : agent.tree().order()) {
        if (!IsUtf8(node->text()))
            return TextEncoding::Windows1252;
    }
    return TextEncoding::Utf8;
}

std::size_t ConvertDocumentToUtf8(TkztAppletAgent& agent)
{
    std::size_t changed = convertRecord(agent.AppletData);
    for (TItemData& item : agent.Items)
        changed += convertRecord(item);
    // Node texts are copies of record fields; the tree is told of each change.
    for (TreeNode* node : agent.tree().order()) {
        if (!IsUtf8(node->text()))
            agent.tree().setText(node, Windows1252ToUtf8(node->text()));
    }
    return changed;
}

} // namespace kzt
