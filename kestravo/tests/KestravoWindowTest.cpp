// The kestravo window driven by object name: layout, the selection protocol,
// the separator guard, saving, the structure exchange, the help window,
// templates and bytes the author never edited.
#include "WindowFixture.h"

#include "ColorDialog.h"
#include "ColorSwatch.h"
#include "FileDialog.h"
#include "ItemTreeModel.h"
#include "MessageBox.h"
#include "TformHTML.h"
#include "TreeNode.h"
#include "kestravo/core/KestravoProfile.h"
#include "kestravo/gui/KestravoPanels.h"
#include "kestravo/gui/TfrmHelp.h"

#include <QAction>
#include <QApplication>
#include <QEnterEvent>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>
#include <QTreeView>

using namespace kestravo;
using kzt::FileDialog;
using kzt::MessageBox;

namespace {

// A project as an older version may have left it: 8-bit text that is not UTF-8.
QByteArray latin1Project()
{
    return QByteArray("<Warning_Info>\r\n"
                      "Note: This file be created and maintained by Kestravo 1.0.\r\n"
                      "It may cause the project file can't be opened correctly if you modify it by yourself!\r\n"
                      "</Warning_Info>\r\n"
                      "<Product_Name>\r\nKestravo\r\n</Product_Name>\r\n"
                      "<Product_Version>\r\n1.0\r\n</Product_Version>\r\n"
                      "<Applet_Parameters>\r\n"
                      "200#$@Bitte w\xe4hlen ...#$@Verdana, Caf\xe9#$@10#$@0#$@0#$@001F5B#$@F2F5FF#$@FFFFFF#$@C0C0C0#$@"
                      "FFFFFF#$@8099CA#$@677695#$@ECF0F8#$@677695#$@FFFFFF#$@file:///C|/s\xe9/#$@#$@1#$@\r\n"
                      "</Applet_Parameters>\r\n"
                      "<Item_Parameters>\r\n"
                      "Men\xfc#$@caf\xe9.html#$@_self#$@0#$@#$@\r\n"
                      "Stra\xdf" "e#$@#$@_blank#$@1#$@#$@\r\n"
                      "\xc4nderung#$@x.html#$@_top#$@0#$@#$@\r\n"
                      "</Item_Parameters>\r\n");
}

QStringList visibleTabs(const KestravoPanels* panels)
{
    QStringList names;
    for (int i = 0; i < panels->count(); ++i) {
        if (panels->isTabVisible(i))
            names << panels->widget(i)->objectName();
    }
    return names;
}

QString helpPage(WindowFixture& f)
{
    return QFileInfo(f.window().helpWindow()->currentPage()).fileName();
}

} // namespace

class KestravoWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void layout_pagesGroupsAndControlsByName()
    {
        WindowFixture f;
        TMainForm& w = f.window();
        QCOMPARE(w.windowTitle(), QStringLiteral("Kestravo"));
        QCOMPARE(w.size(), QSize(772, 532));
        QCOMPARE(w.treeModel()->data(w.treeModel()->indexOf(f.agent().tree().root()), Qt::DisplayRole).toString(),
                 QStringLiteral("Kestravo"));
        QCOMPARE(w.panels()->tabText(2), QStringLiteral("Local && Web Path Conversion"));
        QCOMPARE(visibleTabs(w.panels()), (QStringList{"tbshtMenu", "tbshtPath"}));
        for (const char* name :
             {"spnedtpMenuWidth", "edtPTipMessage", "edtpMenuFontFamily", "spnedtpMenuFontSize",
              "spdbtnpMenuFontWeight", "spdbtnpMenuFontStyle", "pnlpMenuColor", "pnlpMenuBGColor", "pnlpTipMsgColor",
              "pnlpTipMsgBGColor", "pnlpMainItemColor", "pnlpMainItemBGColor", "pnlpSubItemColor",
              "pnlpSubItemBGColor", "pnlpSubItemAlternationColor", "pnlpSubItemAlternationBGColor", "edtICaption",
              "cmbxpURL", "spdbtnpURL", "cmbxpTarget", "edtpInternalUse_RootDir_Local",
              "edtpInternalUse_RootDir_Remote", "rdbtnpInternalUse_RootDir_Local_Checked",
              "rdbtnpInternalUse_RootDir_Local_Checked2", "trvwDesignPanel", "stctxtHint", "prgrsbrMainFormBottom",
              "tlbtnNew", "tlbtnOpen", "tlbtnSave", "tlbtnInsert", "tlbtnDelete", "tlbtnMoveUp", "tlbtnMoveDown",
              "tlbtnBuildHTML", "tlbtnPreview", "tlbtnHelp"})
            QVERIFY2(w.findChild<QWidget*>(QString::fromLatin1(name)), name);
        for (const char* name : {"New1", "Open1", "Save1", "Save2", "Templates1", "SaveAsTemplate1",
                                 "ImportMenuStructure1", "ExportMenuStructure1", "Exit1", "ToolBar1", "StatusBar1",
                                 "Insert1", "Delete1", "MoveUp1", "MoveDown1", "Preview1", "BuildHTML1", "Publish1",
                                 "WebBrowser1", "HelpTopics1", "ViewSample1", "About1"})
            QVERIFY2(w.findChild<QAction*>(QString::fromLatin1(name)), name);
        QCOMPARE(f.child<QAction>("SaveAsTemplate1")->text(), QStringLiteral("S&ave As Template"));
        QCOMPARE(f.child<QSpinBox>("spnedtpMenuWidth")->minimum(), -9999);
        QCOMPARE(f.child<QSpinBox>("spnedtpMenuFontSize")->maximum(), 9999);
        QCOMPARE(w.panels()->helpButtons().size(), 10);
        // The descriptions are part of the window's text.
        QStringList lines;
        for (const QLabel* label : w.findChildren<QLabel*>())
            lines << label->text();
        for (const char* text : {"The width of the menu in pixels.", "The color of alter- nation sub item.",
                                 "Specifies font family, size and style", "e.g. file:///C:/projects/websites/brevane/"})
            QVERIFY2(lines.contains(QString::fromLatin1(text)), text);
        // The help window exists from the start, hidden.
        QVERIFY(w.helpWindow());
        QVERIFY(!w.helpWindow()->isVisible());
        QCOMPARE(w.helpWindow()->windowTitle(), QStringLiteral("Help"));
        QCOMPARE(w.helpWindow()->size(), QSize(402, 428));
    }

    void startDocument_savedAtOnce_writesTheDefaultLine()
    {
        WindowFixture f;
        // The path flag starts empty: both buttons unchecked.
        QVERIFY(!f.child<QRadioButton>("rdbtnpInternalUse_RootDir_Local_Checked")->isChecked());
        QVERIFY(!f.child<QRadioButton>("rdbtnpInternalUse_RootDir_Local_Checked2")->isChecked());
        const QString file = f.path(QStringLiteral("site/menu.ksdm"));
        QDir().mkpath(QFileInfo(file).absolutePath());
        FileDialog::setNextFileName(file);
        f.trigger("Save2");
        QCOMPARE(WindowFixture::readFile(file),
                 WindowFixture::readFile(QStringLiteral(KZT_TEST_DATA_DIR "/new_document.ksdm")));
    }

    void rootAfterItem_writesItemBackAndHidesItemPage()
    {
        WindowFixture f;
        f.insertItem(QStringLiteral("Home"));
        QCOMPARE(visibleTabs(f.window().panels()), (QStringList{"tbshtItem", "tbshtPath"}));
        WindowFixture::typeInto(f.child<QComboBox>("cmbxpURL"), QStringLiteral(" index.html "));
        f.selectRoot();
        QCOMPARE(f.agent().Items[0].get(ICaption), std::string("Home"));
        QCOMPARE(f.agent().Items[0].get(pURL), std::string("index.html"));
        QCOMPARE(visibleTabs(f.window().panels()), (QStringList{"tbshtMenu", "tbshtPath"}));
        // The menu record waits for the next commit.
        WindowFixture::typeInto(f.child<QLineEdit>("edtPTipMessage"), QStringLiteral("Go to"));
        f.insertItem(QStringLiteral("Second"));
        f.selectRoot();
        QCOMPARE(f.agent().AppletData.get(pTipMessage), std::string("Please select ..."));
        // Save As commits before it asks for a name; no name cancels it.
        FileDialog::setNextFileName(QString());
        f.trigger("Save2");
        QCOMPARE(f.agent().AppletData.get(pTipMessage), std::string("Go to"));
        QVERIFY(f.agent().IsConsistent());
        QVERIFY(f.window().isModified());
    }

    void separatorInCaption_clearsCaptionAndNodeText()
    {
        WindowFixture f;
        kzt::TreeNode* node = f.insertItem(QStringLiteral("Menu"));
        QCOMPARE(node->text(), std::string("Menu"));
        QTest::keyClicks(f.child<QLineEdit>("edtICaption"), QStringLiteral("#$@"));
        QCOMPARE(MessageBox::shown().back().text, QStringLiteral("The text can't include \"#$@\", it is used by system!"));
        QCOMPARE(MessageBox::shown().back().buttons, MessageBox::Buttons(MessageBox::Yes));
        QCOMPARE(f.child<QLineEdit>("edtICaption")->text(), QString());
        QCOMPARE(node->text(), std::string());
        // The same guard on the other text controls.
        f.selectRoot();
        for (const char* name : {"edtPTipMessage", "edtpMenuFontFamily", "edtpInternalUse_RootDir_Local"}) {
            auto* edit = f.child<QLineEdit>(name);
            WindowFixture::typeInto(edit, QStringLiteral("a#$@b"));
            QVERIFY2(!edit->text().contains(QStringLiteral("#$@")), name);
        }
    }

    void saveAs_withUncommittedEdits_savesThem()
    {
        WindowFixture f;
        f.insertItem(QStringLiteral("Products"));
        f.child<QComboBox>("cmbxpTarget")->setEditText(QStringLiteral("_blank"));
        f.selectRoot();
        WindowFixture::typeInto(f.child<QLineEdit>("edtPTipMessage"), QStringLiteral("Choose"));
        f.child<QToolButton>("spdbtnpMenuFontWeight")->click();
        f.selectItem(0);
        WindowFixture::typeInto(f.child<QLineEdit>("edtICaption"), QStringLiteral("Catalogue"));
        const QString file = f.path(QStringLiteral("site/shop.ksdm"));
        QDir().mkpath(QFileInfo(file).absolutePath());
        FileDialog::setNextFileName(file);
        f.trigger("Save2");
        const QByteArray saved = WindowFixture::readFile(file);
        QVERIFY(saved.contains("200#$@Choose#$@Verdana, Arial, Helvetica, sans-serif#$@10#$@1#$@0#$@"));
        QVERIFY(saved.contains("\nCatalogue#$@#$@_blank#$@0#$@#$@\r\n"));
        QVERIFY(QFileInfo::exists(f.path(QStringLiteral("site/shop.html"))));
        QCOMPARE(f.window().projectFileName(), file);
        QVERIFY(!f.window().isModified());
    }

    void importThenSave_overwritesTheProjectOpenedBefore()
    {
        WindowFixture f;
        const QString file = f.path(QStringLiteral("site/old.ksdm"));
        QDir().mkpath(QFileInfo(file).absolutePath());
        f.insertItem(QStringLiteral("Old"));
        FileDialog::setNextFileName(file);
        f.trigger("Save2");
        FileDialog::setNextFileName(file);
        f.trigger("Open1");
        QCOMPARE(f.window().projectFileName(), file);

        FileDialog::setNextFileName(QStringLiteral(KZT_TEST_DATA_DIR "/dulcamon_home.gms"));
        f.trigger("ImportMenuStructure1");
        QCOMPARE(f.agent().Items.size(), std::size_t(1));
        QCOMPARE(f.window().projectFileName(), file);
        QCOMPARE(visibleTabs(f.window().panels()), (QStringList{"tbshtMenu", "tbshtPath"}));
        const std::size_t asked = FileDialog::requests().size();
        f.child<QSpinBox>("spnedtpMenuWidth")->setValue(300);
        f.trigger("Save1");
        QCOMPARE(FileDialog::requests().size(), asked);
        const QByteArray saved = WindowFixture::readFile(file);
        QVERIFY(saved.contains("\nHome#$@index.html#$@_self#$@0#$@#$@\r\n"));
        QVERIFY(!saved.contains("Old#$@"));
        QVERIFY(saved.contains("\n300#$@"));
    }

    void export_upperCaseExtension_keepsTheName()
    {
        WindowFixture f;
        f.insertItem(QStringLiteral("One"));
        const QString file = f.path(QStringLiteral("out/menu.GMS"));
        QDir().mkpath(QFileInfo(file).absolutePath());
        FileDialog::setNextFileName(file);
        f.trigger("ExportMenuStructure1");
        QVERIFY(WindowFixture::readFile(file).contains("0#$@One#$@#$@_self#$@#$@"));
        QCOMPARE(QDir(f.path(QStringLiteral("out"))).entryList(QDir::Files), QStringList{"menu.GMS"});
    }

    void helpButtons_openTheirTopic_secondPressOnlyNavigates()
    {
        WindowFixture f;
        TfrmHelp* help = f.window().helpWindow();
        QVERIFY(!help->isVisible());
        f.click("spdbtnHelp3");
        QVERIFY(help->isVisible());
        QVERIFY(!help->isModal());
        QCOMPARE(helpPage(f), QStringLiteral("customizing_js_menu_menu_menu.htm"));
        QVERIFY(help->browser()->toPlainText().size() > 0);
        f.click("spdbtnHelp7");
        QCOMPARE(helpPage(f), QStringLiteral("customizing_js_menu_menu_sub_item_alternation.htm"));
        QCOMPARE(f.window().findChildren<TfrmHelp*>().size(), 1);
        QCOMPARE(f.window().helpWindow(), help);
        // The editor stays usable beside it.
        f.insertItem(QStringLiteral("Still editing"));
        f.click("spdbtnHelp9");
        QCOMPARE(helpPage(f), QStringLiteral("customizing_js_item_item_link.htm"));
        // Closed by the user, the same window comes back on the next press.
        help->close();
        QVERIFY(!help->isVisible());
        f.selectRoot();
        f.click("spdbtnHelp1");
        QVERIFY(help->isVisible());
        QCOMPARE(f.window().helpWindow(), help);
        QCOMPARE(helpPage(f), QStringLiteral("customizing_js_menu_menu_general.htm"));
        const char* topics[] = {"getting_started.htm", "customizing_js_menu_menu_general.htm",
                                "customizing_js_menu_menu_font_settings.htm", "customizing_js_menu_menu_menu.htm",
                                "customizing_js_menu_menu_tip_message_first_item.htm",
                                "customizing_js_menu_menu_main_item.htm", "customizing_js_menu_menu_sub_item.htm",
                                "customizing_js_menu_menu_sub_item_alternation.htm",
                                "customizing_js_item_item_caption.htm", "customizing_js_item_item_link.htm",
                                "customizing_js_menu_path_path.htm"};
        for (int topic = 0; topic <= 10; ++topic) {
            QCOMPARE(QString::fromLatin1(TfrmHelp::topicFile(topic)), QString::fromLatin1(topics[topic]));
            QVERIFY2(QFileInfo::exists(help->topicPath(topic)), topics[topic]);
        }
        QCOMPARE(QString::fromLatin1(TfrmHelp::topicFile(11)), QStringLiteral("getting_started.htm"));
        QCOMPARE(TfrmHelp::topicUrl(QStringLiteral("C:\\Prog\\help\\x.htm")),
                 QStringLiteral("file:///C|/Prog/help/x.htm"));
    }

    void helpMenu_opensShippedPages()
    {
        WindowFixture f;
        f.trigger("HelpTopics1");
        QCOMPARE(f.launches().launches().back().target, f.shareDir() + QStringLiteral("/help/index.html"));
        WindowFixture::writeFile(f.shareDir() + QStringLiteral("/samples/index.html"), "<html></html>");
        f.trigger("ViewSample1");
        QCOMPARE(f.launches().launches().back().target, f.shareDir() + QStringLiteral("/samples/index.html"));
    }

    void untouchedEightBitText_keepsItsBytes()
    {
        WindowFixture f;
        const QString file = f.path(QStringLiteral("old/latin.ksdm"));
        WindowFixture::writeFile(file, latin1Project());
        FileDialog::setNextFileName(file);
        f.trigger("Open1");
        QCOMPARE(f.agent().Items.size(), std::size_t(3));
        // Shown readable, not as replacement characters.
        QCOMPARE(f.child<QLineEdit>("edtPTipMessage")->text(), QStringLiteral("Bitte w\u00e4hlen ..."));
        for (std::size_t i : {0, 1, 2, 1, 0})
            f.selectItem(i);
        QCOMPARE(f.child<QLineEdit>("edtICaption")->text(), QStringLiteral("Men\u00fc"));
        f.selectRoot();
        f.trigger("Save1");
        QCOMPARE(WindowFixture::readFile(file), latin1Project());
        // An edited field is new text, stored in the document's one
        // encoding: this older project's code page, not UTF-8 beside it.
        f.selectItem(2);
        WindowFixture::typeInto(f.child<QLineEdit>("edtICaption"), QStringLiteral("\u00c4nderungen"));
        f.trigger("Save1");
        const QByteArray saved = WindowFixture::readFile(file);
        QVERIFY(saved.contains("\n\xc4nderungen#$@x.html#$@_top#$@0#$@#$@\r\n"));
        QVERIFY(!saved.contains("\xc3\x84"));
        QVERIFY(saved.contains("\nMen\xfc#$@caf\xe9.html#$@_self#$@0#$@#$@\r\n"));
        QVERIFY(saved.contains("Bitte w\xe4hlen ...#$@Verdana, Caf\xe9#$@"));
    }

    void templateFromDialog_opensUntitled_firstSaveAsksForAName()
    {
        WindowFixture f;
        const auto before = WindowFixture::snapshot(f.shareDir());
        WindowFixture::whenModal([](QDialog* dialog) {
            auto* list = dialog->findChild<QListWidget*>("TempletList");
            QVERIFY(list->count() >= 1);
            list->setCurrentRow(0);
            QTest::mouseClick(dialog->findChild<QPushButton*>("BitBtn1"), Qt::LeftButton);
        });
        f.trigger("Templates1");
        QVERIFY(f.agent().Items.size() > 0);
        QVERIFY(f.window().projectFileName().isEmpty());
        f.selectItem(0);
        const std::size_t asked = FileDialog::requests().size();
        const QString file = f.path(QStringLiteral("mine/menu.ksdm"));
        QDir().mkpath(QFileInfo(file).absolutePath());
        FileDialog::setNextFileName(file);
        f.trigger("Save1");
        QCOMPARE(FileDialog::requests().size(), asked + 1);
        QVERIFY(QFileInfo::exists(file));
        QCOMPARE(WindowFixture::snapshot(f.shareDir()), before);
        QCOMPARE(f.window().projectFileName(), file);
    }

    void startUp_fileArgumentOpensIt()
    {
        WindowFixture f;
        const QString file = f.path(QStringLiteral("a b/menu.ksdm"));
        WindowFixture::writeFile(file, latin1Project());
        f.window().startUp({f.path(QStringLiteral("a")), QStringLiteral("b/menu.ksdm")});
        QCOMPARE(f.window().projectFileName(), file);
        QCOMPARE(f.agent().Items.size(), std::size_t(3));
        QVERIFY(!f.window().isModified());
    }

    void previewAndBuildHtml_commitFirst_stageThePageWithItsFiles()
    {
        WindowFixture f;
        f.insertItem(QStringLiteral("Shop"));
        f.trigger("Preview1");
        const QString preview = f.path(QStringLiteral("data/kestravo/preview"));
        const QString page = preview + QStringLiteral("/~preview.html");
        QVERIFY(WindowFixture::readFile(page).contains("Shop"));
        QVERIFY(QFileInfo::exists(preview + QStringLiteral("/brevanekvrst.js")));
        QVERIFY(QFileInfo::exists(preview + QStringLiteral("/brevanekvrst.css")));
        // The browser is given the served page's address.
        QVERIFY(f.launches().launches().back().target.startsWith(QStringLiteral("http://127.0.0.1:")));
        QVERIFY(f.launches().launches().back().target.endsWith(QStringLiteral("/~preview.html")));
        QCOMPARE(f.agent().Items[0].get(ICaption), std::string("Shop"));

        WindowFixture::typeInto(f.child<QLineEdit>("edtICaption"), QStringLiteral("Store"));
        QString shown;
        WindowFixture::whenModal([&shown](QDialog* dialog) {
            shown = static_cast<kzt::TformHTML*>(dialog)->text();
            dialog->accept();
        });
        f.trigger("BuildHTML1");
        QVERIFY(shown.contains(QStringLiteral("Store")));
        // Closing asks, and No leaves without saving and clears the preview.
        MessageBox::setNextAnswer(MessageBox::No);
        QVERIFY(f.window().close());
        QCOMPARE(MessageBox::shown().back().text, QStringLiteral("Save changes to files before Exit?"));
        QVERIFY(!QFileInfo::exists(page));
    }

    void pickers_colourUrlAndPathSettingsAcrossNew()
    {
        WindowFixture f;
        kzt::ColorDialog::setNextColor(QColor(0, 0, 255));
        QTest::mouseClick(f.child<kzt::ColorSwatch>("pnlpMainItemBGColor"), Qt::LeftButton);
        QVERIFY(f.window().isModified());
        // A cancelled colour dialog still marks the document.
        f.window().setModified(false);
        kzt::ColorDialog::setNextColor(std::nullopt);
        QTest::mouseClick(f.child<kzt::ColorSwatch>("pnlpMenuColor"), Qt::LeftButton);
        QVERIFY(f.window().isModified());

        f.insertItem(QStringLiteral("Local"));
        FileDialog::setNextFileName(QStringLiteral("/site/a b.html"));
        f.click("spdbtnpURL");
        QCOMPARE(f.child<QComboBox>("cmbxpURL")->currentText(), QStringLiteral("file:///site/a b.html"));

        f.selectRoot();
        WindowFixture::typeInto(f.child<QLineEdit>("edtpInternalUse_RootDir_Local"), QStringLiteral("file:///C|/web/"));
        WindowFixture::typeInto(f.child<QLineEdit>("edtpInternalUse_RootDir_Remote"), QStringLiteral("http://w.example/"));
        f.click("rdbtnpInternalUse_RootDir_Local_Checked");
        FileDialog::setNextFileName(QString());
        f.trigger("Save2");
        QCOMPARE(f.agent().AppletData.get(pMainItemBGColor), std::string("0000FF"));
        QCOMPARE(f.agent().Items[0].get(pURL), std::string("file:///site/a b.html"));

        MessageBox::setNextAnswer(MessageBox::No);
        f.trigger("New1");
        QCOMPARE(f.agent().Items.size(), std::size_t(0));
        QCOMPARE(f.agent().AppletData.get(pMainItemBGColor), std::string("8099CA"));
        QCOMPARE(f.child<QLineEdit>("edtpInternalUse_RootDir_Local")->text(), QStringLiteral("file:///C|/web/"));
        QCOMPARE(f.child<QLineEdit>("edtpInternalUse_RootDir_Remote")->text(), QStringLiteral("http://w.example/"));
        QVERIFY(f.child<QRadioButton>("rdbtnpInternalUse_RootDir_Local_Checked")->isChecked());
        QVERIFY(!f.window().isModified());
    }

    void foreignProject_refusedWithItsMessage_leavesAFreshDocument()
    {
        WindowFixture f;
        const QString mine = f.path(QStringLiteral("old/latin.ksdm"));
        WindowFixture::writeFile(mine, latin1Project());
        FileDialog::setNextFileName(mine);
        f.trigger("Open1");
        QCOMPARE(f.child<QMenu>("mnitRecentFiles")->actions().size(), 1);
        const QString foreign = f.path(QStringLiteral("old/other.ksdm"));
        QByteArray bytes = latin1Project();
        bytes.replace("\r\nKestravo\r\n", "\r\nDulcamon\r\n");
        WindowFixture::writeFile(foreign, bytes);
        FileDialog::setNextFileName(foreign);
        f.trigger("Open1");
        QCOMPARE(MessageBox::shown().back().text, QStringLiteral("This file wasn't saved by Kestravo 1.0, open failed!"));
        QCOMPARE(MessageBox::shown().back().icon, MessageBox::Icon::Error);
        QCOMPARE(f.agent().Items.size(), std::size_t(0));
        QVERIFY(f.agent().IsConsistent());
        QVERIFY(f.window().projectFileName().isEmpty());
        QCOMPARE(f.child<QLineEdit>("edtPTipMessage")->text(), QStringLiteral("Please select ..."));
    }

    void hints_showInTheStatusLine()
    {
        WindowFixture f;
        auto* hint = f.child<QLabel>("stctxtHint");
        const auto hover = [](QWidget* widget) {
            QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
            QApplication::sendEvent(widget, &enter);
        };
        hover(f.window().treeView());
        QCOMPARE(hint->text(), QStringLiteral("Add, modify or remove the item here by clicking Right-Button in mouse"));
        hover(f.child<QToolButton>("tlbtnInsert"));
        QCOMPARE(hint->text(), QStringLiteral("Insert a new item"));
        hover(f.child<QToolButton>("tlbtnPreview"));
        QCOMPARE(hint->text(), QStringLiteral("preview the applet in web browser"));
        hover(f.child<QLineEdit>("edtPTipMessage"));
        QCOMPARE(hint->text(),
                 QStringLiteral("The tip message that will be displayed at the top (first item) of the menu."));
    }

    void commandStates_followTheSelection()
    {
        WindowFixture f;
        QVERIFY(!f.child<QAction>("Delete1")->isEnabled());
        f.insertItem(QStringLiteral("A"));
        f.selectRoot();
        f.insertItem(QStringLiteral("B"));
        QVERIFY(f.child<QAction>("Delete1")->isEnabled());
        QVERIFY(f.child<QAction>("MoveUp1")->isEnabled());
        QVERIFY(!f.child<QAction>("MoveDown1")->isEnabled());
        f.click("tlbtnMoveUp");
        QCOMPARE(f.agent().tree().root()->firstChild()->text(), std::string("B"));
        QCOMPARE(f.window().treeView()->currentIndex().data().toString(), QStringLiteral("B"));
        MessageBox::setNextAnswer(MessageBox::Yes);
        f.click("tlbtnDelete");
        QCOMPARE(f.agent().Items.size(), std::size_t(1));
        QVERIFY(f.agent().IsConsistent());
    }
};

QTEST_MAIN(KestravoWindowTest)
#include "KestravoWindowTest.moc"
