#pragma once

#include "AppPaths.h"
#include "PlatformProduct.h"
#include "Records.h"
#include "Settings.h"
#include "Status.h"
#include "StructureFileFormat.h"
#include "TextEncoding.h"
#include "PropertyChoices.h"
#include "TfrmTemplet.h"

#include <QList>
#include <QMainWindow>
#include <QPointer>

#include <cstddef>
#include <memory>
#include <optional>

class QAction;
class QLabel;
class QMenu;
class QProgressBar;
class QSplitter;
class QToolBar;
class QTreeView;

namespace kzt {

class FieldBinding;
class EditHistory;
class EditStep;
class ItemTreeModel;
class LivePreview;
class ProductProfile;
struct ProductSchema;
class StatusProgress;
class TextEncodingGuard;
class TformHTML;
class TformWebBrowser;
class TkztAppletAgent;
class TreeNode;

// The main window every product shares: the document commands, the commit
// points that bring the records up to date from the panels, the selection
// protocol between tree and panels, recent files, status text and progress.
// A product adds its panels through the hooks below and lays out the menus
// and tool bar from the actions made here.
class EditorMainWindow : public QMainWindow
{
    Q_OBJECT
public:
    EditorMainWindow(const ProductProfile& product, AppPaths paths, PlatformProduct platform,
                     QWidget* parent = nullptr);
    ~EditorMainWindow() override;

    TkztAppletAgent& agent() const { return *m_agent; }
    QTreeView* treeView() const { return m_tree; }
    ItemTreeModel* treeModel() const { return m_model; }
    Settings& settings() { return m_settings; }
    const PlatformProduct& platformProduct() const { return m_platform; }
    bool isModified() const { return m_modified; }
    // Preview's served page; null before the first Preview.
    LivePreview* livePreview() const { return m_livePreview.get(); }
    QString projectFileName() const { return m_projectFileName; }
    TreeNode* currentItemNode() const { return m_currentItemNode; }
    TreeNode* selectedNode() const;
    bool treeUpdating() const { return m_treeUpdating; }
    QMenu* recentFilesMenu() const { return m_recentMenu; }
    QMenu* treePopupMenu() const { return m_popup; }
    QLabel* hintLabel() const { return m_hint; }
    TformHTML* htmlViewer() const { return m_viewer; }
    QProgressBar* progressBar() const { return m_progressBar; }
    QToolBar* toolBar() const { return m_toolBar; }
    // "Script Runtime for Browsers Without Java" (Option menu) for products
    // with a browser script runtime; null for the others.
    QAction* scriptRuntimeAction() const { return m_actScriptRuntime; }
    // The author's setting for that runtime, which the command line follows too.
    static bool scriptRuntimeSetting(const ProductProfile& product);

    // Start-up after the window is shown: the joined arguments open a
    // project; otherwise the templates dialog, unless switched off.
    void startUp(const QStringList& arguments);
    static QString joinArguments(const QStringList& arguments);
    bool templatesDialogWanted() const;

    // Document commands.
    void New1Click();
    void Open1Click();
    bool OpenProject(const QString& path);
    // Opens a template as an untitled document.
    bool OpenTemplate(const QString& path);
    bool Save1Click();
    bool Save2Click();
    void SaveAsTemplate1Click();
    void Insert1Click();
    void Delete1Click();
    void MoveUp1Click();
    void MoveDown1Click();
    void LoadRecentFiles();
    void AddRecentFile(const QString& path);
    void RecentFileClick(const QString& caption);
    void Preview1Click();
    void BuildHTML1Click();
    void Publish1Click();
    void WebBrowser1Click();
    void Templates1Click();
    void ImportMenuStructure1Click();
    void ExportMenuStructure1Click();
    // The bulk property copy dialog for the selected item; `look` is the
    // first field of a look whose box starts checked.
    void GlobalPropertiesChangeClick(const PropertyLayout& layout, std::optional<std::size_t> look = std::nullopt);

    // Commit point: menu panel and the current item's panel into the records.
    void commitPanels();
    // The same while the author is still editing a control: the records
    // follow at once, the step is taken when the editing ends (focus leaves,
    // another command), so typing in one box is one step.
    void commitTyping();
    // Page text for the current panels, shown in the code viewer.
    // The page in the code viewer; a null text when the page is refused
    // (its message shown).
    QString BuildHTMLIntoViewer();
    void setModified(bool modified);
    // Whether leaving the document loses anything: the changed mark, or for
    // products that compare pages, a page that differs from the last one
    // made by New, Open or Save (the panels are committed first).
    bool documentChanged();
    void selectNode(TreeNode* node);
    // Runs the selection protocol for a node, as a change of selection does.
    void trvwDesignPanelChange(TreeNode* selected);
    virtual void UpdateItemCommands();

