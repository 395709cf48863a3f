// The main window's history and clipboard: Undo and Redo, the Edit menu,
// and the commands that record their own steps.
#include "EditorMainWindow.h"

#include "AppletAgent.h"
#include "AppletUtility.h"
#include "Clipboard.h"
#include "EditHistory.h"
#include "EditSteps.h"
#include "ItemClipboard.h"
#include "ItemTreeModel.h"
#include "MessageBox.h"
#include "TreeNode.h"

#include <QAction>
#include <QApplication>
#include <QIcon>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QStyle>
#include <QToolBar>
#include <QTreeView>
#include <QUndoStack>

#include <filesystem>

namespace kzt {

void EditorMainWindow::createHistoryActions()
{
    m_history = new EditHistory(*m_agent, this);
    m_actUndo = makeAction("Undo1", tr("&Undo"), tr("Undo the last change"));
    m_actUndo->setShortcut(QKeySequence::Undo);
    m_actUndo->setIcon(QIcon::fromTheme(QStringLiteral("edit-undo"), style()->standardIcon(QStyle::SP_ArrowBack)));
    m_actRedo = makeAction("Redo1", tr("&Redo"), tr("Redo the change undone last"));
    m_actRedo->setShortcut(QKeySequence::Redo);
    m_actRedo->setIcon(QIcon::fromTheme(QStringLiteral("edit-redo"), style()->standardIcon(QStyle::SP_ArrowForward)));
    connect(m_actUndo, &QAction::triggered, this, [this] { Undo1Click(); });
    connect(m_actRedo, &QAction::triggered, this, [this] { Redo1Click(); });
    QUndoStack* stack = m_history->stack();
    connect(stack, &QUndoStack::indexChanged, this, [this] { updateUndoActions(); });
    connect(stack, &QUndoStack::cleanChanged, this, [this] { updateUndoActions(); });
    // Typing leaves its control: what it changed becomes a step.
    m_focusWatch = connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget*) {
        // The item's panel only: the menu record keeps its own commit points.
        if (old && old != m_tree && !m_treeUpdating && m_currentItemNode && isAncestorOf(old) && isVisible()) {
            PanelToItemData(m_agent->ItemIndexOf(m_currentItemNode));
            recordChanges(tr("Change Properties"));
        }
    });
    updateUndoActions();
}

void EditorMainWindow::updateUndoActions()
{
    if (!m_history || !m_actUndo)
        return;
    const QUndoStack* stack = m_history->stack();
    // Changes still in the panels become a step when Undo commits them.
    m_actUndo->setEnabled(stack->canUndo() || m_modified);
    m_actRedo->setEnabled(stack->canRedo());
    m_actUndo->setText(stack->canUndo() ? tr("&Undo %1").arg(stack->undoText()) : tr("&Undo"));
    m_actRedo->setText(stack->canRedo() ? tr("&Redo %1").arg(stack->redoText()) : tr("&Redo"));
}

