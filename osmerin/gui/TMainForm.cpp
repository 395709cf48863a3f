#include "osmerin/gui/TMainForm.h"

#include "AppletAgent.h"
#include "AppletUtility.h"
#include "EditSteps.h"
#include "EditingKit.h"
#include "FileDialog.h"
#include "ItemTree.h"
#include "ItemTreeModel.h"
#include "ItemTreeListener.h"
#include "MessageBox.h"
#include "RecordListener.h"
#include "ToolIcons.h"
#include "TreeNode.h"
#include "WindowFit.h"
#include "osmerin/core/OsmerinProfile.h"
#include "osmerin/core/OsmerinSchema.h"
#include "osmerin/gui/OsmerinPanels.h"
#include "osmerin/gui/TfrmWysiwyg.h"

#include <QAction>
#include <QScopedValueRollback>
#include <QSplitter>
#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QRadioButton>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>

namespace osmerin {

namespace {

constexpr int kClientWidth = 587;
constexpr int kClientHeight = 341;
constexpr int kTreeWidth = 128;

bool isInside(const kzt::TreeNode* node, const kzt::TreeNode* top)
{
    for (; node; node = node->parent()) {
        if (node == top)
            return true;
    }
    return false;
}

} // namespace

// The mark of Cut and Copy never outlives its node.
class TMainForm::MarkWatcher : public kzt::ItemTreeListener
{
public:
    explicit MarkWatcher(TMainForm* window) : m_window(window) {}
    void treeAboutToBeReset() override { m_window->clearMark(); }
    void nodeAboutToBeRemoved(kzt::TreeNode* node) override
    {
        if (isInside(m_window->m_markedNode, node))
            m_window->clearMark();
    }

private:
    TMainForm* m_window;
};

// The preview follows the records it shows, the global record and the
// selected item's, whoever changes them: an edit, a paste, a file.
class TMainForm::PreviewFollower : public kzt::RecordListener
{
public:
    explicit PreviewFollower(TMainForm* window) : m_window(window) {}
    void appletChanged() override { m_window->RefreshPreview(); }
    void itemsChanged(std::size_t first, std::size_t count) override
    {
        const kzt::TreeNode* node = m_window->selectedNode();
        if (!node || node->isRoot())
            return;
        const std::size_t index = m_window->agent().ItemIndexOf(node);
        if (index >= first && index < first + count)
            m_window->RefreshPreview();
    }
    void recordsReplaced() override { m_window->RefreshPreview(); }

private:
    TMainForm* m_window;
};

kzt::PlatformProduct TMainForm::platform()
{
    const auto& info = OsmerinProfile::instance().info();
    kzt::PlatformProduct product;
    product.name = info.name;
    product.version = info.version;
    product.executable = info.executableName;
    product.extension = info.extension;
    product.documentType = info.name + ".Document";
    return product;
}

TMainForm::TMainForm(kzt::AppPaths paths, QWidget* parent)
    : EditorMainWindow(OsmerinProfile::instance(), std::move(paths), platform(), parent)
{
    m_markWatcher = std::make_unique<MarkWatcher>(this);
    m_previewFollower = std::make_unique<PreviewFollower>(this);
    agent().addRecordListener(m_previewFollower.get());
    agent().tree().addListener(m_markWatcher.get());
    m_panels = new OsmerinPanels(this);
    m_preview = new TfrmWysiwyg(this);
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("pnlMain"));
    auto* row = new QHBoxLayout(central);
    row->setContentsMargins(2, 2, 2, 2);
    auto* treePanel = new QWidget(central);
    treePanel->setObjectName(QStringLiteral("pnlTreeView"));
    auto* treeLayout = new QHBoxLayout(treePanel);
    treeLayout->setContentsMargins(0, 0, 0, 0);
    treeView()->setObjectName(QStringLiteral("TreeView1"));
    treeLayout->addWidget(treeView());
    row->addWidget(makeTreeSplitter(m_panels, kTreeWidth, kClientWidth - kTreeWidth, treePanel));
    setCentralWidget(central);
    buildMenus();
    buildToolBar();
    connectControls();
    connect(this, &EditorMainWindow::modifiedChanged, this, [this] { m_actSave->setEnabled(true); });

