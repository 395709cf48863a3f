#include "ItemTreeModel.h"

#include "FieldText.h"

#include "ItemTree.h"
#include "TreeNode.h"

namespace kzt {

ItemTreeModel::ItemTreeModel(ItemTree& tree, QObject* parent, bool follow)
    : QAbstractItemModel(parent), m_tree(tree), m_follow(follow)
{
    if (m_follow)
        m_tree.addListener(this);
}

ItemTreeModel::~ItemTreeModel()
{
    if (m_follow)
        m_tree.removeListener(this);
}

TreeNode* ItemTreeModel::nodeOf(const QModelIndex& index) const
{
    if (!index.isValid() || index.model() != this)
        return nullptr;
    return static_cast<TreeNode*>(index.internalPointer());
}

QModelIndex ItemTreeModel::indexOf(const TreeNode* node) const
{
    if (!node)
        return {};
    const int row = node->isRoot() ? 0 : static_cast<int>(node->row());
    return createIndex(row, 0, const_cast<TreeNode*>(node));
}

QModelIndex ItemTreeModel::index(int row, int column, const QModelIndex& parent) const
{
    if (row < 0 || column != 0)
        return {};
    if (!parent.isValid())
        return row == 0 && m_tree.root() ? indexOf(m_tree.root()) : QModelIndex();
    const TreeNode* node = nodeOf(parent);
    if (!node || static_cast<std::size_t>(row) >= node->childCount())
        return {};
    return createIndex(row, 0, node->child(static_cast<std::size_t>(row)));
}

QModelIndex ItemTreeModel::parent(const QModelIndex& child) const
{
    const TreeNode* node = nodeOf(child);
    if (!node || node->isRoot())
        return {};
    return indexOf(node->parent());
}

int ItemTreeModel::rowCount(const QModelIndex& parent) const
{
    if (!parent.isValid())
        return m_tree.root() ? 1 : 0;
    if (parent.column() != 0)
        return 0;
    const TreeNode* node = nodeOf(parent);
    return node ? static_cast<int>(node->childCount()) : 0;
}

int ItemTreeModel::columnCount(const QModelIndex&) const
{
    return 1;
}

bool ItemTreeModel::hasChildren(const QModelIndex& parent) const
{
    if (!parent.isValid())
        return m_tree.root() != nullptr;
    const TreeNode* node = nodeOf(parent);
    return node && parent.column() == 0 && node->hasChildren();
}

QVariant ItemTreeModel::data(const QModelIndex& index, int role) const
{
    const TreeNode* node = nodeOf(index);
    if (!node)
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return FieldText::toControl(node->text());
    case Qt::DecorationRole:
        return m_decoration ? m_decoration(node) : QVariant();
    default:
        return {};
    }
}

Qt::ItemFlags ItemTreeModel::flags(const QModelIndex& index) const
{
    if (!nodeOf(index))
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

void ItemTreeModel::refreshNode(const TreeNode* node)
{
    const QModelIndex at = indexOf(node);
    if (at.isValid())
        emit dataChanged(at, at);
}

void ItemTreeModel::treeAboutToBeReset()
{
    beginResetModel();
}

void ItemTreeModel::treeReset()
{
    endResetModel();
}

void ItemTreeModel::nodeAboutToBeInserted(TreeNode* parent, std::size_t row)
{
    const int r = static_cast<int>(row);
    beginInsertRows(indexOf(parent), r, r);
}

void ItemTreeModel::nodeInserted(TreeNode*)
{
    endInsertRows();
}

void ItemTreeModel::nodeAboutToBeRemoved(TreeNode* node)
{
    const int r = static_cast<int>(node->row());
    beginRemoveRows(indexOf(node->parent()), r, r);
}

void ItemTreeModel::nodeRemoved(TreeNode*, std::size_t)
{
    endRemoveRows();
}

void ItemTreeModel::nodeAboutToBeMoved(TreeNode* parent, std::size_t fromRow, std::size_t toRow)
{
    const QModelIndex at = indexOf(parent);
    const int from = static_cast<int>(fromRow);
    beginMoveRows(at, from, from, at, static_cast<int>(toRow));
}

void ItemTreeModel::nodeMoved(TreeNode*)
{
    endMoveRows();
}

void ItemTreeModel::nodeTextChanged(TreeNode* node)
{
    refreshNode(node);
}

} // namespace kzt
