#include "vantrel/gui/TMainForm.h"

#include "AppletAgent.h"
#include "EditingKit.h"
#include "FileDialog.h"
#include "Help.h"
#include "ItemTree.h"
#include "ItemTreeListener.h"
#include "MessageBox.h"
#include "RecordListener.h"
#include "THH_Launch.h"
#include "TreeNode.h"
#include "vantrel/core/VantrelDocument.h"
#include "vantrel/core/VantrelFields.h"
#include "vantrel/core/VantrelProfile.h"
#include "vantrel/core/VantrelSchema.h"
#include "vantrel/gui/VantrelHelp.h"
#include "vantrel/gui/VantrelPanels.h"
#include "vantrel/gui/VantrelPropertyLayout.h"
#include "vantrel/preview/TfrmWysiwyg.h"

#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>

#include <stdexcept>

namespace vantrel {

namespace {

const QString kSoundFilter = QStringLiteral("Audio Files (*.au)|*.au");

} // namespace

// Keeps the preview's picture cache parallel to the item list: every
// structural change of the tree makes the same change to the cache, and
// every changed record is drawn again, so only the items that changed are
// rendered again. The preview follows these events alone: what the author
// edits (the applet, the selected item) shows at once; changes elsewhere (a
// bulk copy tells each run, a paste) show once the command is done.
class TMainForm::PreviewFollower : public kzt::ItemTreeListener, public kzt::RecordListener
{
public:
    explicit PreviewFollower(TMainForm* window) : m_window(window) {}

    void appletChanged() override
    {
        TfrmWysiwyg* preview = m_window->m_preview;
        if (!preview || m_window->m_loading)
            return;
        preview->applyAppletSize();
        preview->refresh(-1);
    }

    void itemsChanged(std::size_t first, std::size_t count) override
    {
        TfrmWysiwyg* preview = m_window->m_preview;
        if (!preview || m_window->m_loading)
            return;
        for (std::size_t index = first; index < first + count; ++index) {
            for (int state = 0; state < 3; ++state)
                preview->renderItemState(int(index), state);
        }
        const int selected = m_window->selectedItemIndex();
        if (selected >= 0 && std::size_t(selected) >= first && std::size_t(selected) < first + count)
            preview->refresh(-1);
        else
            drawWhenDone();
    }

    void recordsReplaced() override
    {
        // Drawing waits for the window to show the new document.
        if (TfrmWysiwyg* preview = m_window->m_preview) {
            preview->applyAppletSize();
            preview->rebuildCache();
        }
    }

    void treeAboutToBeReset() override
    {
        // Until the new document is in place nothing is drawn.
        m_window->m_loading = true;
        if (TfrmWysiwyg* preview = m_window->m_preview)
            preview->setDrawingEnabled(false);
        // Every command that replaces the document ends in documentReplaced();
        // should one not, the preview still comes back once it is done.
        QMetaObject::invokeMethod(
            m_window, [window = QPointer<TMainForm>(m_window)] {
                if (window && window->m_loading)
                    window->documentReplaced();
            },
            Qt::QueuedConnection);
    }

    void nodeInserted(kzt::TreeNode* node) override
    {
        TfrmWysiwyg* preview = m_window->m_preview;
        if (!preview)
            return;
        const kzt::ItemTree& tree = m_window->agent().tree();
        const int first = int(tree.absoluteIndex(node)) - 1;
        const int count = int(tree.countDescendants(node)) + 1;
        for (int i = 0; i < count; ++i)
            preview->insertItem(first + i);
    }

    void nodeAboutToBeRemoved(kzt::TreeNode* node) override
    {
        const kzt::ItemTree& tree = m_window->agent().tree();
        m_removedFirst = int(tree.absoluteIndex(node)) - 1;
        m_removedCount = int(tree.countDescendants(node)) + 1;
    }

    void nodeRemoved(kzt::TreeNode*, std::size_t) override
    {
        TfrmWysiwyg* preview = m_window->m_preview;
        if (!preview)
            return;
        // Each removed record takes its entry from the run's first index.
        for (int i = 0; i < m_removedCount; ++i)
            preview->deleteItem(m_removedFirst);
        m_removedCount = 0;
    }