    // Where dialogs start: the project's folder, else the user's home.
    QString dialogFolder() const;

    // The undo history of the document.
    EditHistory* editHistory() const { return m_history; }
    void Undo1Click();
    void Redo1Click();
    // The Edit menu's item commands: the selected item and its descendants
    // to and from the system clipboard.
    void EditCutClick();
    void EditCopyClick();
    void EditPasteClick();

    // The document's one text encoding, as typing stores text and the status
    // line names it; decided again whenever the document is replaced.
    TextEncoding textEncoding() const { return m_encoding; }
    void refreshTextEncoding();
    // File > Convert Text to UTF-8: every text of the document at once.
    void ConvertTextToUTF81Click();

    // The product's fields bound to the panels' controls by bindFields();
    // null for a product that moves its values itself.
    FieldBinding* appletFields() const { return m_appletFields.get(); }
    FieldBinding* itemFields() const { return m_itemFields.get(); }

signals:
    void modifiedChanged(bool modified);

protected:
    // Product hooks. Once bindFields() has run they move the values of the
    // bound fields between records and controls; a product that binds its
    // own controls replaces them.
    virtual void PanelToAppletData();
    virtual void AppletDataToPanel();
    virtual void PanelToItemData(std::size_t index);
    virtual void ItemDataToPanel(std::size_t index);
    // Binds the controls under `panels` to the product's fields by the
    // object names its schema gives, and watches them: an edit marks the
    // document changed, text the project format cannot store is refused, the
    // caption goes to the tree as typed, a colour swatch and a picker button
    // offer their dialogs.
    void bindFields(QWidget* panels, const ProductSchema& schema);
    // A product's rules around the shared show and commit: after a record
    // is shown, and before the panels' values are stored.
    virtual void appletShown() {}
    virtual void storingApplet(TAppletData& /*data*/) {}
    virtual void itemShown(std::size_t /*index*/) {}
    virtual void storingItem(std::size_t /*index*/, TItemData& /*item*/) {}
    // The change watch of the bound controls.
    virtual void fieldEdited(QWidget* control);
    // What an edit of a field does to the document's changed state.
    void markFieldEdited();
    virtual void showMenuPanels() = 0;
    virtual void showItemPanels() = 0;
    virtual TempletTexts templetTexts() const = 0;
    // Products that exchange menu structures say where the values live.
    virtual std::optional<MenuStructureMapping> structureMapping() const { return std::nullopt; }
    // Insert adds the item through this: a product whose new records depend
    // on their place makes them here.
    virtual TreeNode* insertItemNode(TreeNode* parent);
    // New, Open and import end here, once the new document and the files it
    // names are in place.
    virtual void documentReplaced() {}

    // What the platform layer needs to know of a product.
    static PlatformProduct platformOf(const ProductProfile& product);
    // The tree on the left, the product's panels on the right, at their
    // starting widths.
    void placeTreeAndPanels(QWidget* panels, int treeWidth, int panelsWidth);
    // The tree pane (the tree itself unless given) and the panels behind a
    // splitter the author can move; the tree's width is kept for next time.
    QSplitter* makeTreeSplitter(QWidget* panels, int treeWidth, int panelsWidth, QWidget* treePane = nullptr);
    // A window of a designed starting size in the middle of the screen; the
    // size is the smallest, and the window grows to show its texts whole.
    void placeCentred(int width, int height);

    // The start-up part of window creation, run by the product's constructor
    // once its panels exist.
    void FormCreate();
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    QAction* makeAction(const char* objectName, const QString& text, const QString& hint = {});

    // A command that changes the document's items records its own step:
    // the panels are committed (their changes become a step of their own),
    // then the recorder rests until endCommand pushes the command's step.
    void beginCommand();
    void endCommand(std::unique_ptr<EditStep> step);
    // Record values changed by a command since the last commit become one step.
    void recordChanges(const QString& name);

