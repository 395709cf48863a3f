// The help launcher: one per program, requests mapped onto our HTML help,
// F1 asking for the focused page's topic, pop-up texts at their place.
#include "Help.h"
#include "HelpWindow.h"
#include "THH_Launch.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QVBoxLayout>

#include <stdexcept>

using namespace kzt;

namespace {

void write(const QString& path, const QByteArray& text)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
}

} // namespace

class HelpLauncherTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString shown(THH_Launch& launcher) const
    {
        HelpWindow* window = launcher.window();
        return window && window->isVisible() ? QFileInfo(window->currentPage()).fileName() : QString();
    }

private slots:
    void initTestCase()
    {
        write(m_dir.filePath("index.html"), "<h1>Contents</h1><p>Scroll bar colours</p>");
        write(m_dir.filePath("applet_settings.html"), "<h1>Applet Settings</h1>");
        write(m_dir.filePath("scroll_bar.html"), "<h1>Scroll Bar</h1>");
        write(m_dir.filePath("cshelp.txt"), "8=The applet's size and colours.\n29=How the scroll bar looks.\n");
    }

    void secondLauncher_isRefused_untilTheFirstIsGone()
    {
        QWidget owner;
        Help help(m_dir.path());
        {
            THH_Launch first(help, &owner);
            QCOMPARE(THH_Launch::instance(), &first);
            try {
                THH_Launch second(help, &owner);
                QFAIL("a second launcher was made");
            } catch (const std::logic_error& e) {
                QCOMPARE(QString::fromUtf8(e.what()), QStringLiteral("Multiple instances of THH_Launch are not allowed"));
            }
            QCOMPARE(THH_Launch::instance(), &first);
        }
        QVERIFY(!THH_Launch::instance());
        THH_Launch again(help, &owner);
        QCOMPARE(THH_Launch::instance(), &again);
    }

    void requests_mapOntoTopicsContentsIndexAndQuit()
    {
        QWidget owner;
        Help help(m_dir.path());
        help.addTopic(8, "applet_settings.html");
        help.addTopic(29, "scroll_bar.html");
        THH_Launch launcher(help, &owner);
        QVERIFY(launcher.request(THH_Launch::Request::ShowContext, 29));
        QCOMPARE(shown(launcher), QStringLiteral("scroll_bar.html"));
        QVERIFY(launcher.request(THH_Launch::Request::Contents));
        QCOMPARE(shown(launcher), QStringLiteral("index.html"));
        QVERIFY(launcher.request(THH_Launch::Request::ShowContext, 8));
        QVERIFY(launcher.request(THH_Launch::Request::Tab, 0));
        QCOMPARE(shown(launcher), QStringLiteral("index.html"));
        QVERIFY(launcher.request(THH_Launch::Request::Keyword, 0, QStringLiteral("colours")));
        QCOMPARE(launcher.window()->browser()->textCursor().selectedText(), QStringLiteral("colours"));
        QVERIFY(launcher.request(THH_Launch::Request::Quit));
        QCOMPARE(shown(launcher), QString());
    }

    void onHelp_comesFirst_andMayTakeTheRequest()
    {
        QWidget owner;
        Help help(m_dir.path());
        THH_Launch launcher(help, &owner);
        QList<int> seen;
        launcher.OnHelp = [&](THH_Launch::Request, int context, const QString&) {
            seen << context;
            return context == 99;
        };
        QVERIFY(launcher.request(THH_Launch::Request::ShowContext, 99));
        QCOMPARE(shown(launcher), QString());
        launcher.request(THH_Launch::Request::ShowContext, 8);
        QCOMPARE(seen, (QList<int>{99, 8}));
        QCOMPARE(shown(launcher), QStringLiteral("index.html")); // no topic 8 here: the contents
    }

    void popups_showTheirTextAtTheRememberedPlaceOnce_orBecomeTopicsInMainMode()
    {
        QWidget owner;
        owner.show();
        Help help(m_dir.path());
        help.addTopic(29, "scroll_bar.html");
        THH_Launch launcher(help, &owner);
        QVERIFY(launcher.request(THH_Launch::Request::SetPopupPosition, 0, {}, QPoint(40, 60)));
        QVERIFY(launcher.request(THH_Launch::Request::ContextPopup, 29));
        QCOMPARE(launcher.lastPopupText(), QStringLiteral("How the scroll bar looks."));
        QCOMPARE(launcher.lastPopupPosition(), QPoint(40, 60));
        // The place is used once; the next pop-up comes at the pointer.
        QVERIFY(launcher.request(THH_Launch::Request::ContextPopup, 8));
        QVERIFY(launcher.lastPopupPosition() != QPoint(40, 60) || QCursor::pos() == QPoint(40, 60));
        QVERIFY(!launcher.request(THH_Launch::Request::ContextPopup, 12345)); // no text for it

        launcher.setShowType(THH_Launch::ShowType::stMain);
        QVERIFY(launcher.request(THH_Launch::Request::ContextPopup, 29));
        QCOMPARE(shown(launcher), QStringLiteral("scroll_bar.html"));
    }

    void f1_opensTheTopicOfTheFocusedPage()
    {
        QWidget owner;
        auto* page = new QWidget(&owner);
        page->setProperty("helpContext", 29);
        auto* edit = new QLineEdit(page);
        auto* layout = new QVBoxLayout(&owner);
        layout->addWidget(page);
        auto* plain = new QLineEdit(&owner);
        layout->addWidget(plain);
        owner.show();
        QVERIFY(QTest::qWaitForWindowExposed(&owner));
        Help help(m_dir.path());
        help.addTopic(29, "scroll_bar.html");
        THH_Launch launcher(help, &owner);
        QTest::keyClick(edit, Qt::Key_F1);
        QCOMPARE(shown(launcher), QStringLiteral("scroll_bar.html"));
        launcher.request(THH_Launch::Request::Quit);
        QTest::keyClick(plain, Qt::Key_F1);
        QCOMPARE(shown(launcher), QStringLiteral("index.html"));
    }
};

QTEST_MAIN(HelpLauncherTest)
#include "HelpLauncherTest.moc"
