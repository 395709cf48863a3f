#include "AppletAgent.h"
#include "ColorDialog.h"
#include "ColorSwatch.h"
#include "EditingKit.h"
#include "FileAssociation.h"
#include "FileDialog.h"
#include "ItemTreeModel.h"
#include "MessageBox.h"
#include "ReadablePalette.h"
#include "Settings.h"
#include "THH_Launch.h"
#include "TfrmGlobalPropertiesChange.h"
#include "TreeNode.h"
#include "WindowTestWorld.h"
#include "vantrel/core/VantrelFields.h"
#include "vantrel/gui/TMainForm.h"
#include "vantrel/gui/VantrelHelp.h"
#include "vantrel/gui/VantrelPanels.h"
#include "vantrel/gui/VantrelPropertyLayout.h"
#include "vantrel/preview/TfrmWysiwyg.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>

#include <memory>

using kzt::MessageBox;
using namespace vantrel;

namespace {

const QString kSeparatorWarning = QStringLiteral("The text can't include \"#$@\", it is used by system!");
const QColor kGreyed(192, 192, 192);

std::string field(const kzt::TFieldRecord& record, std::size_t i)
{
    return std::string(record.get(i));
}

// Answers every modal dialog that shows while it lives with `act` and counts them.
class ModalWatch
{
public:
    explicit ModalWatch(std::function<void(QDialog*)> act) : m_act(std::move(act))
    {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog || !dialog->isVisible() || dialog == m_last)
                return;
            m_last = dialog;
            ++m_count;
            m_act(dialog);
        });
        m_timer.start();
    }
    int count() const { return m_count; }

private:
    std::function<void(QDialog*)> m_act;
    QTimer m_timer;
    QDialog* m_last = nullptr;
    int m_count = 0;
};

class World : public WindowTestWorld
{
public:
    World()
    {
        writeFile(path("share/help/index.html"), "<html><body>Help</body></html>");
        writeFile(path("share/samples/general_menu_golden_theme.html"), "<html><body>Sample</body></html>");
        QDir().mkpath(path("share/templates"));
    }
    ~World() override
    {
        if (window) {
            window->setModified(false);
            window->close();
        }
        window.reset();
    }

    kzt::AppPaths paths() const
    {
        kzt::AppPaths p;
        p.shareDir = path("share").toStdString();
        p.userDataDir = path("data/vantrel").toStdString();
        p.previewDir = p.userDataDir / "preview";
        return p;
    }
    TMainForm& open(bool withPreview = true)
    {
        window = std::make_unique<TMainForm>(paths());
        showWindow(*window);
        if (withPreview)
            window->showPreviewWindow();
        return *window;
    }

    std::unique_ptr<TMainForm> window;

protected:
    kzt::EditorMainWindow& editorWindow() override { return *window; }
};

} // namespace

class TMainFormTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<World> m_world;

    World& world() { return *m_world; }
    TMainForm& window() { return *m_world->window; }
    kzt::TkztAppletAgent& agent() { return window().agent(); }
    TfrmWysiwyg* preview() { return window().previewWindow(); }
    template <typename T> T* child(const char* name)
    {
        T* found = window().findChild<T*>(QString::fromLatin1(name));
        if (!found)
            qWarning("no control %s", name);
        return found;
    }
    QWidget* control(const char* name) { return child<QWidget>(name); }
    bool greyed(const char* name)
    {
        QWidget* w = control(name);
        if (auto* swatch = qobject_cast<kzt::ColorSwatch*>(w)) {
            // A colour panel shows grey, not its colour, while it does not apply.
            const QImage drawn = swatch->grab().toImage();
            return !swatch->isEnabled() && drawn.pixelColor(drawn.rect().center()) == kGreyed;
        }
        return w && !w->isEnabled() && w->palette().color(QPalette::Disabled, QPalette::Base) == kGreyed;
    }
    void choose(const char* combo, int index) { child<QComboBox>(combo)->setCurrentIndex(index); }
    void setChecked(const char* box, bool on) { child<QAbstractButton>(box)->setChecked(on); }
    QStringList shownTexts() const
    {
        QStringList out;
        for (const auto& shown : MessageBox::shown())
            out << shown.text;
        return out;
    }
    // Every cached picture equals what a fresh preview renders from the records.
    void expectCacheParallel()
    {
        window().commitPanels();
        QVERIFY(agent().IsConsistent());
        QCOMPARE(preview()->cacheLength(), agent().Items.size());
        TfrmWysiwyg fresh(agent());
        fresh.rebuildCache();
        for (std::size_t i = 0; i < agent().Items.size(); ++i)
            for (int state = 0; state < 3; ++state)
                QVERIFY2(preview()->cachedPicture(int(i), state) == fresh.cachedPicture(int(i), state),
                         qPrintable(QStringLiteral("item %1 state %2").arg(i).arg(state)));
    }
    QStringList captions()
    {
        QStringList out;
        for (std::size_t i = 1; i < agent().tree().count(); ++i)
            out << QString::fromStdString(agent().tree().nodeAt(i)->text());
        return out;
    }

