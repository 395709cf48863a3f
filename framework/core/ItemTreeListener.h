#pragma once

#include <cstddef>

namespace kzt {

class TreeNode;

// Told about every change of an item tree, so a view can follow it row by row.
class ItemTreeListener
{
public:
    virtual ~ItemTreeListener() = default;

    virtual void treeAboutToBeReset() {}
    virtual void treeReset() {}
    virtual void nodeAboutToBeInserted(TreeNode* /*parent*/, std::size_t /*row*/) {}
    virtual void nodeInserted(TreeNode* /*node*/) {}
    virtual void nodeAboutToBeRemoved(TreeNode* /*node*/) {}
    virtual void nodeRemoved(TreeNode* /*parent*/, std::size_t /*row*/) {}
    // The node at `fromRow` moves in front of the child now at `toRow`.
    virtual void nodeAboutToBeMoved(TreeNode* /*parent*/, std::size_t /*fromRow*/, std::size_t /*toRow*/) {}
    virtual void nodeMoved(TreeNode* /*node*/) {}
    virtual void nodeTextChanged(TreeNode* /*node*/) {}
};

} // namespace kzt
