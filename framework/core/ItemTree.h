#pragma once

#include "TreeNode.h"

#include <cstddef>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace kzt {

class ItemTreeListener;

// A subtree taken out of a tree (or built for one) that no tree owns yet:
// an undo step keeps the nodes of a deleted item here, so undoing puts the
// very same nodes back without building them again.
class DetachedSubtree
{
public:
    DetachedSubtree() = default;
    DetachedSubtree(TreeNode* top, std::size_t count) : m_top(top), m_count(count) {}
    DetachedSubtree(DetachedSubtree&& other) noexcept;
    DetachedSubtree& operator=(DetachedSubtree&& other) noexcept;
    DetachedSubtree(const DetachedSubtree&) = delete;
    DetachedSubtree& operator=(const DetachedSubtree&) = delete;
    ~DetachedSubtree();

    TreeNode* top() const { return m_top; }
    // Nodes, the top one included.
    std::size_t count() const { return m_count; }
    bool empty() const { return m_top == nullptr; }
    // Hands the nodes over to a tree.
    TreeNode* release();
    // Heap bytes the nodes hold (their texts included), for the history's figures.
    std::size_t allocatedBytes() const;

private:
    TreeNode* m_top = nullptr;
    std::size_t m_count = 0;
};

// The ordered tree of a document's items. Positions in depth-first order are
// cached and refreshed in one linear pass after a structural edit, so index
// lookups never walk the tree per call.
class ItemTree
{
public:
    ItemTree();
    ~ItemTree();
    ItemTree(const ItemTree&) = delete;
    ItemTree& operator=(const ItemTree&) = delete;

    // Every registered listener is told about every change, in the order
    // they were added. A listener may remove itself (or another) while
    // being told; it hears nothing more from then on.
    void addListener(ItemTreeListener* listener);
    void removeListener(ItemTreeListener* listener);

    // Drops every node and starts again with a lone root.
    void reset(std::string rootText);

    TreeNode* root() const { return m_root; }
    // Number of nodes, the root included.
    std::size_t count() const { return m_count; }

    std::size_t absoluteIndex(const TreeNode* node) const;
    TreeNode* nodeAt(std::size_t absoluteIndex) const;
    // Absolute index just past the node's last descendant.
    std::size_t subtreeEnd(const TreeNode* node) const;
    std::size_t countDescendants(const TreeNode* node) const;
    // Ancestors other than the root: 0 for a child of the root, -1 for the root.
    int level(const TreeNode* node) const;

    // Each structural edit runs `alongside` after telling the listener what is
    // about to happen and before doing it, so records kept parallel to the tree
    // change at the same moment as the tree.
    using Alongside = std::function<void()>;
    TreeNode* appendChild(TreeNode* parent, std::string text, const Alongside& alongside = {});
    // Appends a whole subtree as the last child of `parent`: texts[0] is its
    // top node, and relativeLevels[i] is the depth of node i below it (0 for
    // the top node, then each at most one deeper than the one before and
    // never 0 again). Listeners hear of one insertion, of the top node,
    // which arrives with its descendants. Nothing happens, and nullptr is
    // returned, when the levels do not describe one subtree.
    TreeNode* appendSubtree(TreeNode* parent, const std::vector<std::string>& texts,
                            const std::vector<int>& relativeLevels, const Alongside& alongside = {});
    static bool isSubtreeShape(const std::vector<int>& relativeLevels);
    void removeSubtree(TreeNode* node, const Alongside& alongside = {});
    // Takes a subtree out as removeSubtree does (listeners hear the same),
    // but hands its nodes to the caller instead of destroying them.
    DetachedSubtree detachSubtree(TreeNode* node, const Alongside& alongside = {});
    // Puts a detached subtree back as child `row` of `parent` (the last
    // child when row is past the end); listeners hear of one insertion.
    TreeNode* attachSubtree(TreeNode* parent, std::size_t row, DetachedSubtree subtree,
                            const Alongside& alongside = {});
    // Nodes for a subtree of the shape appendSubtree takes, owned by no tree
    // yet; empty when the levels do not describe one subtree.
    static DetachedSubtree buildSubtree(const std::vector<std::string>& texts, const std::vector<int>& relativeLevels);
    // Moves `node` in front of its sibling `before`, with all descendants.
    void moveBefore(TreeNode* node, TreeNode* before, const Alongside& alongside = {});
    void setText(TreeNode* node, std::string text);

    // Adds a child without telling the listener; for bulk loads wrapped in a reset.
    TreeNode* appendChildSilently(TreeNode* parent, std::string text);
    void beginBulkLoad();
    void endBulkLoad();

    // Nodes in depth-first order.
    const std::vector<TreeNode*>& order() const;

private:
    void ensureOrder() const;
    static std::size_t destroy(TreeNode* node);
    static TreeNode* newChild(TreeNode* parent, std::string text);
    friend class DetachedSubtree;
    void renumberRows(TreeNode* parent, std::size_t from);
    // Takes a subtree off its parent, telling the listeners it is about to
    // go; the caller frees or keeps its nodes. Gives the parent and the row.
    std::pair<TreeNode*, std::size_t> unlink(TreeNode* node, const Alongside& alongside);

    TreeNode* m_root = nullptr;
    std::size_t m_count = 0;
    template <typename Call>
    void tell(Call call);

    std::vector<ItemTreeListener*> m_listeners;
    int m_telling = 0;
    mutable std::vector<TreeNode*> m_order;
    mutable bool m_orderValid = false;
};

} // namespace kzt