    placeCentred(kClientWidth, designHeight(true));
    FormCreate();
    m_created = true;
    setWindowTitle(QStringLiteral("Osmerin 2005"));
    RefreshPreview();
}

int TMainForm::designHeight(bool toolBarShown) const
{
    const int band = toolBarShown ? 0 : m_toolBar->sizeHint().height();
    return kClientHeight + menuBar()->sizeHint().height() + statusBar()->sizeHint().height() - band;
}

void TMainForm::showPreviewWindow()
{
    m_preview->move(frameGeometry().topRight() + QPoint(4, 0));
    PreviewWindow1Click(true);
}

void TMainForm::PreviewWindow1Click(bool shown)
{
    m_actPreviewWindow->setChecked(shown);
    m_preview->setVisible(shown);
    if (shown)
        RefreshPreview();
}

void TMainForm::RefreshPreview()
{
    // Half-shown panels have no item text to give.
    if (!m_panelReady || !m_preview)
        return;
    const kzt::TreeNode* node = selectedNode();
    const kzt::TItemData* item = nullptr;
    if (node && !node->isRoot()) {
        const std::size_t index = agent().ItemIndexOf(node);
        if (index < agent().Items.size())
            item = &agent().Items[index];
    }
    m_preview->refresh(agent().AppletData, item, m_panels->memoItemText->toPlainText(), agent().paths().previewDir);
}

TMainForm::~TMainForm()
{
    agent().removeRecordListener(m_previewFollower.get());
    agent().tree().removeListener(m_markWatcher.get());
}

void TMainForm::buildMenus()
{
    m_actTemplates->setText(tr("&Templets"));
    m_actCut = makeAction("Cut1", tr("Cu&t"), tr("Cut the selected item"));
    m_actCopy = makeAction("Copy1", tr("&Copy"), tr("Copy the selected item"));
    m_actPaste = makeAction("Paste1", tr("&Paste"), tr("Paste the item at the end of the list"));
    connect(m_actCut, &QAction::triggered, this, &TMainForm::Cut1Click);
    connect(m_actCopy, &QAction::triggered, this, &TMainForm::Copy1Click);
    connect(m_actPaste, &QAction::triggered, this, &TMainForm::Paste1Click);

    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->setObjectName(QStringLiteral("File1"));
    file->addAction(m_actTemplates);
    file->addSeparator();
    file->addActions({m_actNew, m_actOpen, m_actSave, m_actSaveAs});
    file->addSeparator();
    file->addAction(m_actExit);

    QMenu* view = menuBar()->addMenu(tr("&View"));
    view->setObjectName(QStringLiteral("View1"));
    m_actPreviewWindow = makeAction("PreviewWindow1", tr("&Preview Window"));
    m_actPreviewWindow->setCheckable(true);
    connect(m_actPreviewWindow, &QAction::triggered, this, &TMainForm::PreviewWindow1Click);
    connect(m_preview, &TfrmWysiwyg::closed, this, [this] { m_actPreviewWindow->setChecked(false); });
    view->addActions({m_actPreviewWindow, m_actToolBar});

    QMenu* item = menuBar()->addMenu(tr("&Item"));
    item->setObjectName(QStringLiteral("Item1"));
    item->addActions({m_actInsert, m_actDelete, m_actMoveUp, m_actMoveDown});
    item->addSeparator();
    item->addActions({m_actCut, m_actCopy, m_actPaste});

    QMenu* applet = menuBar()->addMenu(tr("&Applet"));
    applet->setObjectName(QStringLiteral("Applet1"));
    applet->addActions({m_actPreview, m_actBuildHTML, m_actPublish});

    QMenu* option = menuBar()->addMenu(tr("&Option"));
    option->setObjectName(QStringLiteral("Option1"));
    option->addAction(m_actWebBrowser);
    option->addAction(scriptRuntimeAction());

    QMenu* help = menuBar()->addMenu(tr("&Help"));
    help->setObjectName(QStringLiteral("Help1"));
    QAction* topics = makeAction("HelpTopics1", tr("Help &Topics"), tr("Show help document"));
    QAction* sample = makeAction("ViewSample1", tr("View &Sample..."));
    QAction* homepage = makeAction("Homepage1", tr("&Homepage"));
    QAction* contact = makeAction("ContactUs1", tr("&Contact Us"));
    QAction* about = makeAction("About1", tr("&About"));
    help->addActions({topics, sample});
    help->addSeparator();
    help->addActions({homepage, contact});
    help->addSeparator();
    help->addAction(about);
    connect(topics, &QAction::triggered, this, &TMainForm::HelpTopics1Click);
    connect(sample, &QAction::triggered, this, &TMainForm::ViewSample1Click);
    connect(homepage, &QAction::triggered, this, &TMainForm::ContactUs1Click);
    connect(contact, &QAction::triggered, this, &TMainForm::ContactUs1Click);
    connect(about, &QAction::triggered, this, &TMainForm::About1Click);

    QMenu* popup = treePopupMenu();
    popup->setObjectName(QStringLiteral("PopupMenu1"));
    popup->addSeparator();
    popup->addActions({m_actCut, m_actCopy, m_actPaste});
}