    void nodeAboutToBeMoved(kzt::TreeNode* parent, std::size_t fromRow, std::size_t toRow) override
    {
        TfrmWysiwyg* preview = m_window->m_preview;
        if (!preview || fromRow == toRow || fromRow >= parent->childCount())
            return;
        const kzt::ItemTree& tree = m_window->agent().tree();
        const kzt::TreeNode* node = parent->child(fromRow);
        const int nodeFirst = int(tree.absoluteIndex(node)) - 1;
        const int nodeEnd = int(tree.subtreeEnd(node)) - 1;
        const int beforeFirst = toRow < parent->childCount()
                                    ? int(tree.absoluteIndex(parent->child(toRow))) - 1
                                    : int(tree.subtreeEnd(parent)) - 1;
        // The run [first, middle) and the run [middle, end) change places.
        const bool up = toRow < fromRow;
        const int first = up ? beforeFirst : nodeFirst;
        const int middle = up ? nodeFirst : nodeEnd;
        const int end = up ? nodeEnd : beforeFirst;
        const int left = middle - first;
        const int right = end - middle;
        if (left == 1 || right == 1) {
            // A single item passes the other run by adjacent swaps.
            if (left == 1) {
                for (int i = first + 1; i < end; ++i)
                    preview->swapItem(i);
            } else {
                for (int i = middle; i > first; --i)
                    preview->swapItem(i);
            }
        } else {
            preview->rotateItems(first, middle, end);
        }
    }

private:
    void drawWhenDone()
    {
        if (m_drawPending)
            return;
        m_drawPending = true;
        QMetaObject::invokeMethod(
            m_window,
            [this] {
                m_drawPending = false;
                if (TfrmWysiwyg* preview = m_window->m_preview; preview && !m_window->m_loading)
                    preview->refresh(-1);
            },
            Qt::QueuedConnection);
    }