void EditorMainWindow::placeEditMenu()
{
    if (findChild<QMenu*>(QStringLiteral("Edit1")))
        return;
    // A product's own Cut, Copy and Paste keep their behaviour; the others
    // get the clipboard's.
    QAction* cut = findChild<QAction*>(QStringLiteral("Cut1"));
    QAction* copy = findChild<QAction*>(QStringLiteral("Copy1"));
    QAction* paste = findChild<QAction*>(QStringLiteral("Paste1"));
    if (!cut) {
        cut = makeAction("Cut1", tr("Cu&t"), tr("Cut the selected item and its sub-items"));
        connect(cut, &QAction::triggered, this, [this] { EditCutClick(); });
    }
    if (!copy) {
        copy = makeAction("Copy1", tr("&Copy"), tr("Copy the selected item and its sub-items"));
        connect(copy, &QAction::triggered, this, [this] { EditCopyClick(); });
    }
    if (!paste) {
        paste = makeAction("Paste1", tr("&Paste"), tr("Paste the items after the selected item"));
        connect(paste, &QAction::triggered, this, [this] { EditPasteClick(); });
    }
    // The item commands' keys work in the tree only: in a text box the same
    // keys edit its text.
    const QList<QPair<QAction*, QKeySequence::StandardKey>> keys = {
        {cut, QKeySequence::Cut}, {copy, QKeySequence::Copy}, {paste, QKeySequence::Paste},
        {m_actDelete, QKeySequence::Delete}};
    for (const auto& [action, key] : keys) {
        action->setShortcut(key);
        action->setShortcutContext(Qt::WidgetShortcut);
        m_tree->addAction(action);
    }
    auto* edit = new QMenu(tr("&Edit"), this);
    edit->setObjectName(QStringLiteral("Edit1"));
    edit->addActions({m_actUndo, m_actRedo});
    edit->addSeparator();
    edit->addActions({cut, copy, paste, m_actDelete});
    QMenu* file = findChild<QMenu*>(QStringLiteral("File1"));
    const QList<QAction*> top = menuBar()->actions();
    const qsizetype at = file ? top.indexOf(file->menuAction()) : -1;
    if (at >= 0 && at + 1 < top.size())
        menuBar()->insertMenu(top[at + 1], edit);
    else
        menuBar()->addMenu(edit);
    addActions({m_actUndo, m_actRedo});
    // A product may lay out a tool bar of its own.
    QToolBar* bar = m_toolBar ? m_toolBar : findChild<QToolBar*>();
    if (bar) {
        // After Save, or in front when the bar has no Save.
        const QList<QAction*> buttons = bar->actions();
        const qsizetype save = buttons.indexOf(m_actSave);
        QAction* before = save >= 0 && save + 1 < buttons.size() ? buttons[save + 1] : nullptr;
        QAction* gap = before ? bar->insertSeparator(before) : bar->addSeparator();
        bar->insertAction(gap, m_actUndo);
        bar->insertAction(gap, m_actRedo);
        nameToolButton(bar, m_actUndo, "tlbtnUndo");
        nameToolButton(bar, m_actRedo, "tlbtnRedo");
    }
}

void EditorMainWindow::recordChanges(const QString& name)
{
    if (m_history)
        m_history->recordChanges(name);
}

void EditorMainWindow::beginCommand()
{
    // The item's panel is written back as a change of selection would; the
    // menu record waits for its own commit points.
    if (m_currentItemNode)
        PanelToItemData(m_agent->ItemIndexOf(m_currentItemNode));
    recordChanges(tr("Change Properties"));
    m_history->recorder().pause();
}

void EditorMainWindow::endCommand(std::unique_ptr<EditStep> step)
{
    m_history->recorder().resume();
    m_history->push(std::move(step));
}

void EditorMainWindow::Undo1Click()
{
    runHistory(true);
}

void EditorMainWindow::Redo1Click()
{
    runHistory(false);
}

void EditorMainWindow::runHistory(bool undo)
{
    // What the panels hold is a step of its own before anything is undone,
    // unless they are as the last undo or redo showed them.
    {
        m_history->recorder().pause();
        const TAppletData applet = m_agent->AppletData;
        PanelToAppletData();
        const bool appletTouched = !m_history->shownApplet || !(m_agent->AppletData == *m_history->shownApplet);
        bool itemTouched = false;
        std::size_t index = 0;
        TItemData item;
        if (m_currentItemNode) {
            index = m_agent->ItemIndexOf(m_currentItemNode);
            item = m_agent->Items[index];
            PanelToItemData(index);
            itemTouched = !m_history->shownItem || m_history->shownItem->first != index
                          || !(m_agent->Items[index] == m_history->shownItem->second);
        }
        // Back to the records as they were; the commit below records them.
        if (!(m_agent->AppletData == applet)) {
            m_agent->AppletData = applet;
            m_agent->announceAppletChanged();
        }
        if (m_currentItemNode && !(m_agent->Items[index] == item)) {
            m_agent->Items[index] = item;
            m_agent->announceItemsChanged(index, 1);
        }
        m_history->recorder().resume();
        if (appletTouched)
            PanelToAppletData();
        if (itemTouched)
            PanelToItemData(index);
        recordChanges(tr("Change Properties"));
    }
    const QUndoStack* stack = m_history->stack();
    if (undo ? !stack->canUndo() : !stack->canRedo()) {
        setModified(!stack->isClean());
        return;
    }
    // The panels stand for no record while the step moves records about.
    m_currentItemNode = nullptr;
    m_treeUpdating = true;
    const std::size_t focus = undo ? m_history->undo() : m_history->redo();
    m_treeUpdating = false;
    TreeNode* node = m_agent->tree().nodeAt(focus);
    if (!node)
        node = m_agent->tree().root();
    AppletDataToPanel();
    selectNode(node);
    trvwDesignPanelChange(node);
    refreshTextEncoding();
    UpdateItemCommands();
    setModified(!stack->isClean());
    // What a commit of the panels just shown would write, kept to tell an
    // edit from a value the panels cannot show as stored.
    m_history->recorder().pause();
    const TAppletData applet = m_agent->AppletData;
    PanelToAppletData();
    m_history->shownApplet = m_agent->AppletData;
    if (!(m_agent->AppletData == applet)) {
        m_agent->AppletData = applet;
        m_agent->announceAppletChanged();
    }
    m_history->shownItem.reset();
    if (m_currentItemNode) {
        const std::size_t index = m_agent->ItemIndexOf(m_currentItemNode);
        const TItemData item = m_agent->Items[index];
        PanelToItemData(index);
        m_history->shownItem.emplace(index, m_agent->Items[index]);
        if (!(m_agent->Items[index] == item)) {
            m_agent->Items[index] = item;
            m_agent->announceItemsChanged(index, 1);
        }
    }
    m_history->recorder().resume();
}

