// Document commands of the main window: save and close questions, open,
// recent files, start-up and templates, preview, browser choice, publish,
// code viewer and the menu structure exchange.
#include "MainFormFixture.h"

#include "Clipboard.h"
#include "dulcamon/gui/DulcamonPanels.h"
#include "dulcamon/core/DulcamonProfile.h"
#include "FileDialog.h"
#include "MessageBox.h"
#include "Settings.h"
#include "TformHTML.h"
#include "TformWebBrowser.h"
#include "TfrmPublishReport.h"
#include "TfrmTemplet.h"
#include "TreeNode.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

using namespace dulcamon;
using kzt::FileDialog;
using kzt::MessageBox;

class MainFormDocumentTest : public QObject
{
    Q_OBJECT

private:
    static bool exists(const QString& path) { return QFileInfo::exists(path); }
    // Preview gives the browser the served page's address.
    static bool isPreviewAddress(const QString& url)
    {
        return url.startsWith(QStringLiteral("http://127.0.0.1:")) && url.endsWith(QStringLiteral("/~preview.html"));
    }

    // A saved project with one item captioned `caption`.
    static QString makeProject(MainFormFixture& f, const QString& name, const QString& caption)
    {
        const QString file = f.path(QStringLiteral("projects/") + name + QStringLiteral(".dlcg"));
        QDir().mkpath(QFileInfo(file).absolutePath());
        f.window().New1Click();
        f.selectRoot();
        f.insertItem(caption);
        FileDialog::setNextFileName(file);
        f.trigger("Save2");
        return file;
    }

    static kzt::Settings settings()
    {
        return kzt::Settings(TMainForm::platform());
    }

private slots:
    void save_asksForPathOnce_thenSavesSilently()
    {
        MainFormFixture f;
        f.insertItem(QStringLiteral("Home"));
        const QString folder = f.path(QStringLiteral("site"));
        QDir().mkpath(folder);
        FileDialog::setNextFileName(folder + QStringLiteral("/menu"));
        f.trigger("Save1");
        for (const char* name : {"menu.html", "menu.dlcg", "menu_PublishReport.txt", "dulcamon10.js"})
            QVERIFY2(exists(folder + QLatin1Char('/') + QLatin1String(name)), name);
        QVERIFY(!f.window().isModified());
        QVERIFY(!f.child<QAction>("Save1")->isEnabled());
        QCOMPARE(f.window().projectFileName(), folder + QStringLiteral("/menu.dlcg"));
        const auto asked = FileDialog::requests().size();
        MainFormFixture::typeInto(f.child<QLineEdit>("edtICaption"), QStringLiteral("Start"));
        f.trigger("Save1");
        QCOMPARE(FileDialog::requests().size(), asked);
        QVERIFY(MainFormFixture::readFile(folder + QStringLiteral("/menu.dlcg")).contains("Start"));
    }

    void saveAs_cancelChangesNothing()
    {
        MainFormFixture f;
        f.insertItem(QStringLiteral("Home"));
        FileDialog::setNextFileName(QString());
        f.trigger("Save2");
        QVERIFY(f.window().isModified());
        QVERIFY(f.window().projectFileName().isEmpty());
    }

    void failedSave_keepsDocumentModifiedAndOldFile()
    {
        MainFormFixture f;
        const QString project = makeProject(f, QStringLiteral("keep"), QStringLiteral("Old"));
        const QByteArray before = MainFormFixture::readFile(project);
        QVERIFY(!before.isEmpty());
        // The page cannot be written where a folder of its name stands.
        const QString page = f.path(QStringLiteral("projects/keep.html"));
        QFile::remove(page);
        QVERIFY(QDir().mkpath(page + QStringLiteral("/blocker")));
        MainFormFixture::typeInto(f.child<QLineEdit>("edtICaption"), QStringLiteral("New"));
        f.trigger("Save1");
        QCOMPARE(MessageBox::shown().back().icon, MessageBox::Icon::Error);
        QVERIFY(f.window().isModified());
        QCOMPARE(MainFormFixture::readFile(project), before);
        // Closing with Yes: the save fails again and the window stays.
        MessageBox::setNextAnswer(MessageBox::Yes);
        QVERIFY(!f.window().close());
        QVERIFY(f.window().isVisible());
        QVERIFY(f.window().isModified());
    }

