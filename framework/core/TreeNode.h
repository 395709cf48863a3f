#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kzt {

class ItemTree;

// One node of the item tree. Node k in depth-first order stands for item
// k-1 of the document; node 0 is the root, which stands for the whole menu.
// Nodes live as long as their subtree stays in the tree, so views may keep
// pointers to them between edits.
class TreeNode
{
public:
    TreeNode(const TreeNode&) = delete;
    TreeNode& operator=(const TreeNode&) = delete;

    TreeNode* parent() const { return m_parent; }
    std::size_t childCount() const { return m_children.size(); }
    bool hasChildren() const { return !m_children.empty(); }
    TreeNode* child(std::size_t row) const { return m_children[row]; }
    TreeNode* firstChild() const { return m_children.empty() ? nullptr : m_children.front(); }
    TreeNode* lastChild() const { return m_children.empty() ? nullptr : m_children.back(); }
    // Position among the parent's children.
    std::size_t row() const { return m_row; }
    TreeNode* previousSibling() const;
    TreeNode* nextSibling() const;
    bool isRoot() const { return m_parent == nullptr; }
    const std::string& text() const { return m_text; }

private:
    friend class ItemTree;
    friend class DetachedSubtree;
    TreeNode() = default;

    // A document has a node per item, so the numbers take 32 bits: a node
    // is 80 bytes rather than 96.
    TreeNode* m_parent = nullptr;
    std::vector<TreeNode*> m_children;
    std::string m_text;
    std::uint32_t m_row = 0;
    // Filled by the tree's order pass.
    std::uint32_t m_index = 0;
    std::uint32_t m_size = 1;
    int m_depth = 0;
};

} // namespace kzt