void TMainForm::buildToolBar()
{
    m_toolBar = addToolBar(tr("Tool Bar"));
    m_toolBar->setObjectName(QStringLiteral("tlbr1"));
    m_toolBar->setMovable(false);
    m_toolBar->setIconSize(QSize(16, 16));
    using kzt::ToolIcons;
    QAction* help = findChild<QAction*>(QStringLiteral("HelpTopics1"));
    const QList<QPair<QAction*, ToolIcons::Command>> icons = {
        {m_actNew, ToolIcons::New},         {m_actOpen, ToolIcons::Open},       {m_actSave, ToolIcons::Save},
        {m_actCut, ToolIcons::Cut},         {m_actCopy, ToolIcons::Copy},       {m_actPaste, ToolIcons::Paste},
        {m_actInsert, ToolIcons::Insert},   {m_actDelete, ToolIcons::Delete},   {m_actMoveUp, ToolIcons::MoveUp},
        {m_actMoveDown, ToolIcons::MoveDown}, {m_actBuildHTML, ToolIcons::BuildHTML},
        {m_actPreview, ToolIcons::Preview}, {help, ToolIcons::Help},
    };
    for (const auto& [action, icon] : icons)
        action->setIcon(ToolIcons::icon(icon, style()));

    m_toolBar->addActions({m_actNew, m_actOpen, m_actSave});
    m_toolBar->addSeparator();
    m_toolBar->addActions({m_actCut, m_actCopy, m_actPaste});
    m_toolBar->addSeparator();
    m_toolBar->addActions({m_actInsert, m_actDelete, m_actMoveUp, m_actMoveDown});
    m_toolBar->addSeparator();
    m_toolBar->addActions({m_actBuildHTML, m_actPreview});
    m_toolBar->addSeparator();
    m_toolBar->addAction(help);
    nameToolButton(m_toolBar, m_actNew, "tlbtnNew");
    nameToolButton(m_toolBar, m_actOpen, "tlbtnOpen");
    nameToolButton(m_toolBar, m_actSave, "tlbtnSave");
    nameToolButton(m_toolBar, m_actCut, "tlbtnCut");
    nameToolButton(m_toolBar, m_actCopy, "tlbtnCopy");
    nameToolButton(m_toolBar, m_actPaste, "tlbtnPaste");
    nameToolButton(m_toolBar, m_actInsert, "tlbtnInsert");
    nameToolButton(m_toolBar, m_actDelete, "tlbtnDelete");
    nameToolButton(m_toolBar, m_actMoveUp, "tlbtnMoveUp");
    nameToolButton(m_toolBar, m_actMoveDown, "tlbtnMoveDown");
    nameToolButton(m_toolBar, m_actBuildHTML, "tlbtnBuildHTML");
    nameToolButton(m_toolBar, m_actPreview, "tlbtnPreview");
    nameToolButton(m_toolBar, help, "tlbtnHelp");
    connect(m_actToolBar, &QAction::toggled, this, &TMainForm::ToolBar1Click);
}