    TMainForm* m_window;
    int m_removedFirst = 0;
    int m_removedCount = 0;
    bool m_drawPending = false;
};

kzt::PlatformProduct TMainForm::platform()
{
    return platformOf(VantrelProfile::instance());
}

TMainForm::TMainForm(kzt::AppPaths paths, QWidget* parent)
    : EditorMainWindow(VantrelProfile::instance(), std::move(paths), platform(), parent)
{
    m_follower = std::make_unique<PreviewFollower>(this);
    agent().tree().addListener(m_follower.get());
    agent().addRecordListener(m_follower.get());
    m_panels = new VantrelPanels(this);
    treeView()->setProperty("helpContext", int(hcItemTree));
    placeTreeAndPanels(m_panels, 180, 600);
    buildMenus();
    connectControls();
    placeCentred(800, 560);
    FormCreate();
    setWindowTitle(QStringLiteral("Vantrel 2005"));
    createHelp();
    m_loading = false;
    setPreviewSwitches(m_panels->pgcntrlApplet->currentIndex());
}

TMainForm::~TMainForm()
{
    agent().tree().removeListener(m_follower.get());
    agent().removeRecordListener(m_follower.get());
    // The preview draws from the agent, which goes before our child widgets.
    delete m_preview;
    m_preview = nullptr;
    delete m_helpLauncher;
    m_helpLauncher = nullptr;
}

void TMainForm::buildMenus()
{
    m_actTemplates->setText(tr("&Templets"));
    m_actPreviewWindow = makeAction("PreviewWindow1", tr("Preview Window"), tr("Show or hide the preview window"));
    m_actPreviewWindow->setCheckable(true);
    m_actPreviewWindow->setChecked(true);
    connect(m_actPreviewWindow, &QAction::triggered, this, &TMainForm::PreviewWindow1Click);

    addMenuOf("File1", tr("&File"),
              {m_actTemplates, nullptr, m_actNew, m_actOpen, m_actSave, m_actSaveAs, nullptr, recentFilesMenu(),
               nullptr, m_actExit});
    addMenuOf("View1", tr("&View"), {m_actPreviewWindow, m_actToolBar, m_actStatusBar});
    addMenuOf("Item1", tr("&Item"), {m_actInsert, m_actDelete, m_actMoveUp, m_actMoveDown});
    addMenuOf("Applet1", tr("&Applet"), {m_actPreview, m_actBuildHTML, m_actPublish});
    addMenuOf("Option1", tr("&Option"), {m_actWebBrowser, scriptRuntimeAction()});
    HelpMenuTargets targets;
    targets.helpIndex = "help/index.html";
    targets.samplePage = "samples/general_menu_golden_theme.html";
    targets.homepage = QStringLiteral("https://vantrel.example.org/");
    targets.contact = QStringLiteral("mailto:vantrel@example.org");
    targets.about = tr("A builder of gliding tree menus for web pages.");
    addHelpMenu(targets);
    QAction* help = findChild<QAction*>(QStringLiteral("HelpTopics1"));
    addStandardToolBar(help);
    treePopupMenu()->setObjectName(QStringLiteral("pmnDesignPanel"));
}

void TMainForm::connectControls()
{
    bindFields(m_panels, schema::kSchema);

    connect(m_panels->pgcntrlApplet, &QTabWidget::currentChanged, this, &TMainForm::pgcntrlAppletChange);
    connect(m_panels->spdbtnApBgImg, &QToolButton::clicked, this,
            [this] { spdbtnImageClick(m_panels->control<QLineEdit>("edtApBgImg")); });
    connect(m_panels->spdbtnApBgSnd, &QToolButton::clicked, this,
            [this] { spdbtnSoundClick(m_panels->control<QLineEdit>("edtApBgSnd")); });
    static const char* const imageEdits[] = {"edtItemNoBgImg", "edtItemOvBgImg", "edtItemClBgImg"};
    static const char* const soundEdits[] = {nullptr, "edtItemOvBgSnd", "edtItemClBgSnd"};
    for (int state = 0; state < 3; ++state) {
        const char* image = imageEdits[state];
        connect(m_panels->spdbtnItBgImg[std::size_t(state)], &QToolButton::clicked, this,
                [this, image] { spdbtnImageClick(m_panels->control<QLineEdit>(image)); });
        if (QToolButton* button = m_panels->spdbtnItBgSnd[std::size_t(state)]) {
            const char* sound = soundEdits[state];
            connect(button, &QToolButton::clicked, this,
                    [this, sound] { spdbtnSoundClick(m_panels->control<QLineEdit>(sound)); });
        }
        connect(m_panels->bttnItGlobalChange[std::size_t(state)], &QPushButton::clicked, this,
                [this, state] { GlobalPropertiesChange(state); });
    }
    connect(m_panels->bttnItGnGlobalChange, &QPushButton::clicked, this, [this] { GlobalPropertiesChange(-1); });
    connect(m_panels->spdbtnItURL, &QToolButton::clicked, this, &TMainForm::spdbtnItURLClick);
    connect(m_panels->control<QLineEdit>("edtAppletParametersFileName"), &QLineEdit::editingFinished, this,
            &TMainForm::edtAppletParametersFileNameExit);
}

void TMainForm::edtAppletParametersFileNameExit()
{
    // A name the save would refuse is refused here, as the separator is: a
    // folder, or the name of another file the save writes. An empty box is
    // left for the save to question: it is where typing starts.
    auto* edit = m_panels->control<QLineEdit>("edtAppletParametersFileName");
    if (edit->text().isEmpty())
        return;
    const kzt::Status status =
        agent().CheckCompanionName(edit->text().toStdString(), VantrelProfile::kParametersFileWhat,
                                   QFileInfo(projectFileName()).fileName().toStdString());
    if (status)
        return;
    kzt::MessageBox::warning(this, QString::fromStdString(status.message()));
    edit->clear();
}

void TMainForm::createHelp()
{
    m_help = std::make_unique<kzt::Help>(QString::fromStdString((agent().paths().shareDir / "help").string()));
    addHelpTopics(*m_help);
    // Only one launcher may exist; a second window goes without F1.
    if (!kzt::THH_Launch::instance()) {
        try {
            m_helpLauncher = new kzt::THH_Launch(*m_help, this);
        } catch (const std::logic_error&) {
            m_helpLauncher = nullptr;
        }
    }
    static const int contexts[VantrelPanels::PageCount] = {hcAppletSettings, hcAppletBackground, hcScrollBar,
                                                           hcProgressBar,    hcAdvanced,         hcItemGeneral,
                                                           hcItemNormal,     hcItemOver,         hcItemClicked};
    for (int page = 0; page < VantrelPanels::PageCount; ++page)
        m_panels->pgcntrlApplet->widget(page)->setProperty("helpContext", contexts[page]);
    const int loading[] = {hcProgressBar, hcMessage, hcBgAndStatusBar};
    for (int page = 0; page < 3; ++page)
        m_panels->pgcntrlLoading->widget(page)->setProperty("helpContext", loading[page]);
}

void TMainForm::HelpTopics1Click()
{
    if (m_helpLauncher)
        m_helpLauncher->request(kzt::THH_Launch::Request::Contents);
    else
        EditorMainWindow::HelpTopics1Click();
}

bool TMainForm::event(QEvent* event)
{
    // No hints while a project is being read.
    if (event->type() == QEvent::StatusTip && m_loading)
        return true;
    return EditorMainWindow::event(event);
}

// ---- The preview ----

void TMainForm::createPreview()
{
    if (m_preview)
        return;
    // The preview starts from the records as the panels have them.
    PanelToAppletData();
    m_preview = new TfrmWysiwyg(agent(), this);
    m_preview->setSelectionSource([this] { return selectedItemIndex(); });
    m_preview->setResizeCallback([this](int width, int height) { previewResized(width, height); });
    connect(m_preview, &TfrmWysiwyg::closed, this, [this] { m_actPreviewWindow->setChecked(false); });
    m_preview->applyAppletSize();
    m_preview->rebuildCache();
    m_preview->setDrawingEnabled(!m_loading);
    setPreviewSwitches(m_panels->pgcntrlApplet->currentIndex());
}

void TMainForm::showPreviewWindow()
{
    const bool placed = m_preview != nullptr;
    createPreview();
    if (!placed)
        m_preview->move(frameGeometry().topRight() + QPoint(4, 0));
    PreviewWindow1Click(true);
}

void TMainForm::PreviewWindow1Click(bool shown)
{
    m_actPreviewWindow->setChecked(shown);
    if (!shown) {
        if (m_preview)
            m_preview->hide();
        return;
    }
    createPreview();
    m_preview->show();
    RefreshPreview();
}

int TMainForm::selectedItemIndex() const
{
    const kzt::TreeNode* node = selectedNode();
    if (!node || node->isRoot())
        return -1;
    return int(agent().ItemIndexOf(node));
}

void TMainForm::RefreshPreview()
{
    if (!m_preview || m_loading)
        return;
    m_preview->refresh(selectedItemIndex());
}

void TMainForm::setPreviewSwitches(int page)
{
    if (!m_preview)
        return;
    m_preview->setLoadingPage(page == VantrelPanels::LoadingPage);
    m_preview->setItemGeneralPage(page == VantrelPanels::ItemGeneralPage);
    m_preview->setItemNormalPage(page == VantrelPanels::ItemNormalPage);
    m_preview->setItemOverPage(page == VantrelPanels::ItemOverPage);
    m_preview->setItemClickedPage(page == VantrelPanels::ItemClickedPage);
}

void TMainForm::pgcntrlAppletChange(int page)
{
    if (page >= VantrelPanels::AppletSettingsPage && page <= VantrelPanels::AdvancedPage)
        m_lastAppletPage = page;
    setPreviewSwitches(page);
    RefreshPreview();
}

void TMainForm::previewResized(int width, int height)
{
    // The new size reaches the record through the two boxes only, both
    // before the preview is sized from the record again.
    m_applyingResize = true;
    m_panels->spnedtApWidth->setValue(width);
    m_panels->spnedtApHeight->setValue(height);
    m_applyingResize = false;
    fieldEdited(m_panels->spnedtApHeight);
}

// ---- Edits ----

void TMainForm::fieldEdited(QWidget* control)
{
    if (m_loading || m_applyingResize)
        return;
    // The changed mark, the colour dialog, the separator and the caption.
    EditorMainWindow::fieldEdited(control);
    if (control == m_panels->cmbxItemInitVisible)
        cmbxItemInitVisibleChange();
    if (m_panels->isGoverning(control)) {
        m_panels->applyAppletRules();
        m_panels->applyItemRules();
    }
    // The preview follows the committed records (PreviewFollower).
    commitTyping();
}

void TMainForm::cmbxItemInitVisibleChange()
{
    kzt::TreeNode* node = currentItemNode();
    if (!node || node != selectedNode())
        return;
    commitPanels();
    const bool visible = m_panels->cmbxItemInitVisible->currentIndex() == 1;
    const std::string shown = VantrelDocument::SetInitVisibility(agent(), node, visible);
    const QSignalBlocker block(m_panels->cmbxItemInitVisible);
    m_panels->cmbxItemInitVisible->setCurrentIndex(shown == "1" ? 1 : 0);
}

void TMainForm::spdbtnImageClick(QLineEdit* field)
{
    if (!field)
        return;
    kzt::EditingKit::pickPictureIntoPreview(this, agent(), field, m_lastPicture, dialogFolder());
    showCopyNotes();
    fieldEdited(field);
    // The same name picked again may be a new picture, though no record changed.
    RefreshPreview();
}

void TMainForm::spdbtnSoundClick(QLineEdit* field)
{
    if (!field)
        return;
    const QString path = kzt::FileDialog::getOpenFileName(this, tr("Open"), dialogFolder(), kSoundFilter);
    if (path.isEmpty()) {
        field->clear();
    } else {
        field->setText(QFileInfo(path).fileName());
        agent().CopyToPreview(path.toStdString());
        showCopyNotes();
    }
    fieldEdited(field);
}

void TMainForm::spdbtnItURLClick()
{
    if (kzt::EditingKit::pickLocalUrl(this, m_panels->cmbxIURL, dialogFolder()))
        setModified(true);
}

void TMainForm::GlobalPropertiesChange(int state)
{
    if (state >= 0)
        GlobalPropertiesChangeClick(globalPropertiesLayout(), kStates[state]);
    else
        GlobalPropertiesChangeClick(globalPropertiesLayout());
}

// ---- Records and pages ----

// Showing a record is not an edit: no hints, no redraws meanwhile.
void TMainForm::AppletDataToPanel()
{
    const QScopedValueRollback loading(m_loading, true);
    EditorMainWindow::AppletDataToPanel();
}

void TMainForm::ItemDataToPanel(std::size_t index)
{
    const QScopedValueRollback loading(m_loading, true);
    EditorMainWindow::ItemDataToPanel(index);
}

void TMainForm::appletShown()
{
    m_panels->applyAppletRules();
}

void TMainForm::itemShown(std::size_t /*index*/)
{
    m_panels->applyItemRules();
}

void TMainForm::storingApplet(kzt::TAppletData& data)
{
    VantrelDocument::CommitAppletRecord(data);
}

void TMainForm::storingItem(std::size_t index, kzt::TItemData& item)
{
    kzt::TreeNode* node = agent().NodeOfItem(index);
    VantrelDocument::CommitItemRecord(item, agent().tree().level(node));
    // The tree shows the caption as the record keeps it.
    agent().tree().setText(node, std::string(item.get(ICaption)));
}

void TMainForm::showMenuPanels()
{
    const int page =
        m_lastAppletPage == VantrelPanels::LoadingPage ? VantrelPanels::LoadingPage : VantrelPanels::AppletSettingsPage;
    m_panels->showAppletPages(page);
    m_lastAppletPage = page;
    setPreviewSwitches(page);
}

void TMainForm::showItemPanels()
{
    m_panels->showItemPages();
    setPreviewSwitches(VantrelPanels::ItemGeneralPage);
}

void TMainForm::UpdateItemCommands()
{
    EditorMainWindow::UpdateItemCommands();
    RefreshPreview();
}

kzt::TreeNode* TMainForm::insertItemNode(kzt::TreeNode* parent)
{
    // The record set after the insertion reaches the preview as a change.
    return VantrelDocument::InsertItem(agent(), parent);
}

void TMainForm::documentReplaced()
{
    m_loading = false;
    m_panels->showAppletPages(VantrelPanels::AppletSettingsPage);
    m_lastAppletPage = VantrelPanels::AppletSettingsPage;
    setPreviewSwitches(VantrelPanels::AppletSettingsPage);
    // The cache came with the records (PreviewFollower::recordsReplaced).
    if (m_preview)
        m_preview->setDrawingEnabled(true);
    RefreshPreview();
}

kzt::TempletTexts TMainForm::templetTexts() const
{
    kzt::TempletTexts texts;
    texts.caption = QStringLiteral("Templet");
    texts.hintLines = {QStringLiteral("Click OK, The templet you selected will be opened. Click Cancel, a new project"),
                       QStringLiteral("will be created.")};
    texts.checkBoxText = QStringLiteral("Don't show this dialog again.");
    texts.pattern = QStringLiteral("*.vtp");
    texts.createUserFolder = false;
    texts.openOnSingleClick = false;
    return texts;
}

} // namespace vantrel
