// vantrel's help: a page for every context number of the window, pages that
// hold together, pop-up texts, and the launcher showing them.
#include "AppletAgent.h"
#include "Help.h"
#include "HelpWindow.h"
#include "THH_Launch.h"
#include "TfrmGlobalPropertiesChange.h"
#include "vantrel/core/VantrelDocument.h"
#include "vantrel/core/VantrelProfile.h"
#include "WindowTestWorld.h"
#include "vantrel/gui/TMainForm.h"
#include "vantrel/gui/VantrelHelp.h"
#include "vantrel/gui/VantrelPanels.h"
#include "vantrel/gui/VantrelPropertyLayout.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeView>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <memory>
#include <stdexcept>

using namespace vantrel;
using kzt::THH_Launch;

namespace {

// Every context number the window and its dialog ask for.
const int kContexts[] = {hcAppletSettings, hcAppletBackground, hcScrollBar, hcProgressBar, hcMessage,
                         hcBgAndStatusBar,  hcAdvanced,         hcItemGeneral, hcItemNormal,  hcItemOver,
                         hcItemClicked,     hcItemTree,         hcGlobalPropertiesChange};

QString sourceHelp()
{
    return QStringLiteral(KZT_SOURCE_DIR "/vantrel/share/help");
}

QString readText(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

QString fileNameOf(const QString& path)
{
    return QFileInfo(path.section(QLatin1Char('#'), 0, 0)).fileName();
}

// The pop-up lines of cshelp.txt by number.
QMap<int, QString> popupLines()
{
    QMap<int, QString> lines;
    const QStringList all = readText(sourceHelp() + QStringLiteral("/cshelp.txt")).split(QLatin1Char('\n'));
    for (const QString& line : all) {
        if (line.trimmed().isEmpty())
            continue;
        bool number = false;
        const int context = line.section(QLatin1Char('='), 0, 0).toInt(&number);
        lines.insert(number ? context : -1, line.section(QLatin1Char('='), 1));
    }
    return lines;
}

// The window with the shipped help pages.
class HelpWorld : public WindowTestWorld
{
public:
    HelpWorld()
    {
        copyFolder(sourceHelp(), path("share/help"));
        QDir().mkpath(path("share/templates"));
        kzt::AppPaths paths;
        paths.shareDir = path("share").toStdString();
        paths.userDataDir = path("data/vantrel").toStdString();
        paths.previewDir = paths.userDataDir / "preview";
        window = std::make_unique<vantrel::TMainForm>(paths);
        showWindow(*window);
    }
    ~HelpWorld() override
    {
        window->setModified(false);
        window->close();
        window.reset();
    }

    // The page F1 on this widget brings up.
    QString f1(QWidget* widget)
    {
        THH_Launch* launcher = window->helpLauncher();
        if (!launcher)
            return QStringLiteral("no launcher");
        launcher->request(THH_Launch::Request::Quit);
        QTest::keyClick(widget, Qt::Key_F1);
        kzt::HelpWindow* shown = launcher->window();
        return shown && shown->isVisible() ? fileNameOf(shown->currentPage()) : QString();
    }

    std::unique_ptr<vantrel::TMainForm> window;

protected:
    kzt::EditorMainWindow& editorWindow() override { return *window; }
};

} // namespace

class VantrelHelpTest : public QObject
{
    Q_OBJECT

private slots:
    void everyContext_hasItsOwnExistingPage()
    {
        kzt::Help help(sourceHelp());
        addHelpTopics(help);
        QSet<QString> pages;
        for (int context : kContexts) {
            const QString page = fileNameOf(help.pageFor(context));
            QVERIFY2(page != QLatin1String("index.html"), qPrintable(QString::number(context)));
            QVERIFY2(QFileInfo(QDir(sourceHelp()).filePath(page)).isFile(), qPrintable(page));
            pages.insert(page);
        }
        QCOMPARE(pages.size(), int(std::size(kContexts)));
        // A number nobody registered shows the contents.
        QCOMPARE(fileNameOf(help.pageFor(12345)), QStringLiteral("index.html"));
    }