void EditorMainWindow::EditCopyClick()
{
    const TreeNode* node = selectedNode();
    if (!node || node->isRoot())
        return;
    if (m_currentItemNode)
        PanelToItemData(m_agent->ItemIndexOf(m_currentItemNode));
    recordChanges(tr("Change Properties"));
    if (QMimeData* data = ItemClipboard::copy(*m_agent, node, structureMapping()))
        Clipboard::setMimeData(data);
}

void EditorMainWindow::EditCutClick()
{
    TreeNode* node = selectedNode();
    if (!node || node->isRoot())
        return;
    EditCopyClick();
    setModified(true);
    beginCommand();
    m_currentItemNode = nullptr;
    endCommand(SubtreeStep::remove(tr("Cut").toStdString(), *m_agent, node));
    UpdateItemCommands();
}

void EditorMainWindow::EditPasteClick()
{
    TreeNode* target = selectedNode();
    if (!target)
        target = m_agent->tree().root();
    QString refusal;
    const auto items = ItemClipboard::read(Clipboard::mimeData(), *m_agent, structureMapping(),
                                           m_encoding, &refusal);
    if (!items) {
        if (!refusal.isEmpty())
            MessageBox::warning(this, refusal, MessageBox::Ok);
        return;
    }
    // After the selected item at its level; as the first item under the root.
    TreeNode* parent = target->isRoot() ? target : target->parent();
    std::size_t row = target->isRoot() ? 0 : target->row() + 1;
    setModified(true);
    beginCommand();
    std::vector<std::unique_ptr<EditStep>> steps;
    TreeNode* first = nullptr;
    for (std::size_t begin = 0; begin < items->records.size();) {
        std::size_t end = begin + 1;
        while (end < items->records.size() && items->relativeLevels[end] > 0)
            ++end;
        const TItemArray records(items->records.begin() + static_cast<std::ptrdiff_t>(begin),
                                 items->records.begin() + static_cast<std::ptrdiff_t>(end));
        const std::vector<int> levels(items->relativeLevels.begin() + static_cast<std::ptrdiff_t>(begin),
                                      items->relativeLevels.begin() + static_cast<std::ptrdiff_t>(end));
        TreeNode* top = m_agent->PasteSubtreeAt(parent, row++, records, levels);
        if (top && !first)
            first = top;
        steps.push_back(SubtreeStep::inserted(tr("Paste").toStdString(), *m_agent, top));
        begin = end;
    }
    endCommand(steps.size() == 1 ? std::move(steps.front())
                                 : std::make_unique<StepGroup>(tr("Paste").toStdString(), std::move(steps)));
    // The pictures, sounds and text files of the items, from the window they
    // were copied in.
    namespace fs = std::filesystem;
    std::error_code ec;
    if (!items->sourcePreviewDir.empty() && items->sourcePreviewDir.is_absolute()
        && !fs::equivalent(items->sourcePreviewDir, m_agent->paths().previewDir, ec)) {
        for (const TItemData& record : items->records) {
            for (std::size_t field : m_agent->info().itemFileFields) {
                const std::string name(record.get(field));
                if (IsBareFileName(name) && fs::is_regular_file(items->sourcePreviewDir / name, ec))
                    m_agent->CopyToPreview(items->sourcePreviewDir / name);
            }
        }
        showCopyNotes();
    }
    if (first) {
        m_tree->setExpanded(m_model->indexOf(parent), true);
        selectNode(first);
    }
    UpdateItemCommands();
}

} // namespace kzt