void TMainForm::ToolBar1Click(bool shown)
{
    if (shown == m_toolBar->isVisible())
        return;
    const int band = m_toolBar->sizeHint().height();
    const int before = height();
    m_toolBar->setVisible(shown);
    // The window grows or shrinks by the tool bar; the pages keep their size.
    kzt::fitToContent(this, QSize(kClientWidth, designHeight(shown)));
    resize(width(), before + (shown ? band : -band));
}

void TMainForm::connectControls()
{
    bindFields(m_panels, schema::kSchema);
    for (QWidget* control : m_panels->handBoundItemControls()) {
        if (auto* memo = qobject_cast<QPlainTextEdit*>(control))
            connect(memo, &QPlainTextEdit::textChanged, this, [this, control] { fieldEdited(control); });
    }
    connect(m_panels->spdbtnImageFilename, &QToolButton::clicked, this, &TMainForm::spdbtnImageFilenameClick);
    connect(m_panels->spdbtnTextFilename, &QToolButton::clicked, this, &TMainForm::spdbtnTextFilenameClick);
}

void TMainForm::fieldEdited(QWidget* control)
{
    if (!m_panelReady)
        return;
    // The changed page, the colour dialog and the comment in the tree.
    EditorMainWindow::fieldEdited(control);
    if (control == m_panels->rdbtnContentTypeText || control == m_panels->rdbtnContentTypeImage
        || control == m_panels->rdbtnContentTypeTextFile)
        m_panels->applyContentType();
    else if (control == m_panels->chckbxShowScrollBtnFlag)
        m_panels->applyScrollButtons();
    // The preview follows the committed records (PreviewFollower).
    commitTyping();
}

void TMainForm::spdbtnImageFilenameClick()
{
    const QString path = kzt::FileDialog::getOpenPictureFileName(
        this, tr("Open"), dialogFolder(),
        QStringLiteral("All Image Files(*.gif;*.jpg;*.jpeg)|*.gif;*.jpg;*.jpeg|GIF Image File (*.gif)|*.gif|"
                       "JPEG Image File (*.jpg)|*.jpg|JPEG Image File (*.jpeg)|*.jpeg"));
    if (path.isEmpty())
        return;
    m_panels->editItemImageFilename->setText(QFileInfo(path).fileName());
    agent().CopyToPreview(path.toStdString());
    showCopyNotes();
    // The same name picked again may be a new picture, though no record changed.
    RefreshPreview();
}

void TMainForm::spdbtnTextFilenameClick()
{
    const QString path = kzt::FileDialog::getOpenFileName(this, tr("Open"), dialogFolder(),
                                                          QStringLiteral("Text Files (*.txt)|*.txt"));
    if (path.isEmpty())
        return;
    m_panels->editItemTextFilename->setText(QFileInfo(path).fileName());
    agent().CopyToPreview(path.toStdString());
    showCopyNotes();
    // The same name picked again may be a new text, though no record changed.
    RefreshPreview();
}

void TMainForm::UpdateItemCommands()
{
    const kzt::TreeNode* node = selectedNode();
    const bool item = node && !node->isRoot();
    const bool root = node && node->isRoot();
    m_actCut->setEnabled(item);
    m_actCopy->setEnabled(item);
    m_actDelete->setEnabled(item);
    m_actInsert->setEnabled(root);
    m_actPaste->setEnabled(root && m_markedNode);
    m_actMoveUp->setEnabled(item && node->previousSibling());
    m_actMoveDown->setEnabled(item && node->nextSibling());
    RefreshPreview();
}

void TMainForm::clearMark()
{
    m_markedNode = nullptr;
    if (m_actPaste)
        m_actPaste->setEnabled(false);
}

void TMainForm::Cut1Click()
{
    kzt::TreeNode* node = selectedNode();
    if (!node || node->isRoot())
        return;
    m_markedNode = node;
    m_markedForCopy = false;
    UpdateItemCommands();
}

void TMainForm::Copy1Click()
{
    kzt::TreeNode* node = selectedNode();
    if (!node || node->isRoot())
        return;
    m_markedNode = node;
    m_markedForCopy = true;
    UpdateItemCommands();
}

