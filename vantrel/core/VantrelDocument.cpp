#include "vantrel/core/VantrelDocument.h"

#include "AppletUtility.h"
#include "vantrel/core/VantrelFields.h"

namespace vantrel {

namespace {

// Blank edges go, reserved fields read "0", as the field table says.
void applyFieldKinds(kzt::TStringArray& fields, const std::vector<FieldDescription>& table)
{
    fields.resize(table.size());
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (table[i].kind == FieldKind::TrimmedText)
            fields[i] = kzt::Trim(fields[i]);
        else if (table[i].kind == FieldKind::Reserved)
            fields[i].assign(1, '0');
    }
}

void clearWidthWithoutBorder(kzt::TStringArray& fields, std::size_t width, std::size_t style)
{
    if (fields[style] == "0")
        fields[width].assign(1, '0');
}

} // namespace

kzt::TItemData VantrelDocument::NewItemData(const kzt::TkztAppletAgent& agent, const kzt::TreeNode* selected)
{
    if (!selected)
        selected = agent.tree().root();
    kzt::TItemData item = agent.GetDefaultItemData();
    const int depth = agent.tree().level(selected) + 1; // of the selected node, the root being 0
    item[Level] = std::to_string(depth);
    item[IX] = std::to_string((depth + 1) * 20);
    std::string visible = "1";
    if (const kzt::TreeNode* first = selected->firstChild())
        visible = agent.Items[agent.ItemIndexOf(first)][ItemInitVisible];
    else if (!selected->isRoot())
        visible = agent.Items[agent.ItemIndexOf(selected)][ItemInitVisible];
    item[ItemInitVisible] = visible;
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
        agent.Items[agent.ItemIndexOf(node)][ItemInitVisible].assign(1, '1');
        return "1";
    }
    if (!visible) {
        // The parent's first child up to its last descendant.
        const std::size_t first = tree.absoluteIndex(parent);
        const std::size_t end = tree.subtreeEnd(parent) - 1;
        for (std::size_t i = first; i < end; ++i)
            agent.Items[i][ItemInitVisible].assign(1, '0');
        return "0";
    }
    for (const kzt::TreeNode* group = parent; group; group = group->parent()) {
        for (std::size_t row = 0; row < group->childCount(); ++row)
            agent.Items[agent.ItemIndexOf(group->child(row))][ItemInitVisible].assign(1, '1');
    }
    return "1";
}

void VantrelDocument::CommitAppletRecord(kzt::TAppletData& applet)
{
    applyFieldKinds(applet.Fields, appletFieldDescriptions());
    clearWidthWithoutBorder(applet.Fields, ApBrdWidth, ApBrdStyle);
    clearWidthWithoutBorder(applet.Fields, ApLoadingBarBrdWidth, ApLoadingBarBrdStyle);
}

void VantrelDocument::CommitItemRecord(kzt::TItemData& item, int level)
{
    applyFieldKinds(item.Fields, itemFieldDescriptions());
    // The normal state plays no sound.
    item[ItNoBgSnd].clear();
    for (std::size_t state : kStates)
        clearWidthWithoutBorder(item.Fields, state + BrdWidth, state + BrdStyle);
    item[Level] = std::to_string(level);
    item[StyleIndex].clear();
}

void VantrelDocument::StoreItemRecord(kzt::TkztAppletAgent& agent, const kzt::TreeNode* node, kzt::TItemData item)
{
    if (!node || node->isRoot())
        return;
    CommitItemRecord(item, agent.tree().level(node));
    const std::size_t index = agent.ItemIndexOf(node);
    const std::string caption = item[ICaption];
    agent.SetItemData(index, item);
    agent.SetCaption(index, caption);
}

} // namespace vantrel
