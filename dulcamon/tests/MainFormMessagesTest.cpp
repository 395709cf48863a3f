// What the window says when something cannot be done or is missing: a
// browser or the help that cannot be started, pictures the project folder
// lacks after a save; and disabled controls that stay readable.
#include "MainFormFixture.h"

#include "FileDialog.h"
#include "HelpWindow.h"
#include "Launcher.h"
#include "MessageBox.h"
#include "ReadablePalette.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

using kzt::FileDialog;
using kzt::Launcher;
using kzt::MessageBox;

class MainFormMessagesTest : public QObject
{
    Q_OBJECT

private slots:
    void preview_withoutAUsableBrowser_saysSo()
    {
        MainFormFixture f;
        f.insertItem(QStringLiteral("Home"));
        Launcher::Recorder failing;
        failing.setFailing(true);
        f.trigger("Preview1");
        QCOMPARE(failing.launches().size(), std::size_t(1));
        QCOMPARE(MessageBox::shown().size(), std::size_t(1));
        QVERIFY(MessageBox::shown()[0].text.startsWith(QStringLiteral("No web browser could be started")));
        QVERIFY(MessageBox::shown()[0].text.contains(QStringLiteral("~preview.html")));
    }

    void helpTopics_withoutABrowser_saySo_andOpenInTheBuiltInViewer()
    {
        MainFormFixture f;
        Launcher::Recorder failing;
        failing.setFailing(true);
        f.trigger("HelpTopics1");
        QCOMPARE(MessageBox::shown().size(), std::size_t(1));
        QVERIFY(MessageBox::shown()[0].text.contains(QStringLiteral("built-in help viewer")));
        auto* viewer = f.window().findChild<kzt::HelpWindow*>(QStringLiteral("HelpWindowFallback"));
        QVERIFY(viewer);
        QTRY_VERIFY(viewer->isVisible());
        QVERIFY(viewer->currentPage().endsWith(QStringLiteral("help/index.html")));
        // With a browser, the page goes to it and nothing is said.
        failing.setFailing(false);
        f.trigger("HelpTopics1");
        QCOMPARE(MessageBox::shown().size(), std::size_t(1));
    }

    void save_namesPicturesTheProjectFolderLacks()
    {
        MainFormFixture f;
        f.insertItem(QStringLiteral("Home"));
        f.child<QLineEdit>("edtINoBgImg")->setText(QStringLiteral("gone.gif"));
        f.child<QLineEdit>("edtIOvBgImg")->setText(QStringLiteral("here.gif"));
        MainFormFixture::writeFile(f.path(QStringLiteral("site/here.gif")), "GIF89a");
        FileDialog::setNextFileName(f.path(QStringLiteral("site/menu.dlcg")));
        f.trigger("Save2");
        const QString hint = f.child<QLabel>("stctxtHint")->text();
        QVERIFY2(hint.contains(QStringLiteral("gone.gif")), qPrintable(hint));
        QVERIFY2(!hint.contains(QStringLiteral("here.gif")), qPrintable(hint));
    }

    void disabledText_readsOnItsField()
    {
        MainFormFixture f;
        const QPalette palette = QApplication::palette();
        for (const auto& [text, field] : {std::pair{QPalette::Text, QPalette::Base},
                                          std::pair{QPalette::WindowText, QPalette::Window},
                                          std::pair{QPalette::ButtonText, QPalette::Button}})
            QVERIFY(kzt::ReadablePalette::contrast(palette.color(QPalette::Disabled, text),
                                                   palette.color(QPalette::Disabled, field))
                    >= kzt::ReadablePalette::kMinimumContrast);
    }
};

QTEST_MAIN(MainFormMessagesTest)
#include "MainFormMessagesTest.moc"