void TMainForm::Paste1Click()
{
    kzt::TreeNode* marked = m_markedNode;
    if (!marked || marked->isRoot())
        return;
    kzt::TreeNode* target = selectedNode();
    if (!target || isInside(target, marked))
        return;
    // A paste of a cut item moves it: one step, undone as one.
    beginCommand();
    const kzt::TItemArray records = agent().CopySubtree(marked);
    const std::vector<int> levels = agent().SubtreeRelativeLevels(marked);
    kzt::TreeNode* top = agent().PasteSubtree(target, records, levels);
    if (!top) {
        endCommand(nullptr);
        return;
    }
    // The copies show their comments trimmed, as every node does.
    const std::size_t first = agent().tree().absoluteIndex(top);
    for (std::size_t i = 0; i < records.size(); ++i)
        agent().tree().setText(agent().tree().nodeAt(first + i), kzt::Trim(records[i].get(ItemComment)));
    std::vector<std::unique_ptr<kzt::EditStep>> steps;
    steps.push_back(kzt::SubtreeStep::inserted("Paste", agent(), top));
    treeView()->setExpanded(treeModel()->indexOf(agent().tree().root()), true);
    if (!m_markedForCopy) {
        forgetCurrentItemNode();
        steps.push_back(kzt::SubtreeStep::remove("Paste", agent(), marked));
        clearMark();
    }
    endCommand(std::make_unique<kzt::StepGroup>(tr("Paste").toStdString(), std::move(steps)));
    UpdateItemCommands();
}

void TMainForm::HelpTopics1Click()
{
    kzt::EditingKit::openHelpPage(this, agent().paths().shareDir / "help" / "index.html");
}

void TMainForm::ViewSample1Click()
{
    kzt::EditingKit::openShippedPage(this, agent().paths().shareDir / "samples" / "index.html");
}

void TMainForm::ContactUs1Click()
{
    kzt::EditingKit::openShippedPage(this, agent().paths().shareDir / "help" / "contact.html");
}

void TMainForm::About1Click()
{
    kzt::MessageBox::information(this, QStringLiteral("Osmerin 2005\nA builder of scrolling news boxes for web pages."));
}

void TMainForm::AppletDataToPanel()
{
    // Loading the controls is not an edit: the preview waits for the end.
    {
        const QScopedValueRollback<bool> loading(m_panelReady, false);
        EditorMainWindow::AppletDataToPanel();
    }
    // New and Open give the preview the applet's size; start-up keeps its own.
    if (m_created)
        m_preview->setAppletSize(m_panels->udAppletWidth->value(), m_panels->udAppletHeight->value());
    RefreshPreview();
}

void TMainForm::ItemDataToPanel(std::size_t index)
{
    // Half-shown pages must not be taken back into the record.
    const QScopedValueRollback<bool> loading(m_panelReady, false);
    EditorMainWindow::ItemDataToPanel(index);
}

void TMainForm::appletShown()
{
    m_panels->applyScrollButtons();
}

void TMainForm::itemShown(std::size_t index)
{
    m_panels->showItemText(agent().Items[index]);
    m_panels->applyContentType();
}

void TMainForm::storingItem(std::size_t /*index*/, kzt::TItemData& item)
{
    m_panels->storeItemText(item);
}

void TMainForm::showMenuPanels()
{
    m_panels->showAppletPages();
}

void TMainForm::showItemPanels()
{
    m_panels->showItemPages();
}

kzt::TempletTexts TMainForm::templetTexts() const
{
    kzt::TempletTexts texts;
    texts.caption = QStringLiteral("Templet");
    texts.hintLines = {QStringLiteral("Click OK, The templet you selected will"),
                       QStringLiteral("be opened. Click Cancel, a new project"), QStringLiteral("will be created.")};
    texts.checkBoxText = QStringLiteral("Don't show this dialog again.");
    texts.pattern = QStringLiteral("*.osn");
    texts.createUserFolder = false;
    texts.openOnSingleClick = true;
    return texts;
}

} // namespace osmerin