    // Each page has a title and a heading, closes its document, links only
    // to pages (and anchors) that exist, and leads back to the contents; the
    // contents reach every topic and the contact page.
    void pages_holdTogether()
    {
        const QDir folder(sourceHelp());
        const QStringList pages = folder.entryList({QStringLiteral("*.html")}, QDir::Files);
        QVERIFY(pages.contains(QStringLiteral("index.html")));
        QVERIFY(pages.contains(QStringLiteral("contact.html")));
        static const QRegularExpression title(QStringLiteral("<title>([^<]+)</title>"));
        static const QRegularExpression heading(QStringLiteral("<h1>[^<]+</h1>"));
        static const QRegularExpression link(QStringLiteral("href=\"([^\"]*)\""));
        QSet<QString> reachedFromIndex;
        for (const QString& page : pages) {
            const QString text = readText(folder.filePath(page));
            QVERIFY2(title.match(text).hasMatch() && !title.match(text).captured(1).trimmed().isEmpty(),
                     qPrintable(page));
            QVERIFY2(heading.match(text).hasMatch(), qPrintable(page));
            QVERIFY2(text.trimmed().endsWith(QLatin1String("</html>")), qPrintable(page));
            QVERIFY2(text.count(QLatin1String("<body")) == 1 && text.count(QLatin1String("</body>")) == 1,
                     qPrintable(page));
            bool backToIndex = false;
            for (auto it = link.globalMatch(text); it.hasNext();) {
                const QString target = it.next().captured(1);
                QVERIFY2(!target.contains(QLatin1Char(':')), qPrintable(page + QStringLiteral(": ") + target));
                const QString file = target.section(QLatin1Char('#'), 0, 0);
                const QString anchor = target.section(QLatin1Char('#'), 1);
                QVERIFY2(pages.contains(file), qPrintable(page + QStringLiteral(": ") + target));
                if (!anchor.isEmpty())
                    QVERIFY2(readText(folder.filePath(file)).contains(QStringLiteral("id=\"%1\"").arg(anchor)),
                             qPrintable(page + QStringLiteral(": ") + target));
                backToIndex = backToIndex || file == QLatin1String("index.html");
                if (page == QLatin1String("index.html"))
                    reachedFromIndex.insert(file);
            }
            if (page != QLatin1String("index.html"))
                QVERIFY2(backToIndex, qPrintable(page));
        }
        for (const QString& page : pages) {
            if (page != QLatin1String("index.html"))
                QVERIFY2(reachedFromIndex.contains(page), qPrintable(page));
        }
    }

    // One "NUMBER=text" line for each context number and no other.
    void popupTexts_coverEveryContext()
    {
        const QMap<int, QString> lines = popupLines();
        QCOMPARE(lines.size(), int(std::size(kContexts)));
        for (int context : kContexts)
            QVERIFY2(!lines.value(context).trimmed().isEmpty(), qPrintable(QString::number(context)));
    }

    // The files ship with the program: the built share folder holds the same bytes.
    void helpFiles_areInTheBuiltShareFolder()
    {
        const QDir built(QStringLiteral(KZT_BINARY_DIR "/share/vantrel/help"));
        const QDir source(sourceHelp());
        const QStringList files = source.entryList(QDir::Files);
        QVERIFY(files.contains(QStringLiteral("cshelp.txt")));
        for (const QString& file : files) {
            QFile a(source.filePath(file));
            QFile b(built.filePath(file));
            QVERIFY2(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly), qPrintable(file));
            QVERIFY2(a.readAll() == b.readAll(), qPrintable(file));
        }
    }

    void launcher_showsTopicsContentsAndPopups_andStaysAlone()
    {
        QWidget owner;
        owner.resize(400, 300);
        owner.show();
        QVERIFY(QTest::qWaitForWindowExposed(&owner));
        kzt::Help help(sourceHelp());
        addHelpTopics(help);
        THH_Launch launcher(help, &owner);
        QVERIFY(launcher.request(THH_Launch::Request::ShowContext, hcItemOver));
        QVERIFY(launcher.window() && launcher.window()->isVisible());
        QCOMPARE(fileNameOf(launcher.window()->currentPage()), QStringLiteral("item-mouse-over.html"));
        QVERIFY(launcher.request(THH_Launch::Request::ShowContext, hcBgAndStatusBar));
        QCOMPARE(fileNameOf(launcher.window()->currentPage()), QStringLiteral("loading-background.html"));
        QVERIFY(launcher.request(THH_Launch::Request::Contents));
        QCOMPARE(fileNameOf(launcher.window()->currentPage()), QStringLiteral("index.html"));
        const QMap<int, QString> lines = popupLines();
        for (int context : kContexts) {
            QVERIFY(launcher.request(THH_Launch::Request::SetPopupPosition, 0, {}, QPoint(30, 40)));
            QVERIFY2(launcher.request(THH_Launch::Request::ContextPopup, context), qPrintable(QString::number(context)));
            QCOMPARE(launcher.lastPopupText(), lines.value(context).trimmed());
            QCOMPARE(launcher.lastPopupPosition(), QPoint(30, 40));
        }
        try {
            THH_Launch second(help, &owner);
            QFAIL("a second launcher was made");
        } catch (const std::logic_error& e) {
            QCOMPARE(QString::fromUtf8(e.what()), QStringLiteral("Multiple instances of THH_Launch are not allowed"));
        }
        QCOMPARE(THH_Launch::instance(), &launcher);
        QVERIFY(launcher.request(THH_Launch::Request::Quit));
        QVERIFY(!launcher.window()->isVisible());
    }

