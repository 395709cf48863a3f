#pragma once

#include "TreeNode.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace kzt {

class ItemTreeListener;

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

    void setListener(ItemTreeListener* listener) { m_listener = listener; }

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
    void removeSubtree(TreeNode* node, const Alongside& alongside = {});
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
    std::size_t destroy(TreeNode* node);
    void renumberRows(TreeNode* parent, std::size_t from);

    TreeNode* m_root = nullptr;
    std::size_t m_count = 0;
    ItemTreeListener* m_listener = nullptr;
    mutable std::vector<TreeNode*> m_order;
    mutable bool m_orderValid = false;
};

} // namespace kzt