    void closeQuestion_cancelNoYes()
    {
        {
            MainFormFixture f;
            f.insertItem(QStringLiteral("A"));
            MessageBox::setNextAnswer(MessageBox::Cancel);
            QVERIFY(!f.window().close());
            QCOMPARE(MessageBox::shown().back().text, QStringLiteral("Save changes to files before Exit?"));
            QCOMPARE(MessageBox::shown().back().buttons,
                     MessageBox::Buttons(MessageBox::Yes | MessageBox::No | MessageBox::Cancel));
            QVERIFY(f.window().isModified());
            MessageBox::setNextAnswer(MessageBox::No);
            QVERIFY(f.window().close());
            QCOMPARE(FileDialog::requests().size(), std::size_t(0));
        }
        {
            MainFormFixture f;
            f.insertItem(QStringLiteral("A"));
            MessageBox::setNextAnswer(MessageBox::Yes);
            FileDialog::setNextFileName(QString());
            QVERIFY(!f.window().close());
            MessageBox::setNextAnswer(MessageBox::Yes);
            FileDialog::setNextFileName(f.path(QStringLiteral("exit.dlcg")));
            QVERIFY(f.window().close());
            QVERIFY(MainFormFixture::readFile(f.path(QStringLiteral("exit.dlcg"))).contains("A#$@"));
        }
        {
            MainFormFixture f;
            f.window();
            QVERIFY(f.window().close());
            QCOMPARE(MessageBox::shown().size(), std::size_t(0));
        }
    }

    void leavingChangedDocument_asksAndHonoursAnswer()
    {
        MainFormFixture f;
        f.insertItem(QStringLiteral("A"));
        MessageBox::setNextAnswer(MessageBox::Cancel);
        f.trigger("New1");
        QCOMPARE(MessageBox::shown().back().text, QStringLiteral("Save changes to files?"));
        QCOMPARE(f.agent().Items.size(), std::size_t(1));
        // Yes with the save dialog cancelled keeps the document.
        MessageBox::setNextAnswer(MessageBox::Yes);
        FileDialog::setNextFileName(QString());
        f.trigger("New1");
        QCOMPARE(f.agent().Items.size(), std::size_t(1));
        QVERIFY(f.window().isModified());
        MessageBox::setNextAnswer(MessageBox::No);
        f.trigger("New1");
        QCOMPARE(f.agent().Items.size(), std::size_t(0));
        QVERIFY(!f.window().isModified());
        QVERIFY(f.window().projectFileName().isEmpty());
    }

    void open_readsProjectShowsMenuTabs_andBadFileLeavesFreshDocument()
    {
        MainFormFixture f;
        const QString project = makeProject(f, QStringLiteral("one"), QStringLiteral("Alpha"));
        f.window().New1Click();
        FileDialog::setNextFileName(project);
        f.trigger("Open1");
        QCOMPARE(f.agent().Items.size(), std::size_t(1));
        QCOMPARE(f.agent().NodeOfItem(0)->text(), std::string("Alpha"));
        QCOMPARE(f.window().projectFileName(), project);
        QVERIFY(!f.window().isModified());
        QCOMPARE(f.window().selectedNode(), f.agent().tree().root());
        QVERIFY(f.window().panels()->isTabVisible(0));
        QVERIFY(!f.window().panels()->isTabVisible(2));

        const QString bad = f.path(QStringLiteral("projects/bad.dlcg"));
        MainFormFixture::writeFile(bad, "not a project\r\n");
        FileDialog::setNextFileName(bad);
        f.trigger("Open1");
        QCOMPARE(MessageBox::shown().back().icon, MessageBox::Icon::Error);
        QVERIFY(f.agent().IsConsistent());
        QCOMPARE(f.agent().Items.size(), std::size_t(0));
        QVERIFY(f.window().projectFileName().isEmpty());
        const QByteArray recent = MainFormFixture::readFile(f.path(QStringLiteral("data/dulcamon/recentfile.dat")));
        QVERIFY(!recent.contains("bad.dlcg"));
    }