    // F1 in the bulk copy dialog, a window of its own, shows its topic.
    void f1InBulkCopyDialog_showsItsTopic()
    {
        QTemporaryDir dir;
        kzt::AppPaths paths;
        paths.userDataDir = dir.filePath("data").toStdString();
        paths.previewDir = paths.userDataDir / "preview";
        kzt::TkztAppletAgent agent(VantrelProfile::instance(), paths);
        agent.ResetToDefaults();
        VantrelDocument::InsertItem(agent, agent.tree().root());
        QWidget owner;
        owner.show();
        QVERIFY(QTest::qWaitForWindowExposed(&owner));
        kzt::Help help(sourceHelp());
        addHelpTopics(help);
        THH_Launch launcher(help, &owner);
        kzt::TfrmGlobalPropertiesChange dialog(agent, 0, globalPropertiesLayout(), &owner);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCheckBox* box = dialog.findChild<QCheckBox*>(QStringLiteral("chchbxFontName"));
        QVERIFY(box);
        box->setFocus();
        QTest::keyClick(box, Qt::Key_F1);
        QVERIFY(launcher.window());
        QCOMPARE(fileNameOf(launcher.window()->currentPage()), QStringLiteral("global-properties-change.html"));
    }

    // F1 on every page of the window, on the tree and in the bulk copy dialog
    // shows the shipped topic of that place.
    void f1InTheWindow_showsEachPlacesTopic()
    {
        HelpWorld world;
        VantrelPanels* panels = world.window->panels();
        world.selectRoot();
        const QStringList appletTopics = {"applet-settings.html", "applet-background.html", "scroll-bar.html", "",
                                          "advanced.html"};
        for (int page = 0; page < appletTopics.size(); ++page) {
            if (appletTopics[page].isEmpty())
                continue;
            panels->pgcntrlApplet->setCurrentIndex(page);
            QCOMPARE(world.f1(panels->pgcntrlApplet->currentWidget()), appletTopics[page]);
        }
        panels->pgcntrlApplet->setCurrentIndex(VantrelPanels::LoadingPage);
        const QStringList loadingTopics = {"progress-bar.html", "loading-message.html", "loading-background.html"};
        for (int page = 0; page < loadingTopics.size(); ++page) {
            panels->pgcntrlLoading->setCurrentIndex(page);
            QCOMPARE(world.f1(panels->pgcntrlLoading->currentWidget()), loadingTopics[page]);
        }
        QCOMPARE(world.f1(world.window->treeView()), QStringLiteral("item-tree.html"));
        world.insertItem(QStringLiteral("First"));
        const QStringList itemTopics = {"item-general.html", "item-normal.html", "item-mouse-over.html",
                                        "item-clicked.html"};
        for (int page = 0; page < itemTopics.size(); ++page) {
            panels->pgcntrlApplet->setCurrentIndex(VantrelPanels::ItemGeneralPage + page);
            QCOMPARE(world.f1(panels->pgcntrlApplet->currentWidget()), itemTopics[page]);
        }
        QString inDialog;
        WindowTestWorld::whenModal([&](QDialog* dialog) {
            if (auto* box = dialog->findChild<QCheckBox*>(QStringLiteral("chchbxFontName")))
                inDialog = world.f1(box);
            dialog->reject();
        });
        panels->bttnItGlobalChange[1]->click();
        QCOMPARE(inDialog, QStringLiteral("global-properties-change.html"));
    }
};

QTEST_MAIN(VantrelHelpTest)
#include "VantrelHelpTest.moc"
