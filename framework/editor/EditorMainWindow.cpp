#include "EditorMainWindow.h"

#include "AppletAgent.h"
#include "AppletUtility.h"
#include "DocumentText.h"
#include "EditHistory.h"
#include "EditSteps.h"
#include "FieldBinding.h"
#include "FieldText.h"
#include "FileAssociation.h"
#include "FileDialog.h"
#include "ItemTreeModel.h"
#include "LivePreview.h"
#include "MessageBox.h"
#include "MissingFiles.h"
#include "ProgramIcon.h"
#include "ProjectFileFormat.h"
#include "ReadablePalette.h"
#include "RecentFiles.h"
#include "StatusProgress.h"
#include "TextEncodingGuard.h"
#include "TreeNode.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QProgressBar>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QUndoStack>

namespace kzt {

namespace {

// The settings value of the browser script runtime.
const QString kScriptRuntimeValue = QStringLiteral("ScriptRuntime");

} // namespace


namespace {

QString fromStd(const std::string& text)
{
    return QString::fromStdString(text);
}

std::string toStd(const QString& text)
{
    return text.toStdString();
}

} // namespace

EditorMainWindow::EditorMainWindow(const ProductProfile& product, AppPaths paths,
                                   PlatformProduct platform, QWidget* parent)
    : QMainWindow(parent),
      m_agent(std::make_unique<TkztAppletAgent>(product, std::move(paths))),
      m_platform(std::move(platform)),
      m_settings(m_platform)
{
    setObjectName(QStringLiteral("MainForm"));
    ProgramIcon::apply(*this, QString::fromStdString(m_platform.executable));
    ReadablePalette::applyToApplication();
    createActions();
    buildTree();
    createHistoryActions();
    buildStatusBar();
    m_progress = std::make_unique<StatusProgress>(m_hint, m_progressBar);
    m_agent->setProgress(m_progress.get());
    if (!product.info().browserRuntime.empty()) {
        m_actScriptRuntime = makeAction("ScriptRuntime1", tr("Script Runtime for Browsers Without Java"),
                                        tr("Pages also load our script that draws the applet without Java"));
        m_actScriptRuntime->setCheckable(true);
        m_actScriptRuntime->setChecked(scriptRuntimeSetting(product));
        m_agent->SetScriptRuntime(m_actScriptRuntime->isChecked());
        connect(m_actScriptRuntime, &QAction::toggled, this, [this](bool on) {
            m_agent->SetScriptRuntime(on);
            m_settings.writeValues(Settings::settingsKey(m_platform),
                                   {{kScriptRuntimeValue, on ? QStringLiteral("1") : QStringLiteral("0")}});
        });
    }
}

bool EditorMainWindow::scriptRuntimeSetting(const ProductProfile& product)
{
    const PlatformProduct platform = platformOf(product);
    return Settings(platform).readBool(Settings::settingsKey(platform), kScriptRuntimeValue).value_or(false);
}

EditorMainWindow::~EditorMainWindow()
{
    // The product's part is gone: no more commits, and the history lets go
    // of the agent before the agent goes.
    disconnect(m_focusWatch);
    delete m_history;
    m_history = nullptr;
    m_agent->setProgress(nullptr);
    // The model stops listening before the agent and its tree go away.
    delete m_model;
    m_model = nullptr;
}

QAction* EditorMainWindow::makeAction(const char* objectName, const QString& text, const QString& hint)
{
    auto* action = new QAction(text, this);
    action->setObjectName(QString::fromLatin1(objectName));
    if (!hint.isEmpty()) {
        action->setStatusTip(hint);
        action->setToolTip(hint);
    }
    return action;
}

void EditorMainWindow::nameToolButton(QToolBar* bar, QAction* action, const char* objectName)
{
    if (QWidget* button = bar->widgetForAction(action))
        button->setObjectName(QString::fromLatin1(objectName));
}

void EditorMainWindow::createActions()
{
    m_actNew = makeAction("New1", tr("&New..."), tr("Create a new project"));
    m_actNew->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    m_actOpen = makeAction("Open1", tr("&Open..."), tr("Open a project from the file that you saved before"));
    m_actOpen->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    m_actSave = makeAction("Save1", tr("&Save"), tr("Save the current project to a file"));
    m_actSave->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    m_actSaveAs = makeAction("Save2", tr("Save &As..."));
    m_actTemplates = makeAction("Templates1", tr("&Templates"));
    m_actSaveAsTemplate = makeAction("SaveAsTemplate1", tr("Save As Template"));
    m_actImport = makeAction("ImportMenuStructure1", tr("Import Menu Structure"));
    m_actExport = makeAction("ExportMenuStructure1", tr("Export Menu Structure"));
    m_actExit = makeAction("Exit1", tr("E&xit"));
    m_actToolBar = makeAction("ToolBar1", tr("&Tool Bar"));
    m_actToolBar->setCheckable(true);
    m_actToolBar->setChecked(true);
    m_actStatusBar = makeAction("StatusBar1", tr("Status Bar"));
    m_actStatusBar->setCheckable(true);
    m_actStatusBar->setChecked(true);
    m_actInsert = makeAction("Insert1", tr("I&nsert"), tr("Insert a new item"));
    m_actDelete = makeAction("Delete1", tr("&Delete"), tr("Delete selected item"));
    m_actMoveUp = makeAction("MoveUp1", tr("Move &Up"), tr("Move the selected item up"));
    m_actMoveDown = makeAction("MoveDown1", tr("Move &Down"), tr("Move the selected item down"));
    m_actPreview = makeAction("Preview1", tr("&Preview"), tr("preview the applet in web browser"));
    m_actPreview->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    m_actBuildHTML = makeAction("BuildHTML1", tr("Build &HTML..."), tr("Build the HTML code"));
    m_actPublish = makeAction("Publish1", tr("Pu&blish..."));
    m_actWebBrowser = makeAction("WebBrowser1", tr("Web &Browser..."));
    m_actConvertText = makeAction("ConvertTextToUTF81", tr("Convert Text to &UTF-8"),
                                  tr("Store all the text of the project as UTF-8, as a character of any language needs"));

    connect(m_actNew, &QAction::triggered, this, [this] { New1Click(); });
    connect(m_actOpen, &QAction::triggered, this, [this] { Open1Click(); });
    connect(m_actSave, &QAction::triggered, this, [this] { Save1Click(); });
    connect(m_actSaveAs, &QAction::triggered, this, [this] { Save2Click(); });
    connect(m_actTemplates, &QAction::triggered, this, [this] { Templates1Click(); });
    connect(m_actSaveAsTemplate, &QAction::triggered, this, [this] { SaveAsTemplate1Click(); });
    connect(m_actImport, &QAction::triggered, this, [this] { ImportMenuStructure1Click(); });
    connect(m_actExport, &QAction::triggered, this, [this] { ExportMenuStructure1Click(); });
    connect(m_actExit, &QAction::triggered, this, &QWidget::close);
    connect(m_actInsert, &QAction::triggered, this, [this] { Insert1Click(); });
    connect(m_actDelete, &QAction::triggered, this, [this] { Delete1Click(); });
    connect(m_actMoveUp, &QAction::triggered, this, [this] { MoveUp1Click(); });
    connect(m_actMoveDown, &QAction::triggered, this, [this] { MoveDown1Click(); });
    connect(m_actPreview, &QAction::triggered, this, [this] { Preview1Click(); });
    connect(m_actBuildHTML, &QAction::triggered, this, [this] { BuildHTML1Click(); });
    connect(m_actPublish, &QAction::triggered, this, [this] { Publish1Click(); });
    connect(m_actWebBrowser, &QAction::triggered, this, [this] { WebBrowser1Click(); });
    connect(m_actConvertText, &QAction::triggered, this, [this] { ConvertTextToUTF81Click(); });
    connect(m_actStatusBar, &QAction::toggled, this, [this](bool on) { statusBar()->setVisible(on); });

    m_recentMenu = new QMenu(tr("Recent Files"), this);
    m_recentMenu->setObjectName(QStringLiteral("mnitRecentFiles"));
}

void EditorMainWindow::buildTree()
{
    m_tree = new QTreeView(this);
    m_tree->setObjectName(QStringLiteral("trvwDesignPanel"));
    m_tree->setHeaderHidden(true);
    m_tree->setUniformRowHeights(true);
    m_tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tree->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tree->setContextMenuPolicy(Qt::CustomContextMenu);
    m_tree->setStatusTip(tr("Add, modify or remove the item here by clicking Right-Button in mouse"));
    m_model = new ItemTreeModel(m_agent->tree(), this);
    m_tree->setModel(m_model);
    m_tree->viewport()->installEventFilter(this);

    m_popup = new QMenu(m_tree);
    m_popup->setObjectName(QStringLiteral("pmnDesignPanel"));
    m_popup->addAction(m_actInsert);
    m_popup->addAction(m_actDelete);
    m_popup->addAction(m_actMoveUp);
    m_popup->addAction(m_actMoveDown);

    connect(m_tree->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                ++m_selectionChanges;
                trvwDesignPanelChange(m_model->nodeOf(current));
            });
    connect(m_tree, &QAbstractItemView::pressed, this, [this] { treePressed(); });
    connect(m_tree, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        if (m_model->nodeOf(m_tree->indexAt(at)))
            m_popup->popup(m_tree->viewport()->mapToGlobal(at));
    });
}