    void recentFiles_fourNewestFirst_reopenKeepsOrder()
    {
        MainFormFixture f;
        QStringList files;
        for (int i = 1; i <= 5; ++i)
            files << makeProject(f, QStringLiteral("p%1").arg(i), QStringLiteral("Item%1").arg(i));
        for (const QString& file : files) {
            FileDialog::setNextFileName(file);
            f.trigger("Open1");
        }
        QMenu* menu = f.window().recentFilesMenu();
        QCOMPARE(menu->actions().size(), 4);
        QCOMPARE(menu->actions().at(0)->text(), QStringLiteral("&1 ") + files[4]);
        QCOMPARE(menu->actions().at(3)->text(), QStringLiteral("&4 ") + files[1]);
        const QByteArray stored = MainFormFixture::readFile(f.path(QStringLiteral("data/dulcamon/recentfile.dat")));
        QVERIFY(!stored.contains("p1.dlcg"));
        QVERIFY(stored.startsWith(("&1 " + files[4]).toUtf8()));
        // Opening a listed file from the menu keeps the order.
        menu->actions().at(2)->trigger();
        QCOMPARE(f.window().projectFileName(), files[2]);
        QCOMPARE(f.agent().NodeOfItem(0)->text(), std::string("Item3"));
        QCOMPARE(f.window().recentFilesMenu()->actions().at(0)->text(), QStringLiteral("&1 ") + files[4]);
    }

    void startUp_joinsArgumentsAndSkipsTemplates()
    {
        MainFormFixture f;
        QCOMPARE(kzt::EditorMainWindow::joinArguments({"my", "menu.dlcg"}), QStringLiteral("my menu.dlcg"));
        QCOMPARE(kzt::EditorMainWindow::joinArguments({}), QString());
        const QString spaced = f.path(QStringLiteral("projects/my menu.dlcg"));
        QDir().mkpath(f.path(QStringLiteral("projects")));
        f.insertItem(QStringLiteral("Spaced"));
        FileDialog::setNextFileName(spaced);
        f.trigger("Save2");
        f.window().New1Click();
        const QStringList split = spaced.split(QLatin1Char(' '));
        f.window().startUp(split);
        QCOMPARE(f.window().projectFileName(), spaced);
        QCOMPARE(f.agent().NodeOfItem(0)->text(), std::string("Spaced"));
        QVERIFY(!f.window().isModified());
    }

    void templates_firstStart_checkBoxWritesAtOnce_cancelRunsNew()
    {
        MainFormFixture f;
        QVERIFY(f.window().templatesDialogWanted());
        f.insertItem(QStringLiteral("unsaved"));
        bool shown = false;
        MainFormFixture::whenModal([&shown](QDialog* dialog) {
            shown = true;
            auto* box = dialog->findChild<QCheckBox*>("chckbxDontShow");
            QVERIFY(box);
            QVERIFY(!box->isChecked());
            QVERIFY(dialog->findChild<QListWidget*>("TempletList")->count() >= 1);
            QTest::mouseClick(box, Qt::LeftButton);
            QCOMPARE(settings().readBool(kzt::Settings::settingsKey(TMainForm::platform()),
                                         QStringLiteral("ShowTempletsDialog")),
                     std::optional<bool>(false));
            MessageBox::setNextAnswer(MessageBox::No);
            QTest::mouseClick(dialog->findChild<QPushButton*>("BitBtn2"), Qt::LeftButton);
        });
        f.window().startUp({});
        QVERIFY(shown);
        QCOMPARE(MessageBox::shown().back().text, QStringLiteral("Save changes to files?"));
        QCOMPARE(f.agent().Items.size(), std::size_t(0));
        QVERIFY(!f.window().isModified());
        // Switched off: the next start shows nothing.
        QVERIFY(!f.window().templatesDialogWanted());
    }

