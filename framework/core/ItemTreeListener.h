#pragma once

#include <cstddef>

namespace kzt {

class TreeNode;

// Told about every change of an item tree, so a view can follow it row by
// row and a product's cache of per-item data can follow the item list: the
// records kept parallel to the tree have already changed when a node is
// inserted, and not yet when one is about to be removed or moved.
class ItemTreeListener
{
public:
    virtual ~ItemTreeListener() = default;

    virtual void treeAboutToBeReset() {}
    virtual void treeReset() {}
    virtual void nodeAboutToBeInserted(TreeNode* /*parent*/, std::size_t /*row*/) {}
    // A pasted node arrives with all its descendants.
    virtual void nodeInserted(TreeNode* /*node*/) {}
    // The node goes with all its descendants.
    virtual void nodeAboutToBeRemoved(TreeNode* /*node*/) {}
    virtual void nodeRemoved(TreeNode* /*parent*/, std::size_t /*row*/) {}
    // The node at `fromRow` moves in front of the child now at `toRow`.
    virtual void nodeAboutToBeMoved(TreeNode* /*parent*/, std::size_t /*fromRow*/, std::size_t /*toRow*/) {}
    virtual void nodeMoved(TreeNode* /*node*/) {}
    virtual void nodeTextChanged(TreeNode* /*node*/) {}
};

} // namespace kzt
