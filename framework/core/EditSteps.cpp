#include "EditSteps.h"

#include "AppletAgent.h"
#include "TreeNode.h"

#include <algorithm>
#include <iterator>

namespace kzt {

namespace {

std::size_t recordBytes(const TFieldRecord& record)
{
    return sizeof(TFieldRecord) + record.allocatedBytes();
}

std::size_t stringBytes(const std::string& text)
{
    return sizeof(std::string) + (text.capacity() > 15 ? text.capacity() + 1 : 0);
}

} // namespace

// ---- RecordStep

RecordStep::RecordStep(std::string name, std::optional<std::pair<TAppletData, TAppletData>> applet,
                       std::vector<ItemValues> items)
    : EditStep(std::move(name)), m_applet(std::move(applet)), m_items(std::move(items))
{
    std::sort(m_items.begin(), m_items.end(),
              [](const ItemValues& a, const ItemValues& b) { return a.index < b.index; });
}

void RecordStep::undo(TkztAppletAgent& agent)
{
    apply(agent, false);
}

void RecordStep::redo(TkztAppletAgent& agent)
{
    apply(agent, true);
}

void RecordStep::apply(TkztAppletAgent& agent, bool after)
{
    if (m_applet) {
        agent.AppletData = after ? m_applet->second : m_applet->first;
        agent.announceAppletChanged();
    }
    const std::size_t captionField = agent.info().captionField;
    for (const ItemValues& values : m_items) {
        if (values.index >= agent.Items.size())
            continue;
        const TItemData& record = after ? values.after : values.before;
        agent.Items[values.index] = record;
        if (TreeNode* node = agent.NodeOfItem(values.index))
            agent.tree().setText(node, std::string(record.get(captionField)));
    }
    // One announcement per run of neighbouring items.
    for (std::size_t i = 0; i < m_items.size();) {
        std::size_t end = i + 1;
        while (end < m_items.size() && m_items[end].index == m_items[end - 1].index + 1)
            ++end;
        agent.announceItemsChanged(m_items[i].index, end - i);
        i = end;
    }
}

std::size_t RecordStep::memoryBytes() const
{
    std::size_t bytes = m_items.capacity() * sizeof(ItemValues);
    for (const ItemValues& values : m_items)
        bytes += values.before.allocatedBytes() + values.after.allocatedBytes();
    if (m_applet)
        bytes += recordBytes(m_applet->first) + recordBytes(m_applet->second);
    return bytes;
}

std::size_t RecordStep::focusAfterUndo() const
{
    // An item's panel shows the change; the applet record's is the root's.
    return m_items.empty() ? 0 : m_items.front().index + 1;
}

// ---- RecordRecorder

RecordRecorder::RecordRecorder(TkztAppletAgent& agent) : m_agent(agent)
{
    m_agent.setRecordJournal(this);
}

RecordRecorder::~RecordRecorder()
{
    if (m_agent.recordJournal() == this)
        m_agent.setRecordJournal(nullptr);
}

void RecordRecorder::appletAboutToChange()
{
    if (m_paused == 0 && !m_applet)
        m_applet = m_agent.AppletData;
}

void RecordRecorder::itemAboutToChange(std::size_t index)
{
    if (m_paused == 0 && index < m_agent.Items.size() && !m_items.contains(index))
        m_items.emplace(index, m_agent.Items[index]);
}

std::unique_ptr<RecordStep> RecordRecorder::take(std::string name)
{
    std::optional<std::pair<TAppletData, TAppletData>> applet;
    if (m_applet && !(*m_applet == m_agent.AppletData))
        applet.emplace(std::move(*m_applet), m_agent.AppletData);
    // Derived fields (the level, numbering) are refreshed before every
    // output: a commit that only clears or rewrites them changed nothing the
    // author made.
    const ProductInfo& info = m_agent.info();
    const auto differs = [&](const TItemData& before, const TItemData& after) {
        if (before.size() != after.size())
            return true;
        for (std::size_t f = 0; f < before.size(); ++f) {
            const bool derived = (info.hasLevelField && f == info.levelField)
                                 || std::find(info.derivedItemFields.begin(), info.derivedItemFields.end(), f)
                                        != info.derivedItemFields.end();
            if (!derived && before.get(f) != after.get(f))
                return true;
        }
        return false;
    };
    std::vector<RecordStep::ItemValues> items;
    for (auto& [index, before] : m_items) {
        if (index < m_agent.Items.size() && differs(before, m_agent.Items[index]))
            items.push_back({index, std::move(before), m_agent.Items[index]});
    }
    discard();
    if (!applet && items.empty())
        return nullptr;
    return std::make_unique<RecordStep>(std::move(name), std::move(applet), std::move(items));
}

void RecordRecorder::discard()
{
    m_applet.reset();
    m_items.clear();
}

// ---- SubtreeStep

SubtreeStep::SubtreeStep(std::string name, std::size_t parent, std::size_t row, bool insertedByRedo)
    : EditStep(std::move(name)), m_parent(parent), m_row(row), m_insertedByRedo(insertedByRedo)
{
}

std::unique_ptr<SubtreeStep> SubtreeStep::inserted(std::string name, TkztAppletAgent& agent, const TreeNode* top)
{
    if (!top || top->isRoot())
        return nullptr;
    const ItemTree& tree = agent.tree();
    std::unique_ptr<SubtreeStep> step(
        new SubtreeStep(std::move(name), tree.absoluteIndex(top->parent()), top->row(), true));
    step->m_topIndex = tree.absoluteIndex(top);
    return step;
}

std::unique_ptr<SubtreeStep> SubtreeStep::remove(std::string name, TkztAppletAgent& agent, TreeNode* top)
{
    if (!top || top->isRoot())
        return nullptr;
    const ItemTree& tree = agent.tree();
    std::unique_ptr<SubtreeStep> step(
        new SubtreeStep(std::move(name), tree.absoluteIndex(top->parent()), top->row(), false));
    step->takeOut(agent);
    return step;
}

void SubtreeStep::undo(TkztAppletAgent& agent)
{
    if (m_insertedByRedo)
        takeOut(agent);
    else
        putBack(agent);
}

void SubtreeStep::redo(TkztAppletAgent& agent)
{
    if (m_insertedByRedo)
        putBack(agent);
    else
        takeOut(agent);
}

void SubtreeStep::takeOut(TkztAppletAgent& agent)
{
    ItemTree& tree = agent.tree();
    TreeNode* parent = tree.nodeAt(m_parent);
    if (!parent || m_row >= parent->childCount())
        return;
    TreeNode* top = parent->child(m_row);
    m_topIndex = tree.absoluteIndex(top);
    const std::size_t first = m_topIndex - 1;
    const std::size_t count = tree.countDescendants(top) + 1;
    m_nodes = tree.detachSubtree(top, [&] {
        const auto begin = agent.Items.begin() + static_cast<std::ptrdiff_t>(first);
        const auto end = begin + static_cast<std::ptrdiff_t>(std::min(count, agent.Items.size() - first));
        m_records.assign(std::make_move_iterator(begin), std::make_move_iterator(end));
        agent.Items.erase(begin, end);
    });
}

void SubtreeStep::putBack(TkztAppletAgent& agent)
{
    ItemTree& tree = agent.tree();
    TreeNode* parent = tree.nodeAt(m_parent);
    if (!parent || m_nodes.empty())
        return;
    const std::size_t row = std::min(m_row, parent->childCount());
    const std::size_t position = row < parent->childCount() ? tree.absoluteIndex(parent->child(row)) - 1
                                                            : tree.subtreeEnd(parent) - 1;
    const std::size_t count = m_records.size();
    TreeNode* top = tree.attachSubtree(parent, row, std::move(m_nodes), [&] {
        agent.Items.insert(agent.Items.begin() + static_cast<std::ptrdiff_t>(position),
                           std::make_move_iterator(m_records.begin()), std::make_move_iterator(m_records.end()));
    });
    m_records.clear();
    m_records.shrink_to_fit();
    if (top) {
        m_topIndex = tree.absoluteIndex(top);
        agent.announceItemsChanged(position, count);
    }
}

std::size_t SubtreeStep::memoryBytes() const
{
    std::size_t bytes = m_records.capacity() * sizeof(TItemData) + m_nodes.allocatedBytes();
    for (const TItemData& record : m_records)
        bytes += record.allocatedBytes();
    return bytes;
}

// ---- MoveStep

std::unique_ptr<MoveStep> MoveStep::perform(std::string name, TkztAppletAgent& agent, TreeNode* node, bool up)
{
    if (!node || node->isRoot() || !(up ? node->previousSibling() : node->nextSibling()))
        return nullptr;
    std::unique_ptr<MoveStep> step(
        new MoveStep(std::move(name), agent.tree().absoluteIndex(node->parent()), node->row(), up));
    step->m_focusBefore = agent.tree().absoluteIndex(node);
    step->move(agent, true);
    step->m_focusAfter = agent.tree().absoluteIndex(node);
    return step;
}

void MoveStep::undo(TkztAppletAgent& agent)
{
    move(agent, false);
}

void MoveStep::redo(TkztAppletAgent& agent)
{
    move(agent, true);
}

void MoveStep::move(TkztAppletAgent& agent, bool forward)
{
    TreeNode* parent = agent.tree().nodeAt(m_parent);
    if (!parent)
        return;
    // Forward, the item still stands at its old row; back, it stands one row
    // up or down from there and moves the other way.
    const std::size_t row = forward ? m_row : (m_up ? m_row - 1 : m_row + 1);
    if (row >= parent->childCount())
        return;
    TreeNode* node = parent->child(row);
    if (forward == m_up)
        agent.MoveItemUp(node);
    else
        agent.MoveItemDown(node);
}

// ---- DocumentStep

DocumentStep::DocumentStep(std::string name, const TkztAppletAgent& agent)
    : EditStep(std::move(name)), m_applet(agent.AppletData), m_items(agent.Items),
      m_productVersion(agent.ProductVersion)
{
    const ItemTree& tree = agent.tree();
    const auto& order = tree.order();
    m_texts.reserve(order.size());
    m_levels.reserve(order.size());
    for (const TreeNode* node : order) {
        m_texts.push_back(node->text());
        if (!node->isRoot())
            m_levels.push_back(tree.level(node));
    }
}

void DocumentStep::swap(TkztAppletAgent& agent)
{
    // Take the document as it stands, then build the one held here.
    DocumentStep current(name(), agent);
    ItemTree& tree = agent.tree();
    agent.AppletData = std::move(m_applet);
    agent.Items = std::move(m_items);
    agent.ProductVersion = std::move(m_productVersion);
    tree.reset(m_texts.empty() ? agent.info().rootNodeText() : m_texts.front());
    tree.beginBulkLoad();
    std::vector<TreeNode*> path{tree.root()};
    for (std::size_t i = 0; i < m_levels.size() && i + 1 < m_texts.size(); ++i) {
        const auto level = static_cast<std::size_t>(std::clamp(m_levels[i], 0, static_cast<int>(path.size()) - 1));
        path.resize(level + 1);
        path.push_back(tree.appendChildSilently(path.back(), std::move(m_texts[i + 1])));
    }
    tree.endBulkLoad();
    m_applet = std::move(current.m_applet);
    m_items = std::move(current.m_items);
    m_texts = std::move(current.m_texts);
    m_levels = std::move(current.m_levels);
    m_productVersion = std::move(current.m_productVersion);
    agent.announceRecordsReplaced();
}

std::size_t DocumentStep::memoryBytes() const
{
    std::size_t bytes = recordBytes(m_applet) + m_items.capacity() * sizeof(TItemData)
                        + m_levels.capacity() * sizeof(int) + m_texts.capacity() * sizeof(std::string);
    for (const TItemData& record : m_items)
        bytes += record.allocatedBytes();
    for (const std::string& text : m_texts)
        bytes += stringBytes(text) - sizeof(std::string);
    return bytes;
}

// ---- StepGroup

StepGroup::StepGroup(std::string name, std::vector<std::unique_ptr<EditStep>> steps)
    : EditStep(std::move(name)), m_steps(std::move(steps))
{
    std::erase(m_steps, nullptr);
}

void StepGroup::undo(TkztAppletAgent& agent)
{
    for (auto it = m_steps.rbegin(); it != m_steps.rend(); ++it)
        (*it)->undo(agent);
}

void StepGroup::redo(TkztAppletAgent& agent)
{
    for (auto& step : m_steps)
        step->redo(agent);
}

std::size_t StepGroup::memoryBytes() const
{
    std::size_t bytes = 0;
    for (const auto& step : m_steps)
        bytes += step->memoryBytes();
    return bytes;
}

std::size_t StepGroup::focusAfterUndo() const
{
    return m_steps.empty() ? 0 : m_steps.front()->focusAfterUndo();
}

std::size_t StepGroup::focusAfterRedo() const
{
    return m_steps.empty() ? 0 : m_steps.back()->focusAfterRedo();
}

} // namespace kzt