void EditorMainWindow::buildStatusBar()
{
    m_hint = new QLabel(this);
    m_hint->setObjectName(QStringLiteral("stctxtHint"));
    m_progressBar = new QProgressBar(this);
    m_progressBar->setObjectName(QStringLiteral("prgrsbrMainFormBottom"));
    m_progressBar->setTextVisible(false);
    m_progressBar->setMaximumWidth(160);
    m_progressBar->setValue(0);
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("stsbrMainForm"));
    bar->addWidget(m_hint, 1);
    m_encodingLabel = new QLabel(this);
    m_encodingLabel->setObjectName(QStringLiteral("stctxtEncoding"));
    m_encodingLabel->setToolTip(tr("The encoding the text of the project is stored in"));
    bar->addPermanentWidget(m_encodingLabel);
    bar->addPermanentWidget(m_progressBar);
}

bool EditorMainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_tree->viewport() && event->type() == QEvent::MouseButtonPress)
        m_changesAtPress = m_selectionChanges;
    return QMainWindow::eventFilter(watched, event);
}

bool EditorMainWindow::event(QEvent* event)
{
    // Hints go to our own status text, not the status bar's message area.
    if (event->type() == QEvent::StatusTip) {
        if (!m_treeUpdating)
            m_hint->setText(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

void EditorMainWindow::treePressed()
{
    // A press on the node that was already selected selects it again.
    if (m_selectionChanges == m_changesAtPress && !m_treeUpdating)
        trvwDesignPanelChange(selectedNode());
}

TreeNode* EditorMainWindow::selectedNode() const
{
    return m_model->nodeOf(m_tree->currentIndex());
}

void EditorMainWindow::selectNode(TreeNode* node)
{
    const QModelIndex at = m_model->indexOf(node);
    m_tree->setCurrentIndex(at);
    m_tree->scrollTo(at);
}

void EditorMainWindow::FormCreate()
{
    m_currentItemNode = nullptr;
    m_projectFileName.clear();
    resetTree();
    AppletDataToPanel();
    const bool exchange = structureMapping().has_value();
    m_actImport->setEnabled(exchange);
    m_actExport->setEnabled(exchange);
    setWindowTitle(fromStd(m_agent->info().name));
    FileAssociation::install(m_platform, QCoreApplication::applicationFilePath());
    if (m_agent->info().hasRecentFiles)
        LoadRecentFiles();
    else
        m_recentMenu->menuAction()->setVisible(false);
    selectNode(m_agent->tree().root());
    setModified(false);
    rememberPage();
    m_encodingGuard = new TextEncodingGuard(this, [this](char32_t character) { textRefused(character); });
    m_encodingGuard->guard(this);
    placeConvertTextAction();
    refreshTextEncoding();
    placeEditMenu();
}

void EditorMainWindow::rememberPage()
{
    if (m_agent->info().changeDetection != ProductInfo::ChangeDetection::PageComparison)
        return;
    commitPanels();
    m_rememberedPage = m_agent->BuildHTMLText();
    m_rememberedProject = projectText();
}

std::string EditorMainWindow::projectText() const
{
    std::string contents;
    if (!m_agent->product().projectFormat().render(*m_agent, contents).ok())
        contents.clear();
    return contents;
}

bool EditorMainWindow::documentChanged()
{
    if (m_agent->info().changeDetection != ProductInfo::ChangeDetection::PageComparison)
        return m_modified;
    commitPanels();
    // The project file carries what the page does not (an item's comment).
    return m_agent->BuildHTMLText() != m_rememberedPage || projectText() != m_rememberedProject;
}

void EditorMainWindow::resetTree(bool afterNew)
{
    m_treeUpdating = true;
    m_agent->ResetToDefaults(afterNew);
    m_treeUpdating = false;
}

void EditorMainWindow::setModified(bool modified)
{
    m_modified = modified;
    m_actSave->setEnabled(modified);
    if (m_history && !modified)
        m_history->stack()->setClean();
    updateUndoActions();
    emit modifiedChanged(modified);
    if (modified)
        documentEdited();
}

void EditorMainWindow::showFailure(const Status& status)
{
    if (!status.ok())
        MessageBox::error(this, fromStd(status.message()));
}

void EditorMainWindow::showCopyNotes()
{
    if (m_agent->CopyNotes.empty())
        return;
    QStringList notes;
    for (const std::string& note : m_agent->CopyNotes)
        notes << fromStd(note);
    m_agent->CopyNotes.clear();
    m_hint->setText(notes.join(QLatin1Char(' ')));
}

void EditorMainWindow::showMissingFiles(const QString& folder, bool afterNotes)
{
    const TStringArray missing = MissingDocumentFiles(*m_agent, toStd(folder));
    if (missing.empty())
        return;
    QStringList names;
    for (const std::string& name : missing)
        names << fromStd(name);
    const QString note = tr("Not in the project folder, so the page will show without them: %1.")
                             .arg(names.join(QStringLiteral(", ")));
    m_hint->setText(afterNotes ? m_hint->text() + QLatin1Char(' ') + note : note);
}

void EditorMainWindow::trvwDesignPanelChange(TreeNode* selected)
{
    if (m_treeUpdating)
        return;
    if (!selected || selected->isRoot())
        showMenuPanels();
    else
        showItemPanels();
    if (m_currentItemNode) {
        PanelToItemData(m_agent->ItemIndexOf(m_currentItemNode));
        recordChanges(tr("Change Properties"));
    }
    if (!selected || selected->isRoot()) {
        UpdateItemCommands();
        return;
    }
    if (selected != m_currentItemNode) {
        m_currentItemNode = selected;
        ItemDataToPanel(m_agent->ItemIndexOf(selected));
    }
    UpdateItemCommands();
    if (m_agent->info().selectionMarksChanged)
        setModified(true);
}

void EditorMainWindow::UpdateItemCommands()
{
    const TreeNode* node = selectedNode();
    const bool item = node && !node->isRoot();
    m_actInsert->setEnabled(true);
    m_actDelete->setEnabled(item);
    m_actMoveUp->setEnabled(item && node->previousSibling());
    m_actMoveDown->setEnabled(item && node->nextSibling());
}

void EditorMainWindow::commitPanels()
{
    commitTyping();
    recordChanges(tr("Change Properties"));
}

void EditorMainWindow::commitTyping()
{
    PanelToAppletData();
    if (m_currentItemNode)
        PanelToItemData(m_agent->ItemIndexOf(m_currentItemNode));
}

QString EditorMainWindow::dialogFolder() const
{
    if (!m_projectFileName.isEmpty())
        return QFileInfo(m_projectFileName).absolutePath();
    return QDir::homePath();
}

bool EditorMainWindow::queryLeaveDocument()
{
    if (documentChanged()) {
        const auto answer = MessageBox::warning(this, tr("Save changes to files?"),
                                                MessageBox::Yes | MessageBox::No | MessageBox::Cancel);
        if (answer == MessageBox::Cancel)
            return false;
        // Changes are only dropped when the author says so: a save that was
        // cancelled or failed keeps the document.
        if (answer == MessageBox::Yes && !Save1Click())
            return false;
    }
    m_agent->ClearPreview();
    return true;
}

void EditorMainWindow::New1Click()
{
    if (!queryLeaveDocument())
        return;
    m_currentItemNode = nullptr;
    m_projectFileName.clear();
    resetTree(true);
    m_history->clear();
    selectNode(m_agent->tree().root());
    AppletDataToPanel();
    setModified(false);
    rememberPage();
    refreshTextEncoding();
    documentReplaced();
    if (m_livePreview)
        m_livePreview->documentReplaced();
}

void EditorMainWindow::Open1Click()
{
    if (!queryLeaveDocument())
        return;
    const QString path = FileDialog::getOpenFileName(this, tr("Open"), dialogFolder(),
                                                     fromStd(m_agent->info().fileFilter));
    if (!path.isEmpty())
        loadProject(path);
}

bool EditorMainWindow::OpenProject(const QString& path)
{
    if (path.isEmpty())
        return false;
    if (!queryLeaveDocument())
        return false;
    return loadProject(path);
}

bool EditorMainWindow::OpenTemplate(const QString& path)
{
    if (path.isEmpty())
        return false;
    if (!queryLeaveDocument())
        return false;
    return loadProject(path, true);
}

bool EditorMainWindow::isShippedFile(const QString& path) const
{
    const QString share = QFileInfo(QString::fromStdString(m_agent->paths().shareDir.string())).canonicalFilePath();
    const QString file = QFileInfo(path).canonicalFilePath();
    return !share.isEmpty() && !file.isEmpty() && file.startsWith(share + QLatin1Char('/'));
}

bool EditorMainWindow::loadProject(const QString& path, bool asTemplate)
{
    // A template, or any file of the read-only share folder, is a starting
    // point: it opens untitled, and the first Save asks for a name.
    const bool untitled = asTemplate || isShippedFile(path);
    m_currentItemNode = nullptr;
    m_treeUpdating = true;
    const Status status = m_agent->ReadProjectFile(toStd(path));
    m_treeUpdating = false;
    m_history->clear();
    // A refused file leaves a fresh document that is not tied to it.
    m_projectFileName = status.ok() && !untitled ? QFileInfo(path).absoluteFilePath() : QString();
    AppletDataToPanel();
    if (status.ok()) {
        if (!untitled && m_agent->info().hasRecentFiles)
            AddRecentFile(m_projectFileName);
        m_agent->CopyImagesToPreview(toStd(QFileInfo(path).absolutePath()));
    }
    m_tree->setExpanded(m_model->indexOf(m_agent->tree().root()), true);
    selectNode(m_agent->tree().root());
    showMenuPanels();
    setModified(false);
    rememberPage();
    refreshTextEncoding();
    documentReplaced();
    if (m_livePreview)
        m_livePreview->documentReplaced();
    showFailure(status);
    showCopyNotes();
    return status.ok();
}

bool EditorMainWindow::saveTo(const QString& path)
{
    const QFileInfo info(path);
    const Status status = m_agent->SaveProject(toStd(info.absolutePath()), toStd(info.fileName()));
    const bool noted = !m_agent->CopyNotes.empty();
    showCopyNotes();
    if (!status.ok()) {
        showFailure(status);
        return false;
    }
    showMissingFiles(info.absolutePath(), noted);
    setModified(false);
    rememberPage();
    return true;
}

bool EditorMainWindow::Save1Click()
{
    commitPanels();
    if (!m_projectFileName.isEmpty())
        return saveTo(m_projectFileName);
    return saveAs(dialogFolder());
}

bool EditorMainWindow::Save2Click()
{
    commitPanels();
    return saveAs(dialogFolder());
}

bool EditorMainWindow::saveAs(const QString& startFolder)
{
    const QString chosen = FileDialog::getSaveFileName(this, tr("Save As"), startFolder,
                                                       fromStd(m_agent->info().fileFilter),
                                                       fromStd(m_agent->info().extension));
    if (chosen.isEmpty())
        return false;
    if (!saveTo(chosen))
        return false;
    // The project file is always written under the base name with our extension.
    const QFileInfo info(chosen);
    m_projectFileName = info.absolutePath() + QLatin1Char('/') + fromStd(BaseNameOf(toStd(info.fileName())))
                        + QLatin1Char('.') + fromStd(m_agent->info().extension);
    return true;
}

void EditorMainWindow::SaveAsTemplate1Click()
{
    commitPanels();
    const QString folder = fromStd(m_agent->paths().userTemplatesDir().string());
    AppPaths::ensurePrivateFolder(m_agent->paths().userTemplatesDir());
    saveAs(folder);
}

void EditorMainWindow::Insert1Click()
{
    setModified(true);
    TreeNode* parent = selectedNode();
    if (!parent)
        parent = m_agent->tree().root();
    beginCommand();
    TreeNode* node = insertItemNode(parent);
    endCommand(SubtreeStep::inserted(tr("Insert Item").toStdString(), *m_agent, node));
    m_tree->setExpanded(m_model->indexOf(parent), true);
    UpdateItemCommands();
}

TreeNode* EditorMainWindow::insertItemNode(TreeNode* parent)
{
    return m_agent->InsertItem(parent);
}

void EditorMainWindow::Delete1Click()
{
    setModified(true);
    TreeNode* node = selectedNode();
    if (!node)
        return;
    if (node->isRoot()) {
        MessageBox::warning(this, tr("You can't delete root item."), MessageBox::Ok);
        return;
    }
    if (MessageBox::warning(this, tr("Are you sure to delete this item and all it's children?"),
                            MessageBox::Yes | MessageBox::No) != MessageBox::Yes)
        return;
    // Forget the panel's record first: removing the node moves the selection,
    // and the panel must not be written into the record that takes its place.
    beginCommand();
    m_currentItemNode = nullptr;
    endCommand(SubtreeStep::remove(tr("Delete Item").toStdString(), *m_agent, node));
    UpdateItemCommands();
}

void EditorMainWindow::MoveUp1Click()
{
    setModified(true);
    TreeNode* node = selectedNode();
    if (node && !node->isRoot() && node->previousSibling()) {
        beginCommand();
        endCommand(MoveStep::perform(tr("Move Up").toStdString(), *m_agent, node, true));
    }
    selectNode(node);
    UpdateItemCommands();
}

void EditorMainWindow::MoveDown1Click()
{
    setModified(true);
    TreeNode* node = selectedNode();
    if (node && !node->isRoot() && node->nextSibling()) {
        beginCommand();
        endCommand(MoveStep::perform(tr("Move Down").toStdString(), *m_agent, node, false));
    }
    selectNode(node);
    UpdateItemCommands();
}

void EditorMainWindow::LoadRecentFiles()
{
    TStringArray captions;
    showFailure(RecentFiles(m_agent->paths().recentFilesPath()).load(captions));
    m_recentMenu->clear();
    int position = 0;
    for (const std::string& caption : captions) {
        QAction* entry = m_recentMenu->addAction(fromStd(caption));
        entry->setObjectName(QStringLiteral("mnitRecentFile%1").arg(++position));
        entry->setData(fromStd(caption));
        connect(entry, &QAction::triggered, this,
                [this, entry] { RecentFileClick(entry->data().toString()); });
    }
    m_recentMenu->setEnabled(!captions.empty());
}

void EditorMainWindow::AddRecentFile(const QString& path)
{
    if (path.isEmpty())
        return;
    showFailure(RecentFiles(m_agent->paths().recentFilesPath()).add(toStd(path)));
    LoadRecentFiles();
}

void EditorMainWindow::RecentFileClick(const QString& caption)
{
    OpenProject(fromStd(RecentFiles::pathOf(toStd(caption))));
}

QString EditorMainWindow::joinArguments(const QStringList& arguments)
{
    QString joined;
    for (const QString& argument : arguments)
        joined += argument + QLatin1Char(' ');
    return joined.trimmed();
}

bool EditorMainWindow::templatesDialogWanted() const
{
    return TfrmTemplet::showAtStartup(m_platform);
}

void EditorMainWindow::startUp(const QStringList& arguments)
{
    const QString path = joinArguments(arguments);
    if (!path.isEmpty()) {
        setModified(false);
        OpenProject(path);
        return;
    }
    if (templatesDialogWanted())
        Templates1Click();
}

void EditorMainWindow::closeEvent(QCloseEvent* event)
{
    if (!documentChanged()) {
        m_livePreview.reset();
        m_agent->ClearPreview();
        event->accept();
        return;
    }
    const auto answer = MessageBox::warning(this, tr("Save changes to files before Exit?"),
                                            MessageBox::Yes | MessageBox::No | MessageBox::Cancel);
    if (answer == MessageBox::Cancel) {
        // The document stays, and with it the files staged for it.
        event->ignore();
        return;
    }
    if (answer == MessageBox::Yes && !Save1Click()) {
        event->ignore();
        return;
    }
    m_livePreview.reset();
    m_agent->ClearPreview();
    event->accept();
}

} // namespace kzt
