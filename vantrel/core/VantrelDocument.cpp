#include "vantrel/core/VantrelDocument.h"

#include "AppletUtility.h"
#include "vantrel/core/VantrelFields.h"

namespace vantrel {

namespace {

// Blank edges go, reserved fields read "0", as the field table says.
void applyFieldKinds(kzt::TFieldRecord& fields, const std::vector<FieldDescription>& table)
{
    fields.resize(table.size());
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (table[i].kind == FieldKind::TrimmedText)
            fields.set(i, kzt::Trim(fields.get(i)));
        else if (table[i].kind == FieldKind::Reserved)
            fields.set(i, "0");
    }
}

void clearWidthWithoutBorder(kzt::TFieldRecord& fields, std::size_t width, std::size_t style)
{
    if (fields.get(style) == "0")
        fields.set(width, "0");
}

} // namespace

kzt::TItemData VantrelDocument::NewItemData(const kzt::TkztAppletAgent& agent, const kzt::TreeNode* selected)
{
    if (!selected)
        selected = agent.tree().root();
    kzt::TItemData item = agent.GetDefaultItemData();
    const int depth = agent.tree().level(selected) + 1; // of the selected node, the root being 0
    item.set(Level, std::to_string(depth));
    item.set(IX, std::to_string((depth + 1) * 20));
    std::string visible = "1";
    if (const kzt::TreeNode* first = selected->firstChild())
        visible = agent.Items[agent.ItemIndexOf(first)].get(ItemInitVisible);
    else if (!selected->isRoot())
        visible = agent.Items[agent.ItemIndexOf(selected)].get(ItemInitVisible);
    item.set(ItemInitVisible, visible);
    return item;
}

kzt::TreeNode* VantrelDocument::InsertItem(kzt::TkztAppletAgent& agent, kzt::TreeNode* selected)
{
    kzt::TItemData item = NewItemData(agent, selected);
    kzt::TreeNode* node = agent.InsertItem(selected ? selected : agent.tree().root());
    agent.SetItemData(agent.ItemIndexOf(node), item);
    return node;
}

std::string VantrelDocument::SetInitVisibility(kzt::TkztAppletAgent& agent, const kzt::TreeNode* node, bool visible)
{
    if (!node || node->isRoot())
        return "1";
    const kzt::ItemTree& tree = agent.tree();
    const kzt::TreeNode* parent = node->parent();
    if (parent->isRoot()) {
        agent.noteItemAboutToChange(agent.ItemIndexOf(node));
        agent.Items[agent.ItemIndexOf(node)].set(ItemInitVisible, "1");
        return "1";
    }
    if (!visible) {
        // The parent's first child up to its last descendant.
        const std::size_t first = tree.absoluteIndex(parent);
        const std::size_t end = tree.subtreeEnd(parent) - 1;
        for (std::size_t i = first; i < end; ++i) {
            agent.noteItemAboutToChange(i);
            agent.Items[i].set(ItemInitVisible, "0");
        }
        return "0";
    }
    for (const kzt::TreeNode* group = parent; group; group = group->parent()) {
        for (std::size_t row = 0; row < group->childCount(); ++row) {
            const std::size_t index = agent.ItemIndexOf(group->child(row));
            agent.noteItemAboutToChange(index);
            agent.Items[index].set(ItemInitVisible, "1");
        }
    }
    return "1";
}

void VantrelDocument::CommitAppletRecord(kzt::TAppletData& applet)
{
    applyFieldKinds(applet, appletFieldDescriptions());
    clearWidthWithoutBorder(applet, ApBrdWidth, ApBrdStyle);
    clearWidthWithoutBorder(applet, ApLoadingBarBrdWidth, ApLoadingBarBrdStyle);
}

void VantrelDocument::CommitItemRecord(kzt::TItemData& item, int level)
{
    applyFieldKinds(item, itemFieldDescriptions());
    // The normal state plays no sound.
    item.set(ItNoBgSnd, {});
    for (std::size_t state : kStates)
        clearWidthWithoutBorder(item, state + BrdWidth, state + BrdStyle);
    item.set(Level, std::to_string(level));
    item.set(StyleIndex, {});
}

void VantrelDocument::StoreItemRecord(kzt::TkztAppletAgent& agent, const kzt::TreeNode* node, kzt::TItemData item)
{
    if (!node || node->isRoot())
        return;
    CommitItemRecord(item, agent.tree().level(node));
    const std::size_t index = agent.ItemIndexOf(node);
    const std::string caption(item.get(ICaption));
    agent.SetItemData(index, item);
    agent.SetCaption(index, caption);
}

} // namespace vantrel