    void eightBitTextNobodyEdited_keepsItsBytesThroughSelectionAndSave()
    {
        MainFormFixture f;
        const QString file = makeProject(f, QStringLiteral("latin"), QStringLiteral("Caption"));
        f.selectRoot();
        f.insertItem(QStringLiteral("Second"));
        f.trigger("Save1");
        QByteArray bytes = MainFormFixture::readFile(file);
        QVERIFY(bytes.contains("#$@Caption#$@"));
        bytes.replace("#$@Caption#$@", "#$@Capti\xf3n#$@");
        bytes.replace("arial,helvetica,times new roman", "arial,h\xe9lv\xe9tica");
        MainFormFixture::writeFile(file, bytes);
        FileDialog::setNextFileName(file);
        f.trigger("Open1");
        for (std::size_t i : {0, 1, 0, 1})
            f.selectItem(i);
        f.selectRoot();
        f.trigger("Save1");
        QCOMPARE(MainFormFixture::readFile(file), bytes);
    }

    void templates_okOpensSelectedTemplate()
    {
        MainFormFixture f;
        MainFormFixture::whenModal([](QDialog* dialog) {
            auto* list = dialog->findChild<QListWidget*>("TempletList");
            list->setCurrentRow(0);
            QTest::mouseClick(dialog->findChild<QPushButton*>("BitBtn1"), Qt::LeftButton);
        });
        f.trigger("Templates1");
        // A template is a starting point: it opens untitled.
        QVERIFY(f.window().projectFileName().isEmpty());
        QVERIFY(f.agent().Items.size() > 0);
        QVERIFY(f.agent().IsConsistent());
    }

    void saveAsTemplate_startsInUserTemplatesFolder()
    {
        MainFormFixture f;
        f.insertItem(QStringLiteral("T"));
        FileDialog::setNextFileName(QString());
        f.trigger("SaveAsTemplate1");
        const QString folder = f.path(QStringLiteral("data/dulcamon/templates"));
        QVERIFY(QFileInfo(folder).isDir());
        QCOMPARE(FileDialog::requests().back().dir, folder);
    }

    void preview_stagesPageAndLaunchesDefault_closeClearsFolder()
    {
        MainFormFixture f;
        f.insertItem(QStringLiteral("Look"));
        f.trigger("Preview1");
        const QString page = f.previewDir() + QStringLiteral("/~preview.html");
        QVERIFY(MainFormFixture::readFile(page).contains("Look"));
        QVERIFY(exists(f.previewDir() + QStringLiteral("/dulcamon10.js")));
        QCOMPARE(f.launches().launches().size(), std::size_t(1));
        QCOMPARE(f.launches().launches()[0].kind, kzt::Launcher::Launch::Kind::OpenUrl);
        QVERIFY(isPreviewAddress(f.launches().launches()[0].target));
        // A foreign file in the preview folder survives the clean-up.
        MainFormFixture::writeFile(f.previewDir() + QStringLiteral("/keep.txt"), "x");
        f.window().setModified(false);
        QVERIFY(f.window().close());
        QVERIFY(!exists(page));
        QVERIFY(exists(f.previewDir() + QStringLiteral("/keep.txt")));
    }

    void browserChoice_storedIndexBeyondList_selectsFirst()
    {
        MainFormFixture f;
        f.addProgram(QStringLiteral("firefox"));
        const QString key = kzt::Settings::webBrowsersKey(TMainForm::platform());
        auto store = settings();
        store.writeValues(key, {{"UseDefaultBrowser", "0"}, {"UseKnownBrowser", "1"}, {"UseSpecifiedBrowser", "0"},
                                {"SelectedBrowserNumber", "7"}, {"SpecifiedBrowserExePath", ""}});
        f.insertItem(QStringLiteral("A"));
        f.trigger("Preview1");
        QCOMPARE(f.launches().launches().size(), std::size_t(1));
        const auto& launch = f.launches().launches()[0];
        QCOMPARE(launch.kind, kzt::Launcher::Launch::Kind::StartProgram);
        QCOMPARE(launch.target, f.path(QStringLiteral("bin/firefox")));
        QCOMPARE(launch.arguments.size(), 1);
        QVERIFY(isPreviewAddress(launch.arguments[0]));
    }

