#pragma once

#include "ItemTreeListener.h"

#include <QAbstractItemModel>

#include <functional>

namespace kzt {

class ItemTree;
class TreeNode;

// The document's item tree as a Qt model: one top-level row for the root
// node, whose children are the items. Each index carries its TreeNode, so
// no per-row objects exist and views stay fast for very large menus.
class ItemTreeModel : public QAbstractItemModel, private ItemTreeListener
{
    Q_OBJECT
public:
    // When `follow` is set the model registers itself as the tree's listener
    // and mirrors every edit; otherwise it is a read-only snapshot view whose
    // tree must not change while the model lives.
    explicit ItemTreeModel(ItemTree& tree, QObject* parent = nullptr, bool follow = true);
    ~ItemTreeModel() override;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;

    ItemTree& tree() const { return m_tree; }
    QModelIndex indexOf(const TreeNode* node) const;
    TreeNode* nodeOf(const QModelIndex& index) const;

    // Extra look per node (an icon); empty means none.
    using Decoration = std::function<QVariant(const TreeNode*)>;
    void setDecoration(Decoration decoration) { m_decoration = std::move(decoration); }
    // Tells views that a node's look changed.
    void refreshNode(const TreeNode* node);

private:
    void treeAboutToBeReset() override;
    void treeReset() override;
    void nodeAboutToBeInserted(TreeNode* parent, std::size_t row) override;
    void nodeInserted(TreeNode* node) override;
    void nodeAboutToBeRemoved(TreeNode* node) override;
    void nodeRemoved(TreeNode* parent, std::size_t row) override;
    void nodeAboutToBeMoved(TreeNode* parent, std::size_t fromRow, std::size_t toRow) override;
    void nodeMoved(TreeNode* node) override;
    void nodeTextChanged(TreeNode* node) override;

    ItemTree& m_tree;
    bool m_follow;
    Decoration m_decoration;
};

} // namespace kzt
