#include "ItemTree.h"

#include "ItemTreeListener.h"

#include <algorithm>
#include <cassert>

namespace kzt {

TreeNode* TreeNode::previousSibling() const
{
    if (!m_parent || m_row == 0)
        return nullptr;
    return m_parent->m_children[m_row - 1];
}

TreeNode* TreeNode::nextSibling() const
{
    if (!m_parent || m_row + 1 >= m_parent->m_children.size())
        return nullptr;
    return m_parent->m_children[m_row + 1];
}

DetachedSubtree::DetachedSubtree(DetachedSubtree&& other) noexcept : m_top(other.m_top), m_count(other.m_count)
{
    other.m_top = nullptr;
    other.m_count = 0;
}

DetachedSubtree& DetachedSubtree::operator=(DetachedSubtree&& other) noexcept
{
    if (this != &other) {
        ItemTree::destroy(m_top);
        m_top = other.m_top;
        m_count = other.m_count;
        other.m_top = nullptr;
        other.m_count = 0;
    }
    return *this;
}

DetachedSubtree::~DetachedSubtree()
{
    ItemTree::destroy(m_top);
}

TreeNode* DetachedSubtree::release()
{
    TreeNode* top = m_top;
    m_top = nullptr;
    m_count = 0;
    return top;
}

std::size_t DetachedSubtree::allocatedBytes() const
{
    std::size_t bytes = 0;
    std::vector<const TreeNode*> pending;
    if (m_top)
        pending.push_back(m_top);
    while (!pending.empty()) {
        const TreeNode* n = pending.back();
        pending.pop_back();
        bytes += sizeof(TreeNode) + n->m_children.capacity() * sizeof(TreeNode*);
        if (n->m_text.capacity() > 15)
            bytes += n->m_text.capacity() + 1;
        pending.insert(pending.end(), n->m_children.begin(), n->m_children.end());
    }
    return bytes;
}

ItemTree::ItemTree()
{
    m_root = new TreeNode;
    m_count = 1;
}

ItemTree::~ItemTree()
{
    destroy(m_root);
}

void ItemTree::addListener(ItemTreeListener* listener)
{
    if (listener && std::find(m_listeners.begin(), m_listeners.end(), listener) == m_listeners.end())
        m_listeners.push_back(listener);
}

void ItemTree::removeListener(ItemTreeListener* listener)
{
    if (!listener)
        return;
    const auto it = std::find(m_listeners.begin(), m_listeners.end(), listener);
    if (it == m_listeners.end())
        return;
    // While listeners are being told, the slot is only emptied, so the loop
    // in tell() keeps its place; the list is compacted afterwards.
    if (m_telling > 0)
        *it = nullptr;
    else
        m_listeners.erase(it);
}

template <typename Call>
void ItemTree::tell(Call call)
{
    ++m_telling;
    // Listeners added while telling hear from the next change on.
    const std::size_t count = m_listeners.size();
    for (std::size_t i = 0; i < count; ++i) {
        if (m_listeners[i])
            call(*m_listeners[i]);
    }
    if (--m_telling == 0)
        std::erase(m_listeners, nullptr);
}

// Iterative, so a tree thousands of levels deep cannot exhaust the stack.
std::size_t ItemTree::destroy(TreeNode* node)
{
    std::size_t destroyed = 0;
    std::vector<TreeNode*> pending;
    if (node)
        pending.push_back(node);
    while (!pending.empty()) {
        TreeNode* n = pending.back();
        pending.pop_back();
        pending.insert(pending.end(), n->m_children.begin(), n->m_children.end());
        delete n;
        ++destroyed;
    }
    return destroyed;
}

void ItemTree::reset(std::string rootText)
{
    tell([&](ItemTreeListener& l) { l.treeAboutToBeReset(); });
    destroy(m_root);
    m_root = new TreeNode;
    m_root->m_text = std::move(rootText);
    m_count = 1;
    m_orderValid = false;
    tell([&](ItemTreeListener& l) { l.treeReset(); });
}

void ItemTree::ensureOrder() const
{
    if (m_orderValid)
        return;
    m_order.clear();
    m_order.reserve(m_count);
    std::vector<TreeNode*> stack{m_root};
    m_root->m_depth = 0;
    while (!stack.empty()) {
        TreeNode* n = stack.back();
        stack.pop_back();
        n->m_index = static_cast<std::uint32_t>(m_order.size());
        n->m_size = 1;
        m_order.push_back(n);
        for (auto it = n->m_children.rbegin(); it != n->m_children.rend(); ++it) {
            (*it)->m_depth = n->m_depth + 1;
            stack.push_back(*it);
        }
    }
    // Children follow their parent in depth-first order, so one backward
    // pass sums every subtree.
    for (auto it = m_order.rbegin(); it != m_order.rend(); ++it) {
        if ((*it)->m_parent)
            (*it)->m_parent->m_size += (*it)->m_size;
    }
    assert(m_order.size() == m_count);
    m_orderValid = true;
}

const std::vector<TreeNode*>& ItemTree::order() const
{
    ensureOrder();
    return m_order;
}

std::size_t ItemTree::absoluteIndex(const TreeNode* node) const
{
    ensureOrder();
    return node->m_index;
}

TreeNode* ItemTree::nodeAt(std::size_t absoluteIndex) const
{
    ensureOrder();
    return absoluteIndex < m_order.size() ? m_order[absoluteIndex] : nullptr;
}

std::size_t ItemTree::subtreeEnd(const TreeNode* node) const
{
    ensureOrder();
    return node->m_index + node->m_size;
}

std::size_t ItemTree::countDescendants(const TreeNode* node) const
{
    ensureOrder();
    return node->m_size - 1;
}

int ItemTree::level(const TreeNode* node) const
{
    ensureOrder();
    return node->m_depth - 1;
}

void ItemTree::renumberRows(TreeNode* parent, std::size_t from)
{
    for (std::size_t i = from; i < parent->m_children.size(); ++i)
        parent->m_children[i]->m_row = static_cast<std::uint32_t>(i);
}

TreeNode* ItemTree::newChild(TreeNode* parent, std::string text)
{
    auto* node = new TreeNode;
    node->m_parent = parent;
    node->m_text = std::move(text);
    node->m_row = static_cast<std::uint32_t>(parent->m_children.size());
    parent->m_children.push_back(node);
    return node;
}

TreeNode* ItemTree::appendChildSilently(TreeNode* parent, std::string text)
{
    TreeNode* node = newChild(parent, std::move(text));
    ++m_count;
    m_orderValid = false;
    return node;
}

TreeNode* ItemTree::appendChild(TreeNode* parent, std::string text, const Alongside& alongside)
{
    tell([&](ItemTreeListener& l) { l.nodeAboutToBeInserted(parent, parent->m_children.size()); });
    if (alongside)
        alongside();
    TreeNode* node = appendChildSilently(parent, std::move(text));
    tell([&](ItemTreeListener& l) { l.nodeInserted(node); });
    return node;
}

bool ItemTree::isSubtreeShape(const std::vector<int>& relativeLevels)
{
    if (relativeLevels.empty() || relativeLevels.front() != 0)
        return false;
    for (std::size_t i = 1; i < relativeLevels.size(); ++i) {
        if (relativeLevels[i] < 1 || relativeLevels[i] > relativeLevels[i - 1] + 1)
            return false;
    }
    return true;
}

TreeNode* ItemTree::appendSubtree(TreeNode* parent, const std::vector<std::string>& texts,
                                  const std::vector<int>& relativeLevels, const Alongside& alongside)
{
    if (!parent || texts.size() != relativeLevels.size() || !isSubtreeShape(relativeLevels))
        return nullptr;
    tell([&](ItemTreeListener& l) { l.nodeAboutToBeInserted(parent, parent->m_children.size()); });
    if (alongside)
        alongside();
    TreeNode* top = appendChildSilently(parent, texts.front());
    // path[d] is the latest node at relative depth d.
    std::vector<TreeNode*> path{top};
    for (std::size_t i = 1; i < texts.size(); ++i) {
        const auto depth = static_cast<std::size_t>(relativeLevels[i]);
        path.resize(depth);
        path.push_back(appendChildSilently(path.back(), texts[i]));
    }
    tell([&](ItemTreeListener& l) { l.nodeInserted(top); });
    return top;
}

void ItemTree::beginBulkLoad()
{
    tell([&](ItemTreeListener& l) { l.treeAboutToBeReset(); });
}

void ItemTree::endBulkLoad()
{
    m_orderValid = false;
    tell([&](ItemTreeListener& l) { l.treeReset(); });
}

std::pair<TreeNode*, std::size_t> ItemTree::unlink(TreeNode* node, const Alongside& alongside)
{
    tell([&](ItemTreeListener& l) { l.nodeAboutToBeRemoved(node); });
    if (alongside)
        alongside();
    TreeNode* parent = node->m_parent;
    const std::size_t row = node->m_row;
    parent->m_children.erase(parent->m_children.begin() + static_cast<std::ptrdiff_t>(row));
    renumberRows(parent, row);
    return {parent, row};
}

void ItemTree::removeSubtree(TreeNode* node, const Alongside& alongside)
{
    if (!node || node == m_root)
        return;
    const auto unlinked = unlink(node, alongside);
    TreeNode* const parent = unlinked.first;
    const std::size_t row = unlinked.second;
    m_count -= destroy(node);
    m_orderValid = false;
    tell([&](ItemTreeListener& l) { l.nodeRemoved(parent, row); });
}

DetachedSubtree ItemTree::detachSubtree(TreeNode* node, const Alongside& alongside)
{
    if (!node || node == m_root)
        return {};
    const std::size_t count = countDescendants(node) + 1;
    const auto unlinked = unlink(node, alongside);
    TreeNode* const parent = unlinked.first;
    const std::size_t row = unlinked.second;
    node->m_parent = nullptr;
    m_count -= count;
    m_orderValid = false;
    tell([&](ItemTreeListener& l) { l.nodeRemoved(parent, row); });
    return DetachedSubtree(node, count);
}

TreeNode* ItemTree::attachSubtree(TreeNode* parent, std::size_t row, DetachedSubtree subtree,
                                  const Alongside& alongside)
{
    if (!parent || subtree.empty())
        return nullptr;
    row = std::min(row, parent->m_children.size());
    tell([&](ItemTreeListener& l) { l.nodeAboutToBeInserted(parent, row); });
    if (alongside)
        alongside();
    const std::size_t count = subtree.count();
    TreeNode* top = subtree.release();
    top->m_parent = parent;
    parent->m_children.insert(parent->m_children.begin() + static_cast<std::ptrdiff_t>(row), top);
    renumberRows(parent, row);
    m_count += count;
    m_orderValid = false;
    tell([&](ItemTreeListener& l) { l.nodeInserted(top); });
    return top;
}

DetachedSubtree ItemTree::buildSubtree(const std::vector<std::string>& texts, const std::vector<int>& relativeLevels)
{
    if (texts.size() != relativeLevels.size() || !isSubtreeShape(relativeLevels))
        return {};
    auto* top = new TreeNode;
    top->m_text = texts.front();
    // path[d] is the latest node at relative depth d.
    std::vector<TreeNode*> path{top};
    for (std::size_t i = 1; i < texts.size(); ++i) {
        path.resize(static_cast<std::size_t>(relativeLevels[i]));
        path.push_back(newChild(path.back(), texts[i]));
    }
    return DetachedSubtree(top, texts.size());
}

void ItemTree::moveBefore(TreeNode* node, TreeNode* before, const Alongside& alongside)
{
    if (!node || !before || node == before || node->m_parent != before->m_parent)
        return;
    TreeNode* parent = node->m_parent;
    const std::size_t from = node->m_row;
    const std::size_t to = before->m_row;
    tell([&](ItemTreeListener& l) { l.nodeAboutToBeMoved(parent, from, to); });
    if (alongside)
        alongside();
    auto& children = parent->m_children;
    const auto first = children.begin();
    if (from > to)
        std::rotate(first + static_cast<std::ptrdiff_t>(to), first + static_cast<std::ptrdiff_t>(from),
                    first + static_cast<std::ptrdiff_t>(from) + 1);
    else
        std::rotate(first + static_cast<std::ptrdiff_t>(from), first + static_cast<std::ptrdiff_t>(from) + 1,
                    first + static_cast<std::ptrdiff_t>(to));
    renumberRows(parent, std::min(from, to));
    m_orderValid = false;
    tell([&](ItemTreeListener& l) { l.nodeMoved(node); });
}

void ItemTree::setText(TreeNode* node, std::string text)
{
    if (node->m_text == text)
        return;
    node->m_text = std::move(text);
    tell([&](ItemTreeListener& l) { l.nodeTextChanged(node); });
}

} // namespace kzt
