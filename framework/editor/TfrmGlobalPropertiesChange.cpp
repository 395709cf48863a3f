#include "TfrmGlobalPropertiesChange.h"

#include "AppletAgent.h"
#include "ItemTreeModel.h"
#include "TreeNode.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>

namespace kzt {

namespace {

QCheckBox* boxFor(const std::vector<std::pair<std::size_t, QCheckBox*>>& boxes, std::size_t field)
{
    for (const auto& [boxField, box] : boxes) {
        if (boxField == field)
            return box;
    }
    return nullptr;
}

// Image 0 (unmarked) and image 2 (marked) of the dialog's tree.
QPixmap markImage(bool marked)
{
    QPixmap pixmap(14, 14);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(90, 90, 90), 1));
    painter.setBrush(Qt::white);
    painter.drawRect(1, 1, 11, 11);
    if (marked) {
        painter.setPen(QPen(QColor(0, 120, 0), 2));
        painter.drawLine(QPointF(3.5, 7), QPointF(6, 10));
        painter.drawLine(QPointF(6, 10), QPointF(11, 3.5));
    }
    return pixmap;
}

} // namespace

TfrmGlobalPropertiesChange::TfrmGlobalPropertiesChange(TkztAppletAgent& agent, std::size_t sourcePosition,
                                                       const PropertyLayout& layout, QWidget* parent)
    : QDialog(parent), m_agent(agent), m_source(sourcePosition), m_marks(agent.Items.size(), 0)
{
    setObjectName(QStringLiteral("frmGlobalPropertiesChange"));
    setWindowTitle(tr("Global Properties Change"));
    if (layout.helpContext != 0)
        setProperty("helpContext", layout.helpContext);

    m_tree = new QTreeView(this);
    m_tree->setObjectName(QStringLiteral("trvwPropertiesChange"));
    m_tree->setHeaderHidden(true);
    m_tree->setUniformRowHeights(true);
    m_tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tree->setSelectionMode(QAbstractItemView::NoSelection);
    m_tree->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_tree->setMinimumWidth(200);
    m_model = new ItemTreeModel(agent.tree(), this, false);
    const QPixmap unmarked = markImage(false);
    const QPixmap marked = markImage(true);
    m_model->setDecoration([this, unmarked, marked](const TreeNode* node) -> QVariant {
        if (node->isRoot())
            return {};
        return isMarked(m_agent.ItemIndexOf(node)) ? marked : unmarked;
    });
    m_tree->setModel(m_model);
    m_tree->expandAll();
    // Each click on an item marks or unmarks it; nothing stays selected.
    connect(m_tree, &QAbstractItemView::clicked, this,
            [this](const QModelIndex& index) { toggleMark(m_model->nodeOf(index)); });

    auto* selectAll = new QPushButton(tr("Select All"), this);
    selectAll->setObjectName(QStringLiteral("btnSelectAll"));
    auto* selectNone = new QPushButton(tr("Select None"), this);
    selectNone->setObjectName(QStringLiteral("btnSelectNone"));
    connect(selectAll, &QPushButton::clicked, this, &TfrmGlobalPropertiesChange::SelectAllClick);
    connect(selectNone, &QPushButton::clicked, this, &TfrmGlobalPropertiesChange::SelectNoneClick);

    auto* ok = new QPushButton(tr("OK"), this);
    ok->setObjectName(QStringLiteral("bitbtnOk"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(tr("Cancel"), this);
    cancel->setObjectName(QStringLiteral("bitbtnCancel"));
    connect(ok, &QPushButton::clicked, this, &TfrmGlobalPropertiesChange::OkClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* left = new QVBoxLayout;
    left->addWidget(m_tree, 1);
    auto* markButtons = new QHBoxLayout;
    markButtons->addWidget(selectAll);
    markButtons->addWidget(selectNone);
    left->addLayout(markButtons);

    auto* right = new QVBoxLayout;
    right->addWidget(buildChoices(layout));
    right->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    right->addLayout(buttons);

    auto* top = new QHBoxLayout(this);
    top->addLayout(left, 1);
    top->addLayout(right);
}

TfrmGlobalPropertiesChange::~TfrmGlobalPropertiesChange() = default;

QWidget* TfrmGlobalPropertiesChange::buildChoices(const PropertyLayout& layout)
{
    auto* holder = new QWidget(this);
    auto* column = new QVBoxLayout(holder);
    column->setContentsMargins(0, 0, 0, 0);
    auto* frame = new QGroupBox(layout.frameTitle, holder);
    frame->setObjectName(QStringLiteral("grpbxForeBackground"));
    auto* frameRow = new QHBoxLayout(frame);
    bool frameUsed = false;
    for (const PropertyGroup& group : layout.groups) {
        auto* box = new QGroupBox(group.title, holder);
        auto* boxLayout = new QGridLayout(box);
        const int columns = std::max(1, group.columns);
        const int rows = (static_cast<int>(group.choices.size()) + columns - 1) / columns;
        int at = 0;
        for (const PropertyChoice& choice : group.choices) {
            auto* check = new QCheckBox(choice.caption, box);
            check->setObjectName(QString::fromLatin1(choice.objectName));
            boxLayout->addWidget(check, at % std::max(1, rows), at / std::max(1, rows));
            ++at;
            (group.perState ? m_perStateBoxes : m_boxes).emplace_back(choice.field, check);
        }
        boxLayout->setRowStretch(rows, 1);
        if (group.inFrame) {
            frameRow->addWidget(box);
            frameUsed = true;
        } else {
            column->addWidget(box);
        }
    }
    if (frameUsed)
        column->addWidget(frame);
    else
        delete frame;
    if (!layout.states.empty()) {
        auto* box = new QGroupBox(layout.statesTitle, holder);
        box->setObjectName(QStringLiteral("grpbxStatus"));
        auto* row = new QHBoxLayout(box);
        for (const PropertyChoice& state : layout.states) {
            auto* check = new QCheckBox(state.caption, box);
            check->setObjectName(QString::fromLatin1(state.objectName));
            row->addWidget(check);
            m_stateBoxes.emplace_back(state.field, check);
        }
        column->addWidget(box);
    }
    if (layout.propertySelectButtons) {
        auto* all = new QPushButton(tr("Select All"), holder);
        all->setObjectName(QStringLiteral("btnSelectAllProperties"));
        auto* none = new QPushButton(tr("Select None"), holder);
        none->setObjectName(QStringLiteral("btnSelectNoProperties"));
        connect(all, &QPushButton::clicked, this, &TfrmGlobalPropertiesChange::SelectAllPropertiesClick);
        connect(none, &QPushButton::clicked, this, &TfrmGlobalPropertiesChange::SelectNoPropertiesClick);
        auto* row = new QHBoxLayout;
        row->addStretch(1);
        row->addWidget(all);
        row->addWidget(none);
        column->addLayout(row);
    }
    return holder;
}

QCheckBox* TfrmGlobalPropertiesChange::choiceBox(std::size_t field) const
{
    return boxFor(m_boxes, field);
}

QCheckBox* TfrmGlobalPropertiesChange::perStateBox(std::size_t offset) const
{
    return boxFor(m_perStateBoxes, offset);
}

QCheckBox* TfrmGlobalPropertiesChange::stateBox(std::size_t firstField) const
{
    return boxFor(m_stateBoxes, firstField);
}

void TfrmGlobalPropertiesChange::checkState(std::size_t firstField)
{
    if (QCheckBox* box = stateBox(firstField))
        box->setChecked(true);
}

void TfrmGlobalPropertiesChange::SelectAllPropertiesClick()
{
    for (const auto& entry : m_perStateBoxes)
        entry.second->setChecked(true);
}

void TfrmGlobalPropertiesChange::SelectNoPropertiesClick()
{
    for (const auto& entry : m_perStateBoxes)
        entry.second->setChecked(false);
    for (const auto& entry : m_boxes)
        entry.second->setChecked(false);
}

std::vector<std::size_t> TfrmGlobalPropertiesChange::copiedFields() const
{
    std::vector<std::size_t> fields;
    for (const auto& [field, box] : m_boxes) {
        if (box->isChecked())
            fields.push_back(field);
    }
    for (const auto& [first, state] : m_stateBoxes) {
        if (!state->isChecked())
            continue;
        for (const auto& [offset, box] : m_perStateBoxes) {
            if (box->isChecked())
                fields.push_back(first + offset);
        }
    }
    std::sort(fields.begin(), fields.end());
    fields.erase(std::unique(fields.begin(), fields.end()), fields.end());
    return fields;
}

bool TfrmGlobalPropertiesChange::isMarked(std::size_t position) const
{
    return position < m_marks.size() && m_marks[position];
}

void TfrmGlobalPropertiesChange::toggleMark(const TreeNode* node)
{
    if (!node || node->isRoot())
        return;
    const std::size_t position = m_agent.ItemIndexOf(node);
    if (position >= m_marks.size())
        return;
    m_marks[position] = !m_marks[position];
    m_model->refreshNode(node);
}

void TfrmGlobalPropertiesChange::setAllMarks(bool marked)
{
    if (m_marks.empty())
        return;
    std::fill(m_marks.begin(), m_marks.end(), marked ? 1 : 0);
    m_tree->viewport()->update();
}

void TfrmGlobalPropertiesChange::SelectAllClick()
{
    setAllMarks(true);
}

void TfrmGlobalPropertiesChange::SelectNoneClick()
{
    setAllMarks(false);
}

void TfrmGlobalPropertiesChange::OkClick()
{
    std::vector<std::size_t> targets;
    for (std::size_t position = 0; position < m_marks.size(); ++position) {
        if (m_marks[position])
            targets.push_back(position);
    }
    m_agent.CopyItemFields(m_source, targets, copiedFields());
    accept();
}

} // namespace kzt