private slots:
    void init() { m_world = std::make_unique<World>(); }
    void cleanup() { m_world.reset(); }

    void startUp_fixedNamesMenusAndTemplates()
    {
        TMainForm& w = world().open();
        QCOMPARE(w.windowTitle(), QStringLiteral("Vantrel 2005"));
        QCOMPARE(QString::fromStdString(agent().tree().root()->text()), QStringLiteral("Vantrel 2006"));
        QCOMPARE(QString::fromStdString(agent().info().fileFilter), QStringLiteral("Vantrel Files (*.vtp)|*.vtp"));
        QCOMPARE(kzt::Settings::settingsKey(TMainForm::platform()), QStringLiteral("Software/KZT/Vantrel/2.01/Settings"));
        // The association is written at start-up.
        QVERIFY(QFile::exists(kzt::FileAssociation::desktopEntryPath(TMainForm::platform())));
        QVERIFY(QFile::exists(kzt::FileAssociation::mimePackagePath(TMainForm::platform())));
        QVERIFY(world().readFile(kzt::FileAssociation::mimePackagePath(TMainForm::platform())).contains("*.vtp"));

        QStringList menus;
        for (QAction* action : w.menuBar()->actions())
            menus << action->text();
        QCOMPARE(menus, QStringList({"&File", "&Edit", "&View", "&Item", "&Applet", "&Option", "&Help"}));
        auto texts = [&](const char* menu) {
            QStringList out;
            for (QAction* action : child<QMenu>(menu)->actions())
                if (!action->isSeparator())
                    out << action->text();
            return out;
        };
        QCOMPARE(texts("File1"), QStringList({"&Templets", "&New...", "&Open...", "&Save", "Save &As...",
                                              "Recent Files", "Convert Text to &UTF-8", "E&xit"}));
        QCOMPARE(texts("View1"), QStringList({"Preview Window", "&Tool Bar", "Status Bar"}));
        QCOMPARE(texts("Item1"), QStringList({"I&nsert", "&Delete", "Move &Up", "Move &Down"}));
        QCOMPARE(texts("Applet1"), QStringList({"&Preview", "Build &HTML...", "Pu&blish..."}));
        QCOMPARE(texts("Option1"), QStringList({"Web &Browser...", "Script Runtime for Browsers Without Java"}));
        // The script runtime opt-in reaches the page the window builds, and off again leaves it out.
        QAction* runtime = w.scriptRuntimeAction();
        QVERIFY(!runtime->isChecked());
        const auto page = [&] { return QString::fromStdString(agent().BuildHTMLText()); };
        QVERIFY(!page().contains(QStringLiteral("vantrel20.js")));
        runtime->trigger();
        QVERIFY(page().contains(QStringLiteral("</applet>\r\n<script src=\"vantrel20.js\"></script>")));
        runtime->trigger();
        QVERIFY(!page().contains(QStringLiteral("vantrel20.js")));
        QCOMPARE(texts("Help1"), QStringList({"Help &Topics", "View &Sample...", "&Homepage", "&Contact Us", "&About"}));
        QCOMPARE(w.treePopupMenu()->actions().size(), 4);
        for (const char* button : {"tlbtnNew", "tlbtnOpen", "tlbtnSave", "tlbtnInsert", "tlbtnDelete", "tlbtnMoveUp",
                                   "tlbtnMoveDown", "tlbtnBuildHTML", "tlbtnPreview", "tlbtnHelp"})
            QVERIFY2(control(button), button);
        QVERIFY(child<QAction>("PreviewWindow1")->isChecked());
        QVERIFY(child<QAction>("ToolBar1")->isChecked());
        QVERIFY(child<QAction>("StatusBar1")->isChecked());
        QVERIFY(!child<QAction>("Save1")->isEnabled());

        // The status line shows the hint of the control under the mouse.
        QWidget* width = control("spnedtApWidth");
        QVERIFY(!width->statusTip().isEmpty());
        QTest::mouseMove(width);
        QTRY_COMPARE(child<QLabel>("stctxtHint")->text(), width->statusTip());

        // View > Preview Window hides and shows the preview; closing it unchecks.
        world().trigger("PreviewWindow1");
        QVERIFY(!preview()->isVisible());
        QVERIFY(!child<QAction>("PreviewWindow1")->isChecked());
        world().trigger("PreviewWindow1");
        QVERIFY(preview()->isVisible());
        preview()->close();
        QVERIFY(!child<QAction>("PreviewWindow1")->isChecked());

        // No file and no setting: the templates dialog is offered.
        {
            ModalWatch watch([](QDialog* dialog) { dialog->reject(); });
            w.startUp({});
            QCOMPARE(watch.count(), 1);
        }
        // A file argument opens the project and skips the dialog.
        const QString project = world().path("work/menu.vtp");
        world().copyFolder(QStringLiteral(KZT_SOURCE_DIR "/vantrel/share/templates"), world().path("work"));
        QFile::rename(world().path("work/paper_pictures.vtp"), project);
        {
            ModalWatch watch([](QDialog* dialog) { dialog->reject(); });
            w.startUp(project.split(QLatin1Char(' ')));
            QCOMPARE(watch.count(), 0);
        }
        QCOMPARE(w.projectFileName(), QFileInfo(project).absoluteFilePath());
        QVERIFY(agent().Items.size() > 3);
        QCOMPARE(preview()->cacheLength(), agent().Items.size());
        // The resources the project names are staged for the preview.
        QVERIFY(QFile::exists(world().path("data/vantrel/preview/paper_bg.gif")));
        // "ShowTempletsDialog" false skips the dialog.
        kzt::Settings(TMainForm::platform())
            .writeBool(kzt::Settings::settingsKey(TMainForm::platform()), QStringLiteral("ShowTempletsDialog"), false);
        {
            ModalWatch watch([](QDialog* dialog) { dialog->reject(); });
            w.startUp({});
            QCOMPARE(watch.count(), 0);
        }
    }

    void commitCycle_editSelectAnotherAndBackLosesNothing()
    {
        TMainForm& w = world().open();
        world().selectRoot();
        kzt::TreeNode* first = world().insertItem(QStringLiteral("  Home  "));
        QCOMPARE(QString::fromStdString(first->text()), QStringLiteral("Home"));
        QVERIFY(w.isModified());
        QVERIFY(child<QAction>("Save1")->isEnabled());
        QVERIFY(control("tlbtnSave")->isEnabled());
        world().selectRoot();
        kzt::TreeNode* second = world().insertItem(QStringLiteral("News"));

        world().select(first);
        QCOMPARE(child<QLineEdit>("edtICaption")->text(), QStringLiteral("Home"));
        child<QTabWidget>("pgcntrlApplet")->setCurrentIndex(VantrelPanels::ItemOverPage);
        child<QSpinBox>("spnedtItOvFntSize")->setValue(21);
        setChecked("spdbtnItOvFntBold", true);
        setChecked("spdbtnItClFntItalic", true);
        world().typeInto(child<QComboBox>("cmbxITarget")->lineEdit(), QStringLiteral("_blank"));
        kzt::ColorDialog::setNextColor(QColor(0, 0, 255));
        QTest::mouseClick(control("pnlItOvBgClr"), Qt::LeftButton);
        // The preview drew the edit at once.
        const std::size_t firstIndex = agent().ItemIndexOf(first);
        QCOMPARE(field(agent().Items[firstIndex], ItOvBgClr), std::string("0000FF"));
        QCOMPARE(preview()->frame().pixelColor(preview()->itemBoxes().at(0).left + 1, preview()->itemBoxes().at(0).top + 1),
                 QColor(0, 0, 255));

        world().select(second);
        QCOMPARE(child<QSpinBox>("spnedtItOvFntSize")->value(), 14);
        QVERIFY(!child<QToolButton>("spdbtnItOvFntBold")->isChecked());
        world().select(first);
        QCOMPARE(child<QSpinBox>("spnedtItOvFntSize")->value(), 21);
        QVERIFY(child<QToolButton>("spdbtnItOvFntBold")->isChecked());
        QVERIFY(child<QToolButton>("spdbtnItClFntItalic")->isChecked());
        QCOMPARE(child<QComboBox>("cmbxITarget")->currentText(), QStringLiteral("_blank"));

        const kzt::TItemData& record = agent().Items[firstIndex];
        QCOMPARE(field(record, ICaption), std::string("Home"));
        QCOMPARE(field(record, ItOvFntSize), std::string("21"));
        QCOMPARE(field(record, ItOvFntStyle), std::string("1"));
        QCOMPARE(field(record, ItClFntStyle), std::string("2"));
        QCOMPARE(field(record, ItNoFntStyle), std::string("0"));
        QCOMPARE(field(record, ITarget), std::string("_blank"));
        QCOMPARE(field(record, Level), std::string("0"));
        QCOMPARE(field(record, ItNoBgSnd), std::string());

        // An applet edit reaches the record and the preview's size.
        world().selectRoot();
        child<QSpinBox>("spnedtApWidth")->setValue(260);
        QCOMPARE(field(agent().AppletData, ApWidth), std::string("260"));
        QCOMPARE(preview()->width(), 260);
        QCOMPARE(preview()->frame().width(), 260);
        // A new child of a second-level item: level 2, indent 60.
        world().select(second);
        kzt::TreeNode* child1 = world().insertItem(QStringLiteral("Child"));
        kzt::TreeNode* grandChild = world().insertItem(QStringLiteral("Grandchild"));
        Q_UNUSED(child1);
        w.commitPanels();
        QCOMPARE(field(agent().Items[agent().ItemIndexOf(grandChild)], Level), std::string("2"));
        QCOMPARE(field(agent().Items[agent().ItemIndexOf(grandChild)], IX), std::string("60"));
    }

    void pageSwitches_reachThePreview()
    {
        world().open();
        world().selectRoot();
        kzt::ColorDialog::setNextColor(QColor(255, 0, 0));
        auto* pages = child<QTabWidget>("pgcntrlApplet");
        pages->setCurrentIndex(VantrelPanels::LoadingPage);
        child<QTabWidget>("pgcntrlLoading")->setCurrentIndex(2);
        QTest::mouseClick(control("pnlApLoadingBgClr"), Qt::LeftButton);
        QVERIFY(preview()->loadingPage());
        QCOMPARE(preview()->frame().pixelColor(1, 1), QColor(255, 0, 0));

        kzt::TreeNode* item = world().insertItem(QStringLiteral("One"));
        QCOMPARE(pages->currentIndex(), int(VantrelPanels::ItemGeneralPage));
        for (int page = 0; page < VantrelPanels::PageCount; ++page)
            QCOMPARE(pages->isTabVisible(page), page >= VantrelPanels::ItemGeneralPage);
        QVERIFY(!preview()->loadingPage());
        QVERIFY(preview()->itemGeneralPage());
        QVERIFY(preview()->frame().pixelColor(1, 1) != QColor(255, 0, 0));
        pages->setCurrentIndex(VantrelPanels::ItemOverPage);
        QVERIFY(preview()->itemOverPage() && !preview()->itemGeneralPage());
        QCOMPARE(preview()->shownState(), int(TfrmWysiwyg::MouseOver));
        pages->setCurrentIndex(VantrelPanels::ItemClickedPage);
        QVERIFY(preview()->itemClickedPage() && !preview()->itemOverPage());
        pages->setCurrentIndex(VantrelPanels::ItemNormalPage);
        QVERIFY(preview()->itemNormalPage());

        // Back at the root, the loading page last active shows the loading screen.
        world().selectRoot();
        for (int page = 0; page < VantrelPanels::PageCount; ++page)
            QCOMPARE(pages->isTabVisible(page), page < VantrelPanels::ItemGeneralPage);
        QCOMPARE(pages->currentIndex(), int(VantrelPanels::LoadingPage));
        QVERIFY(preview()->loadingPage());
        QCOMPARE(preview()->frame().pixelColor(1, 1), QColor(255, 0, 0));
        // Another applet page last active: the root comes back to "Applet Settings".
        pages->setCurrentIndex(VantrelPanels::ScrollBarPage);
        QVERIFY(!preview()->loadingPage());
        world().select(item);
        world().selectRoot();
        QCOMPARE(pages->currentIndex(), int(VantrelPanels::AppletSettingsPage));
    }

    void enablingRules_followTheGoverningControls()
    {
        world().open();
        world().selectRoot();
        // Defaults: image "Free", solid fill, raised border, bar and message 1
        // shown with automatic colour, message 2 hidden, no parameters file.
        QVERIFY(control("spnedtApBgImgX")->isEnabled());
        QVERIFY(greyed("pnlApBgFdClr"));
        QVERIFY(control("spnedtApBrdWidth")->isEnabled());
        QVERIFY(greyed("pnlApLoadingMsg1Clr"));
        QVERIFY(greyed("edtApLoadingMsg2"));
        QVERIFY(greyed("spdbtnApLoadingMsg2FontBold"));
        QVERIFY(greyed("edtAppletParametersFileName"));
        QCOMPARE(control("spnedtApBgImgX")->palette().color(QPalette::Active, QPalette::Base),
                 QApplication::palette().color(QPalette::Active, QPalette::Base));

        choose("cmbxApBgImgShowType", 1);
        QVERIFY(greyed("spnedtApBgImgX") && greyed("spnedtApBgImgY"));
        choose("cmbxApBgGrdntFllDrctn", 2);
        QVERIFY(control("pnlApBgFdClr")->isEnabled());
        choose("cmbxApBrdStyle", 0);
        QVERIFY(greyed("spnedtApBrdWidth") && greyed("pnlApBrdClr"));
        choose("cmbxApLoadingBarBrdStyle", 0);
        QVERIFY(greyed("spnedtApLoadingBarBrdWidth") && greyed("pnlApLoadingBarBrdClr"));
        QVERIFY(control("spnedtApLoadingBarX")->isEnabled());
        setChecked("chckbxShowLoadingBar", false);
        for (const char* name : {"spnedtApLoadingBarX", "spnedtApLoadingBarY", "spnedtApLoadingBarWidth",
                                 "spnedtApLoadingBarHeight", "cmbxApLoadingBarBrdStyle", "pnlApLoadingBarBlankClr",
                                 "pnlApLoadingBarFillClr"})
            QVERIFY2(greyed(name), name);
        choose("cmbxApLoadingBarBrdStyle", 1);
        setChecked("chckbxShowLoadingBar", true);
        QVERIFY(control("spnedtApLoadingBarBrdWidth")->isEnabled() && control("pnlApLoadingBarBrdClr")->isEnabled());
        setChecked("chckbxShowApLoadingMsg1", false);
        for (const char* name : {"edtApLoadingMsg1", "spnedtApLoadingMsg1X", "spnedtApLoadingMsg1Y",
                                 "spnedtApLoadingMsg1Width", "chckbxApLoadingMsg1AutoClr", "cmbxApLoadingMsg1FntName",
                                 "spnedtApLoadingMsg1FntSize", "spdbtnApLoadingMsg1FontBold",
                                 "spdbtnApLoadingMsg1FntItalic"})
            QVERIFY2(!control(name)->isEnabled(), name);
        setChecked("chckbxShowApLoadingMsg2", true);
        QVERIFY(control("edtApLoadingMsg2")->isEnabled());
        setChecked("chckbxApLoadingMsg2AutoClr", false);
        QVERIFY(control("pnlApLoadingMsg2Clr")->isEnabled());
        setChecked("chckbxLoadAppletParamFromFile", true);
        QVERIFY(control("edtAppletParametersFileName")->isEnabled());
        // The border without a style writes width "0", whatever the box shows.
        window().commitPanels();
        QCOMPARE(field(agent().AppletData, ApBrdWidth), std::string("0"));
        QCOMPARE(field(agent().AppletData, ApBrdStyle), std::string("0"));

        // Each look of an item: "No Border" for mouse over greys width and colour.
        world().insertItem(QStringLiteral("Item"));
        QVERIFY(greyed("spnedtItOvBrdWidth") && greyed("pnlItOvBrdClr"));
        choose("cmbxItOvBrdStyle", 3);
        QVERIFY(control("spnedtItOvBrdWidth")->isEnabled() && control("pnlItOvBrdClr")->isEnabled());
        QVERIFY(greyed("spnedtItNoBrdWidth"));
        child<QSpinBox>("spnedtItOvBrdWidth")->setValue(7);
        window().commitPanels();
        const std::size_t index = agent().ItemIndexOf(window().selectedNode());
        QCOMPARE(field(agent().Items[index], ItOvBrdWidth), std::string("7"));
        choose("cmbxItOvBrdStyle", 0);
        QVERIFY(greyed("spnedtItOvBrdWidth") && greyed("pnlItOvBrdClr"));
        QCOMPARE(child<QSpinBox>("spnedtItOvBrdWidth")->value(), 7);
        window().commitPanels();
        QCOMPARE(field(agent().Items[index], ItOvBrdWidth), std::string("0"));
        choose("spnedtItClBgImgAlign", 4);
        QVERIFY(greyed("spnedtItClBgImgX") && greyed("spnedtItClBgImgY"));
        QVERIFY(control("spnedtItNoBgImgX")->isEnabled());
        QVERIFY(greyed("pnlItNoBgFdClr"));
        choose("cmbxItNoBgGrdntFllDrctn", 3);
        QVERIFY(control("pnlItNoBgFdClr")->isEnabled());
    }

    void pickers_stageIntoThePreviewFolderOnly()
    {
        world().open();
        world().insertItem(QStringLiteral("Item"));
        world().writeFile(world().path("pictures/a b.gif"), "GIF89a");
        world().writeFile(world().path("sounds/tick.au"), ".snd");
        const auto outside = WindowTestWorld::snapshot(world().path("pictures"));

        auto* pages = child<QTabWidget>("pgcntrlApplet");
        pages->setCurrentIndex(VantrelPanels::ItemOverPage);
        kzt::FileDialog::setNextFileName(world().path("pictures/a b.gif"));
        world().click("spdbtnItOvBgImg");
        QCOMPARE(child<QLineEdit>("edtItemOvBgImg")->text(), QStringLiteral("a b.gif"));
        QCOMPARE(kzt::FileDialog::requests().back().filters,
                 kzt::FileDialog::toQtFilters(QStringLiteral(
                     "All Image Files(*.gif;*.jpg;*.jpeg)|*.gif;*.jpg;*.jpeg|GIF Image File (*.gif)|*.gif|"
                     "JPEG Image File (*.jpg)|*.jpg|JPEG Image File (*.jpeg)|*.jpeg")));
        QCOMPARE(world().readFile(world().path("data/vantrel/preview/a b.gif")), QByteArray("GIF89a"));
        QVERIFY(window().isModified());

        // Cancelling an image picker empties the box.
        kzt::FileDialog::setNextFileName(QString());
        world().click("spdbtnItOvBgImg");
        QCOMPARE(child<QLineEdit>("edtItemOvBgImg")->text(), QString());

        kzt::FileDialog::setNextFileName(world().path("sounds/tick.au"));
        world().click("spdbtnItClBgSnd");
        QCOMPARE(child<QLineEdit>("edtItemClBgSnd")->text(), QStringLiteral("tick.au"));
        QCOMPARE(kzt::FileDialog::requests().back().filters,
                 kzt::FileDialog::toQtFilters(QStringLiteral("Audio Files (*.au)|*.au")));
        QVERIFY(QFile::exists(world().path("data/vantrel/preview/tick.au")));
        QVERIFY(!control("spdbtnItNoBgSnd"));

        // The link picker writes a file URL.
        pages->setCurrentIndex(VantrelPanels::ItemGeneralPage);
        world().writeFile(world().path("site/a.html"), "<html></html>");
        kzt::FileDialog::setNextFileName(world().path("site/a.html"));
        world().click("spdbtnItURL");
        QCOMPARE(child<QComboBox>("cmbxIURL")->currentText(), QStringLiteral("file://") + world().path("site/a.html"));
        QCOMPARE(kzt::EditingKit::localUrl(QStringLiteral("C:\\web\\a.html")), QStringLiteral("file:///C|/web/a.html"));
        window().commitPanels();
        const kzt::TItemData& item = agent().Items[0];
        QCOMPARE(QString::fromStdString(field(item, IURL)), QStringLiteral("file://") + world().path("site/a.html"));
        QCOMPARE(field(item, ItOvBgImg), std::string());
        QCOMPARE(field(item, ItClBgSnd), std::string("tick.au"));

        // The applet's pickers and a colour.
        world().selectRoot();
        pages->setCurrentIndex(VantrelPanels::AppletBackgroundPage);
        kzt::FileDialog::setNextFileName(world().path("pictures/a b.gif"));
        world().click("spdbtnApBgImg");
        kzt::FileDialog::setNextFileName(world().path("sounds/tick.au"));
        world().click("spdbtnApBgSnd");
        kzt::ColorDialog::setNextColor(QColor(0, 0, 255));
        QTest::mouseClick(control("pnlApBgClr"), Qt::LeftButton);
        window().commitPanels();
        QCOMPARE(field(agent().AppletData, ApBgImg), std::string("a b.gif"));
        QCOMPARE(field(agent().AppletData, ApBgSnd), std::string("tick.au"));
        QCOMPARE(field(agent().AppletData, ApBgClr), std::string("0000FF"));
        QCOMPARE(WindowTestWorld::snapshot(world().path("pictures")), outside);
    }

    void separatorGuard_emptiesEveryTextBox()
    {
        world().open();
        world().selectRoot();
        child<QTabWidget>("pgcntrlApplet")->setCurrentIndex(VantrelPanels::LoadingPage);
        child<QTabWidget>("pgcntrlLoading")->setCurrentIndex(1);
        world().typeInto(control("edtApLoadingMsg1"), QStringLiteral("a#$@b"));
        QCOMPARE(child<QLineEdit>("edtApLoadingMsg1")->text(), QStringLiteral("b"));
        QCOMPARE(shownTexts().count(kSeparatorWarning), 1);
        world().insertItem(QStringLiteral("Item"));
        for (const char* name : {"edtICaption", "cmbxIURL", "cmbxITarget", "edtIDescription"}) {
            MessageBox::reset();
            MessageBox::setScripted(true);
            QWidget* box = control(name);
            if (auto* combo = qobject_cast<QComboBox*>(box))
                combo->setEditText(QStringLiteral("x#$@y"));
            else
                qobject_cast<QLineEdit*>(box)->setText(QStringLiteral("x#$@y"));
            QCOMPARE(shownTexts(), QStringList{kSeparatorWarning});
            if (auto* combo = qobject_cast<QComboBox*>(box))
                QCOMPARE(combo->currentText(), QString());
            else
                QCOMPARE(qobject_cast<QLineEdit*>(box)->text(), QString());
        }
        window().commitPanels();
        for (const std::string& value : agent().Items[0].toStrings())
            QVERIFY(value.find("#$@") == std::string::npos);
        QCOMPARE(agent().tree().nodeAt(1)->text(), std::string());
    }

    void parametersFileName_refusedWhenASaveCouldNotWriteIt()
    {
        world().open();
        QDir().mkpath(world().path("site"));
        {
            kzt::TkztAppletAgent made(agent().product(), agent().paths());
            QVERIFY(made.SaveProject(world().path("site").toStdString(), "menu.vtp").ok());
        }
        QVERIFY(window().OpenProject(world().path("site/menu.vtp")));
        world().selectRoot();
        auto* edit = child<QLineEdit>("edtAppletParametersFileName");
        for (const char* name : {"menu.vtp", "menu.html", "menu_PublishReport.txt", "vantrel20.class", "sub/p.txt"}) {
            MessageBox::reset();
            MessageBox::setScripted(true);
            edit->setText(QString::fromLatin1(name));
            emit edit->editingFinished();
            QCOMPARE(shownTexts().size(), 1);
            QVERIFY2(shownTexts().front().startsWith(QStringLiteral("The parameters file")), name);
            QCOMPARE(edit->text(), QString());
        }
        MessageBox::reset();
        MessageBox::setScripted(true);
        edit->setText(QStringLiteral("menu_params.txt"));
        emit edit->editingFinished();
        QVERIFY(shownTexts().isEmpty());
        QCOMPARE(edit->text(), QStringLiteral("menu_params.txt"));
    }

    void initialVisibility_rulesOfTheBox()
    {
        TMainForm& w = world().open();
        world().selectRoot();
        kzt::TreeNode* top = world().insertItem(QStringLiteral("Top"));
        kzt::TreeNode* second = world().insertItem(QStringLiteral("Second"));
        kzt::TreeNode* thirdA = world().insertItem(QStringLiteral("ThirdA"));
        kzt::TreeNode* fourth = world().insertItem(QStringLiteral("Fourth"));
        world().select(second);
        kzt::TreeNode* thirdB = world().insertItem(QStringLiteral("ThirdB"));
        auto visible = [&](kzt::TreeNode* node) {
            w.commitPanels();
            return field(agent().Items[agent().ItemIndexOf(node)], ItemInitVisible);
        };
        QCOMPARE(visible(fourth), std::string("1"));

        // A top-level item stays visible.
        world().select(top);
        choose("cmbxItemInitVisible", 0);
        QCOMPARE(child<QComboBox>("cmbxItemInitVisible")->currentIndex(), 1);
        QCOMPARE(visible(top), std::string("1"));

        // A third-level item made invisible hides its siblings and their subtrees, not its parent.
        world().select(thirdA);
        choose("cmbxItemInitVisible", 0);
        QCOMPARE(visible(thirdA), std::string("0"));
        QCOMPARE(visible(thirdB), std::string("0"));
        QCOMPARE(visible(fourth), std::string("0"));
        QCOMPARE(visible(second), std::string("1"));
        // A new child under an item whose children are invisible joins them.
        world().select(thirdB);
        kzt::TreeNode* fresh = world().insertItem(QStringLiteral("Fresh"));
        QCOMPARE(visible(fresh), std::string("0"));
        // Visible climbs to the top, leaving descendants alone.
        world().select(fourth);
        choose("cmbxItemInitVisible", 1);
        QCOMPARE(visible(fourth), std::string("1"));
        QCOMPARE(visible(thirdA), std::string("1"));
        QCOMPARE(visible(thirdB), std::string("1"));
        QCOMPARE(visible(fresh), std::string("0"));
        // The panels show the rule's result when the item is shown again.
        world().select(fresh);
        QCOMPARE(child<QComboBox>("cmbxItemInitVisible")->currentIndex(), 0);
    }

    void structuralEdits_keepPreviewCacheParallel()
    {
        world().open();
        world().selectRoot();
        kzt::TreeNode* a = world().insertItem(QStringLiteral("A"));
        world().insertItem(QStringLiteral("A1"));
        world().insertItem(QStringLiteral("A1a"));
        world().select(a);
        world().insertItem(QStringLiteral("A2"));
        world().selectRoot();
        kzt::TreeNode* b = world().insertItem(QStringLiteral("B"));
        world().insertItem(QStringLiteral("B1"));
        world().selectRoot();
        kzt::TreeNode* c = world().insertItem(QStringLiteral("C"));
        world().selectRoot();
        world().insertItem(QStringLiteral("D"));
        expectCacheParallel();
        QCOMPARE(captions(), QStringList({"A", "A1", "A1a", "A2", "B", "B1", "C", "D"}));

        auto rendersSince = [this](std::int64_t before) { return preview()->renderCount() - before; };
        // Moves: a two-record run past a four-record run (both ways), a
        // single record past a two-record run.
        world().select(b);
        std::int64_t before = preview()->renderCount();
        world().click("tlbtnMoveUp");
        QCOMPARE(captions(), QStringList({"B", "B1", "A", "A1", "A1a", "A2", "C", "D"}));
        QVERIFY(rendersSince(before) < 3 * 8);
        expectCacheParallel();
        world().click("tlbtnMoveDown");
        QCOMPARE(captions(), QStringList({"A", "A1", "A1a", "A2", "B", "B1", "C", "D"}));
        expectCacheParallel();
        world().select(c);
        world().click("tlbtnMoveUp");
        QCOMPARE(captions(), QStringList({"A", "A1", "A1a", "A2", "C", "B", "B1", "D"}));
        expectCacheParallel();
        world().click("tlbtnMoveDown");
        world().click("tlbtnMoveDown");
        QCOMPARE(captions(), QStringList({"A", "A1", "A1a", "A2", "B", "B1", "D", "C"}));
        expectCacheParallel();

        // Delete with descendants: one entry per removed record.
        world().select(a);
        MessageBox::setNextAnswer(MessageBox::Yes);
        before = preview()->renderCount();
        world().click("tlbtnDelete");
        QCOMPARE(shownTexts().last(), QStringLiteral("Are you sure to delete this item and all it's children?"));
        QCOMPARE(captions(), QStringList({"B", "B1", "D", "C"}));
        QVERIFY(rendersSince(before) < 3 * 4);
        expectCacheParallel();
        // "No" keeps everything; the root cannot go.
        world().select(b);
        MessageBox::setNextAnswer(MessageBox::No);
        world().click("tlbtnDelete");
        QCOMPARE(captions().size(), 4);
        world().selectRoot();
        QVERIFY(!child<QAction>("Delete1")->isEnabled());
        window().Delete1Click();
        QCOMPARE(shownTexts().last(), QStringLiteral("You can't delete root item."));
        QVERIFY(window().isModified());

        // Insert under a nested item, through the tree's pop-up menu.
        world().select(b);
        before = preview()->renderCount();
        window().treePopupMenu()->actions().at(0)->trigger();
        QCOMPARE(captions(), QStringList({"B", "B1", "Item", "D", "C"}));
        QVERIFY(rendersSince(before) < 3 * 5);
        expectCacheParallel();
        // New empties the document and the cache.
        MessageBox::setNextAnswer(MessageBox::No);
        world().trigger("New1");
        QCOMPARE(preview()->cacheLength(), std::size_t(0));
        QCOMPARE(captions(), QStringList());
        QVERIFY(!window().isModified());
        QVERIFY(!child<QAction>("Save1")->isEnabled());
    }

    void damagedProjects_openWithoutLosingStep()
    {
        TMainForm& w = world().open();
        world().copyFolder(QStringLiteral(KZT_SOURCE_DIR "/vantrel/share/templates"), world().path("work"));
        const QByteArray good = world().readFile(world().path("work/ocean_glide.vtp"));
        QVERIFY(good.size() > 200);
        world().writeFile(world().path("work/truncated.vtp"), good.left(good.size() / 2));
        QByteArray noise;
        for (int i = 0; i < 4096; ++i)
            noise.append(char((i * 7919 + 13) % 256));
        world().writeFile(world().path("work/noise.vtp"), noise);
        // Hand-edited values no window writes: a word for a width, a huge
        // height, a level that jumps, a colour that is no colour.
        QVERIFY(w.OpenProject(world().path("work/ocean_glide.vtp")));
        QVERIFY(agent().Items.size() >= 3);
        agent().Items[0].set(IWidth, "wide");
        agent().Items[1].set(IHeight, "99999999999");
        agent().Items[1].set(Level, "7");
        agent().Items[2].set(ItNoBgClr, "#12");
        agent().AppletData.set(ApWidth, "-5");
        QVERIFY(agent().WriteProjectFile(world().path("work/edited.vtp").toStdString()).ok());
        w.setModified(false);

        for (const char* name : {"truncated.vtp", "noise.vtp", "edited.vtp"}) {
            MessageBox::reset();
            MessageBox::setScripted(true);
            w.OpenProject(world().path(QStringLiteral("work/") + QLatin1String(name)));
            QVERIFY2(agent().IsConsistent(), name);
            QCOMPARE(preview()->cacheLength(), agent().Items.size());
            QVERIFY(preview()->width() >= 1 && preview()->height() >= 1);
            for (std::size_t i = 0; i < std::min<std::size_t>(agent().Items.size(), 4); ++i)
                world().selectItem(i);
            world().selectRoot();
            QVERIFY2(agent().IsConsistent(), name);
            QCOMPARE(preview()->cacheLength(), agent().Items.size());
            w.setModified(false);
        }
    }

    void previewResize_writesBackThroughTheBoxes()
    {
        world().open();
        world().selectRoot();
        preview()->resize(321, 234);
        QTRY_COMPARE(child<QSpinBox>("spnedtApWidth")->value(), 321);
        QCOMPARE(child<QSpinBox>("spnedtApHeight")->value(), 234);
        window().commitPanels();
        QCOMPARE(field(agent().AppletData, ApWidth), std::string("321"));
        QCOMPARE(field(agent().AppletData, ApHeight), std::string("234"));
        QVERIFY(window().isModified());
        QCOMPARE(preview()->size(), QSize(321, 234));
        // A size typed in a box sizes the preview.
        child<QSpinBox>("spnedtApHeight")->setValue(150);
        QTRY_COMPARE(preview()->height(), 150);
        QCOMPARE(preview()->width(), 321);
    }

    void close_withChangesAsks_andAFailedSaveKeepsTheDocument()
    {
        TMainForm& w = world().open();
        world().insertItem(QStringLiteral("First"));
        MessageBox::setNextAnswer(MessageBox::Cancel);
        w.close();
        QVERIFY(w.isVisible());
        QCOMPARE(shownTexts().last(), QStringLiteral("Save changes to files before Exit?"));

        // Saved once, then the page can no longer be written.
        const QString project = world().path("site/menu.vtp");
        QDir().mkpath(world().path("site"));
        kzt::FileDialog::setNextFileName(project);
        world().trigger("Save1");
        QVERIFY(!w.isModified());
        const QByteArray saved = world().readFile(project);
        QVERIFY(saved.contains("First"));
        QFile::remove(world().path("site/menu.html"));
        QDir().mkpath(world().path("site/menu.html"));
        world().typeInto(control("edtICaption"), QStringLiteral("Second"));
        MessageBox::setNextAnswer(MessageBox::Yes);
        w.close();
        QVERIFY(w.isVisible());
        QVERIFY(w.isModified());
        QVERIFY(child<QAction>("Save1")->isEnabled());
        QCOMPARE(world().readFile(project), saved);
        QCOMPARE(QString::fromStdString(agent().tree().nodeAt(1)->text()), QStringLiteral("Second"));

        // "No" leaves without saving and clears the preview folder.
        MessageBox::setNextAnswer(MessageBox::No);
        w.close();
        QVERIFY(!w.isVisible());
        QCOMPARE(world().readFile(project), saved);
        QVERIFY(!QDir(world().path("data/vantrel/preview")).exists());
    }

    void globalPropertiesChange_checksTheLookAndRedraws()
    {
        TMainForm& w = world().open();
        world().selectRoot();
        kzt::TreeNode* source = world().insertItem(QStringLiteral("Source"));
        world().selectRoot();
        world().insertItem(QStringLiteral("Target"));
        world().select(source);
        child<QTabWidget>("pgcntrlApplet")->setCurrentIndex(VantrelPanels::ItemOverPage);
        child<QSpinBox>("spnedtItOvFntSize")->setValue(30);
        w.setModified(false);
        const std::int64_t before = preview()->renderCount();
        int checkedState = -1;
        QVariant context;
        std::size_t sourcePosition = 99;
        ModalWatch watch([&](QDialog* dialog) {
            auto* bulk = qobject_cast<kzt::TfrmGlobalPropertiesChange*>(dialog);
            QVERIFY(bulk);
            context = bulk->property("helpContext");
            sourcePosition = bulk->sourcePosition();
            if (QCheckBox* over = bulk->stateBox(ItOvFntName))
                checkedState = over->isChecked() ? 1 : 0;
            bulk->accept();
        });
        world().click("bttnItOvGlobalChange");
        QCOMPARE(watch.count(), 1);
        QCOMPARE(context.toInt(), int(hcGlobalPropertiesChange));
        QCOMPARE(sourcePosition, std::size_t(0));
        if (!globalPropertiesLayout().states.empty())
            QCOMPARE(checkedState, 1);
        // The source's edit was committed before the dialog saw it.
        QCOMPARE(field(agent().Items[0], ItOvFntSize), std::string("30"));
        QVERIFY(w.isModified());
        QVERIFY(child<QAction>("Save1")->isEnabled());
        // Nothing was copied, so nothing is drawn again: the preview follows
        // what a copy changes through the record events.
        QCOMPARE(preview()->renderCount() - before, std::int64_t(0));
        expectCacheParallel();
    }

    void help_contextsTopicsAndSample()
    {
        world().open();
        auto* pages = child<QTabWidget>("pgcntrlApplet");
        const int expected[] = {8, 9, 29, 31, 34, 36, 37, 38, 39};
        for (int page = 0; page < VantrelPanels::PageCount; ++page)
            QCOMPARE(pages->widget(page)->property("helpContext").toInt(), expected[page]);
        auto* loading = child<QTabWidget>("pgcntrlLoading");
        QCOMPARE(loading->widget(0)->property("helpContext").toInt(), 31);
        QCOMPARE(loading->widget(1)->property("helpContext").toInt(), 32);
        QCOMPARE(loading->widget(2)->property("helpContext").toInt(), 33);
        QCOMPARE(window().treeView()->property("helpContext").toInt(), 43);
        QVERIFY(window().helpLauncher());
        QCOMPARE(kzt::THH_Launch::instance(), window().helpLauncher());

        // F1 asks for the context of the page the focused control is on.
        QList<int> asked;
        window().helpLauncher()->OnHelp = [&](kzt::THH_Launch::Request, int context, const QString&) {
            asked << context;
            return true;
        };
        world().selectRoot();
        pages->setCurrentIndex(VantrelPanels::ScrollBarPage);
        QTest::keyClick(control("spnedtVSBWidth"), Qt::Key_F1);
        pages->setCurrentIndex(VantrelPanels::LoadingPage);
        loading->setCurrentIndex(1);
        QTest::keyClick(control("edtApLoadingMsg1"), Qt::Key_F1);
        QTest::keyClick(window().treeView(), Qt::Key_F1);
        QCOMPARE(asked, QList<int>({29, 32, 43}));
        window().helpLauncher()->OnHelp = nullptr;

        world().trigger("HelpTopics1");
        QVERIFY(window().helpLauncher()->window());
        world().trigger("ViewSample1");
        QVERIFY(!world().launches().launches().empty());
        QCOMPARE(world().launches().launches().back().target, world().path("share/samples/general_menu_golden_theme.html"));
    }

    void webBrowser_olderDialogChoiceReachesPreview()
    {
        world().open();
        QVERIFY(agent().info().olderBrowserDialog);
        world().addProgram(QStringLiteral("mybrowser"));
        const QString browser = world().path("bin/mybrowser");
        ModalWatch watch([&](QDialog* dialog) {
            QCOMPARE(dialog->objectName(), QStringLiteral("formWebBrowser"));
            dialog->findChild<QRadioButton*>(QStringLiteral("RadioButtonBrowserUserSpecify"))->setChecked(true);
            kzt::FileDialog::setNextFileName(browser);
            QTest::mouseClick(dialog->findChild<QAbstractButton*>(QStringLiteral("spdbtnOpenExeFile")), Qt::LeftButton);
            QTest::mouseClick(dialog->findChild<QAbstractButton*>(QStringLiteral("bitbtnOk")), Qt::LeftButton);
        });
        world().trigger("WebBrowser1");
        QCOMPARE(watch.count(), 1);
        // The older form keeps the program in the per-user folder.
        QVERIFY(world().readFile(world().path("data/vantrel/wbrwsr.dat")).contains("mybrowser"));
        world().trigger("Preview1");
        QVERIFY(!world().launches().launches().empty());
        const kzt::Launcher::Launch& launch = world().launches().launches().back();
        QCOMPARE(launch.target, browser);
        QVERIFY(launch.arguments.join(QLatin1Char(' ')).endsWith(QStringLiteral("~preview.html")));
    }

    void disabledBox_drawsItsTextReadably()
    {
        world().open(false);
        child<QTabWidget>("pgcntrlApplet")->setCurrentWidget(control("tbshtAdvanced"));
        auto* box = child<QLineEdit>("edtAppletParametersFileName");
        QVERIFY(greyed("edtAppletParametersFileName"));
        QCOMPARE(box->text(), QStringLiteral("vantrel2_params_file"));
        // The darkest ink of the drawn text against the box's own field.
        const QImage drawn = box->grab().toImage();
        const QColor field = drawn.pixelColor(drawn.width() - 3, drawn.height() / 2);
        QColor ink = field;
        for (int y = 0; y < drawn.height(); ++y)
            for (int x = 2; x < drawn.width() - 2; ++x)
                if (drawn.pixelColor(x, y).lightness() < ink.lightness())
                    ink = drawn.pixelColor(x, y);
        QVERIFY2(kzt::ReadablePalette::contrast(ink, field) >= 4.5,
                 qPrintable(QStringLiteral("%1 on %2").arg(ink.name(), field.name())));
        setChecked("chckbxLoadAppletParamFromFile", true);
        QVERIFY(box->isEnabled());
    }

    void eightBitCaptions_readTheSameInTreeAndPreview()
    {
        world().open();
        kzt::TreeNode* node = world().insertItem(QStringLiteral("x"));
        agent().SetCaption(agent().ItemIndexOf(node), "Caf\xe9 \xfc""ber");
        const QModelIndex index = window().treeModel()->indexOf(node);
        QCOMPARE(index.data().toString(), QStringLiteral("Caf\u00e9 \u00fc""ber"));
        // The preview draws what a UTF-8 caption of the same words draws.
        TfrmWysiwyg legacy(agent());
        legacy.rebuildCache();
        const QImage before = legacy.cachedPicture(0, 0);
        agent().SetCaption(agent().ItemIndexOf(node), "Caf\xc3\xa9 \xc3\xbc""ber");
        TfrmWysiwyg utf8(agent());
        utf8.rebuildCache();
        QCOMPARE(before, utf8.cachedPicture(0, 0));
    }
};

QTEST_MAIN(TMainFormTest)
#include "TMainFormTest.moc"