    // What the Help menu opens: shipped pages (relative to the share folder),
    // the maker's web links and the About text.
    struct HelpMenuTargets
    {
        std::string helpIndex = "help/index.html";
        std::string samplePage;
        QString homepage;
        QString contact;
        QString about;
    };
    // A menu of actions in the menu bar; a null entry is a separator, a
    // QMenu entry a sub-menu.
    QMenu* addMenuOf(const char* objectName, const QString& title, const QList<QObject*>& entries);
    // Help1 with Help Topics, View Sample, Homepage, Contact Us and About.
    QMenu* addHelpMenu(const HelpMenuTargets& targets);
    // The main tool bar (tlbrMain): each action with its button name; a null
    // action is a separator. The document commands get their standard icons.
    QToolBar* addMainToolBar(const QList<QPair<QAction*, const char*>>& buttons);
    // The menu builders' tool bar: New, Open, Save | Insert, Delete, Move Up,
    // Move Down | Build HTML, Preview | Help.
    QToolBar* addStandardToolBar(QAction* help);
    // The menus and tool bar of the menu builders: File, View, Item, Menu,
    // Option and Help, with the tool bar's four groups.
    void buildStandardMenus(const HelpMenuTargets& targets);
    virtual void HelpTopics1Click();
    virtual void ViewSample1Click();
    void About1Click();
    // Names a tool bar's button after its action (tlbtnSave for Save1 ...).
    static void nameToolButton(QToolBar* bar, QAction* action, const char* objectName);
    void showFailure(const Status& status);
    // The browser dialog in the product's form, reading the choice it keeps.
    std::unique_ptr<TformWebBrowser> createBrowserDialog();
    // For products that remove items on their own (Cut): the panels no
    // longer stand for any record.
    void forgetCurrentItemNode() { m_currentItemNode = nullptr; }
    // What the last save, open or staging left uncopied, in the hint line.
    void showCopyNotes();
    // Files the document names that the project folder lacks, after a save
    // (behind the copy notes just shown, when there are some).
    void showMissingFiles(const QString& folder, bool afterNotes);
    // A committed change of the document: a page open in the browser
    // follows it. Products whose edits do not mark the document changed
    // call it themselves.
    void documentEdited();

    QAction* m_actNew;
    QAction* m_actOpen;
    QAction* m_actSave;
    QAction* m_actSaveAs;
    QAction* m_actTemplates;
    QAction* m_actSaveAsTemplate;
    QAction* m_actImport;
    QAction* m_actExport;
    QAction* m_actExit;
    QAction* m_actToolBar;
    QAction* m_actStatusBar;
    QAction* m_actInsert;
    QAction* m_actDelete;
    QAction* m_actMoveUp;
    QAction* m_actMoveDown;
    QAction* m_actPreview;
    QAction* m_actBuildHTML;
    QAction* m_actPublish;
    QAction* m_actWebBrowser;
    QAction* m_actConvertText;
    QAction* m_actUndo = nullptr;
    QAction* m_actRedo = nullptr;

private:
    // A typed character the document's code page cannot hold was refused.
    void textRefused(char32_t character);
    void placeConvertTextAction();
    // Undo and Redo, and the Edit menu after File with the tool bar's buttons.
    void createHistoryActions();
    void placeEditMenu();
    void runHistory(bool undo);
    void updateUndoActions();
    bool queryLeaveDocument();
    bool saveAs(const QString& startFolder);
    bool saveTo(const QString& path);
    bool loadProject(const QString& path, bool asTemplate = false);
    bool isShippedFile(const QString& path) const;
    // Takes the current page as the unchanged state, for page comparison.
    void rememberPage();
    // What Save would write into the project file, empty when it cannot.
    std::string projectText() const;
    // A fresh document; the root takes the text a product gives it after New.
    void resetTree(bool afterNew = false);
    void buildTree();
    void buildStatusBar();
    void createActions();
    void treePressed();
    // Writes the page the browser is served, always with the browser
    // script runtime where the product has one.
    Status writeServedPreview(std::string& page);
    void openServedPreview();

    std::unique_ptr<TkztAppletAgent> m_agent;
    PlatformProduct m_platform;
    Settings m_settings;
    QTreeView* m_tree = nullptr;
    ItemTreeModel* m_model = nullptr;
    QMenu* m_popup = nullptr;
    QMenu* m_recentMenu = nullptr;
    QLabel* m_hint = nullptr;
    QProgressBar* m_progressBar = nullptr;
    std::unique_ptr<StatusProgress> m_progress;
    TformHTML* m_viewer = nullptr;
    QToolBar* m_toolBar = nullptr;
    QAction* m_actScriptRuntime = nullptr;
    HelpMenuTargets m_helpTargets;
    QLabel* m_encodingLabel = nullptr;
    TextEncodingGuard* m_encodingGuard = nullptr;
    TextEncoding m_encoding = TextEncoding::Utf8;

    bool m_modified = false;
    bool m_treeUpdating = false;
    QString m_projectFileName;
    std::string m_rememberedPage;
    std::string m_rememberedProject;
    TreeNode* m_currentItemNode = nullptr;
    // Selection changes seen; a press that causes none re-selects the node.
    unsigned m_selectionChanges = 0;
    unsigned m_changesAtPress = 0;
    std::unique_ptr<LivePreview> m_livePreview;
    std::unique_ptr<FieldBinding> m_appletFields;
    std::unique_ptr<FieldBinding> m_itemFields;
    QWidget* m_captionControl = nullptr;
    // The picture dialog's current file: the last one chosen.
    QString m_lastPicture;
    EditHistory* m_history = nullptr;
    QMetaObject::Connection m_focusWatch;
};

} // namespace kzt