    void browserChoice_knownWithNoneDetected_fallsBackToDefault()
    {
        MainFormFixture f;
        const QString key = kzt::Settings::webBrowsersKey(TMainForm::platform());
        auto store = settings();
        store.writeValues(key, {{"UseDefaultBrowser", "0"}, {"UseKnownBrowser", "1"}, {"UseSpecifiedBrowser", "0"},
                                {"SelectedBrowserNumber", "0"}, {"SpecifiedBrowserExePath", ""}});
        MainFormFixture::whenModal([](QDialog* dialog) {
            QVERIFY(dialog->findChild<QRadioButton*>("RadioButtonBrowserDefault")->isChecked());
            QVERIFY(!dialog->findChild<QRadioButton*>("RadioButtonBrowserKnownInSystem")->isChecked());
            dialog->reject();
        });
        f.trigger("WebBrowser1");
        f.trigger("Preview1");
        QCOMPARE(f.launches().launches().back().kind, kzt::Launcher::Launch::Kind::OpenUrl);
    }

    void browserDialog_okWritesFiveValues_specifiedProgramLaunches()
    {
        MainFormFixture f;
        const QString program = f.path(QStringLiteral("my browsers/run browser"));
        MainFormFixture::whenModal([program](QDialog* dialog) {
            dialog->findChild<QRadioButton*>("RadioButtonBrowserUserSpecify")->setChecked(true);
            dialog->findChild<QLineEdit*>("editSpecifiedBrowserFileName")->setText(program);
            QTest::mouseClick(dialog->findChild<QPushButton*>("bitbtnOk"), Qt::LeftButton);
        });
        f.trigger("WebBrowser1");
        const QString key = kzt::Settings::webBrowsersKey(TMainForm::platform());
        auto store = settings();
        QCOMPARE(store.readBool(key, "UseDefaultBrowser"), std::optional<bool>(false));
        QCOMPARE(store.readBool(key, "UseKnownBrowser"), std::optional<bool>(false));
        QCOMPARE(store.readBool(key, "UseSpecifiedBrowser"), std::optional<bool>(true));
        QCOMPARE(store.readInt(key, "SelectedBrowserNumber"), std::optional<int>(-1));
        QCOMPARE(store.readString(key, "SpecifiedBrowserExePath"), std::optional<QString>(program));
        f.trigger("Preview1");
        const auto& launch = f.launches().launches().back();
        QCOMPARE(launch.kind, kzt::Launcher::Launch::Kind::StartProgram);
        QCOMPARE(launch.target, program);
        QCOMPARE(launch.arguments.size(), 1);
        QVERIFY(isPreviewAddress(launch.arguments[0]));
    }

    void buildHtml_showsPage_copyToClipboard()
    {
        MainFormFixture f;
        f.insertItem(QStringLiteral("Clip"));
        MainFormFixture::whenModal([](QDialog* dialog) {
            QCOMPARE(dialog->windowTitle(), QStringLiteral("HTML"));
            static_cast<kzt::TformHTML*>(dialog)->copyButton()->click();
            static_cast<kzt::TformHTML*>(dialog)->okButton()->click();
        });
        f.trigger("BuildHTML1");
        QVERIFY(kzt::Clipboard::lastText().contains(QStringLiteral("Clip")));
        QVERIFY(kzt::Clipboard::lastText().contains(QStringLiteral("dulcam10")));
    }

    void publish_showsReport_writesNoFile()
    {
        MainFormFixture f;
        f.insertItem(QStringLiteral("A"));
        f.child<QLineEdit>("edtINoBgImg")->setText(QStringLiteral("pic.gif"));
        QString report;
        MainFormFixture::whenModal([&report](QDialog* dialog) {
            report = static_cast<kzt::TfrmPublishReport*>(dialog)->text();
            dialog->accept();
        });
        const QStringList before = QDir::current().entryList(QDir::Files);
        f.trigger("Publish1");
        QVERIFY(report.contains(QStringLiteral("  dulcamon10.js")));
        QVERIFY(report.contains(QStringLiteral("  pic.gif")));
        QCOMPARE(QDir::current().entryList(QDir::Files), before);
        QVERIFY(!exists(f.previewDir() + QStringLiteral("/PublishReport.txt")));
    }

    void helpCommands_openShippedPagesAndSite()
    {
        MainFormFixture f;
        f.trigger("HelpTopics1");
        QCOMPARE(f.launches().launches().size(), std::size_t(1));
        QCOMPARE(f.launches().launches()[0].kind, kzt::Launcher::Launch::Kind::OpenDocument);
        QVERIFY(f.launches().launches()[0].target.endsWith(QStringLiteral("/help/index.html")));
        QVERIFY(QFileInfo::exists(f.launches().launches()[0].target));
        f.trigger("Homepage1");
        f.trigger("ContactUs1");
        QCOMPARE(f.launches().launches()[1].kind, kzt::Launcher::Launch::Kind::OpenUrl);
        QCOMPARE(f.launches().launches()[2].kind, kzt::Launcher::Launch::Kind::OpenUrl);
        // The source tree has no built sample page: a clear message, no launch.
        f.trigger("ViewSample1");
        QCOMPARE(f.launches().launches().size(), std::size_t(3));
        QVERIFY(MessageBox::shown().back().text.contains(QStringLiteral("samples/normal.html")));
    }

    void structureExchange_exportThenImport()
    {
        MainFormFixture f;
        f.insertItem(QStringLiteral("Home"));
        f.child<QComboBox>("cmbxIURL")->setEditText(QStringLiteral("index.html"));
        f.child<QLineEdit>("edtIDescription")->setText(QStringLiteral("Start page"));
        f.insertItem(QStringLiteral("Child"));
        f.child<QLineEdit>("edtMenuName")->setText(QStringLiteral("custom"));
        FileDialog::setNextFileName(f.path(QStringLiteral("menu")));
        f.trigger("ExportMenuStructure1");
        const QByteArray gms = MainFormFixture::readFile(f.path(QStringLiteral("menu.gms")));
        QVERIFY(gms.contains("0#$@Home#$@index.html#$@_self#$@Start page#$@\r\n"));
        QVERIFY(gms.contains("1#$@Child#$@"));
        QVERIFY(f.window().isModified());

        MessageBox::setNextAnswer(MessageBox::No);
        FileDialog::setNextFileName(f.path(QStringLiteral("menu.gms")));
        f.trigger("ImportMenuStructure1");
        QVERIFY(!f.window().isModified());
        QCOMPARE(f.agent().Items.size(), std::size_t(2));
        QCOMPARE(f.agent().NodeOfItem(1)->parent(), f.agent().NodeOfItem(0));
        QCOMPARE(f.child<QLineEdit>("edtMenuName")->text(), QStringLiteral("dulcam10"));
        f.selectItem(0);
        QCOMPARE(f.child<QLineEdit>("edtIDescription")->text(), QStringLiteral("Start page"));

        const QString foreign = f.path(QStringLiteral("foreign.gms"));
        MainFormFixture::writeFile(foreign, "<Product_Name>\r\nSomething else\r\n");
        MessageBox::setNextAnswer(MessageBox::No);
        FileDialog::setNextFileName(foreign);
        f.trigger("ImportMenuStructure1");
        QCOMPARE(MessageBox::shown().back().text,
                 QStringLiteral("This file wasn't saved by specified format, open failed!"));
        QVERIFY(f.agent().IsConsistent());
    }
};

QTEST_MAIN(MainFormDocumentTest)
#include "MainFormDocumentTest.moc"
