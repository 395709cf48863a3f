#include "Clipboard.h"
#include "ColorDialog.h"
#include "FileDialog.h"
#include "Launcher.h"
#include "MessageBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>

using kzt::Clipboard;
using kzt::ColorDialog;
using kzt::FileDialog;
using kzt::Launcher;
using kzt::MessageBox;

namespace {

// Clicks the button with the given text on the next modal box that appears.
void clickOnModal(const QString& buttonText)
{
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, buttonText] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        for (QAbstractButton* b : box->buttons()) {
            if (b->text().remove(QLatin1Char('&')) == buttonText) {
                timer->stop();
                timer->deleteLater();
                b->click();
                return;
            }
        }
    });
    timer->start();
}

} // namespace

class SeamsTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        MessageBox::reset();
        FileDialog::reset();
        ColorDialog::reset();
        Clipboard::reset();
    }

    void messageBox_answersScriptedValuesInOrder_andRecordsTexts()
    {
        MessageBox::setNextAnswer(MessageBox::No);
        MessageBox::setNextAnswer(MessageBox::Cancel);
        QCOMPARE(MessageBox::question(nullptr, "Save changes to files?",
                                      MessageBox::Yes | MessageBox::No | MessageBox::Cancel),
                 MessageBox::No);
        QCOMPARE(MessageBox::question(nullptr, "Save changes to files before Exit?",
                                      MessageBox::Yes | MessageBox::No | MessageBox::Cancel),
                 MessageBox::Cancel);
        QCOMPARE(MessageBox::pendingAnswers(), 0);
        QCOMPARE(MessageBox::shown().size(), size_t(2));
        const auto& first = MessageBox::shown().at(0);
        QCOMPARE(first.text, QString("Save changes to files?"));
        QCOMPARE(first.title, QString("Confirm"));
        QVERIFY(first.icon == MessageBox::Icon::Question);
        QCOMPARE(first.buttons, MessageBox::Buttons(MessageBox::Yes | MessageBox::No | MessageBox::Cancel));
        QCOMPARE(MessageBox::shown().at(1).answer, MessageBox::Cancel);
    }

    void messageBox_withEmptyQueue_answersLikeEscape_neverBlocks()
    {
        MessageBox::setScripted(true);
        QCOMPARE(MessageBox::question(nullptr, "q", MessageBox::Yes | MessageBox::No | MessageBox::Cancel),
                 MessageBox::Cancel);
        QCOMPARE(MessageBox::question(nullptr, "q", MessageBox::Yes | MessageBox::No), MessageBox::No);
        QCOMPARE(MessageBox::warning(nullptr, "w", MessageBox::Yes), MessageBox::Yes);
        QCOMPARE(MessageBox::error(nullptr, "e"), MessageBox::Ok);
        QCOMPARE(MessageBox::shown().at(2).title, QString("Warning"));
        QCOMPARE(MessageBox::shown().at(3).title, QString("Error"));
        QVERIFY(MessageBox::shown().at(3).icon == MessageBox::Icon::Error);
    }

    void messageBox_unscripted_showsARealBoxWithTheRightButtons()
    {
        clickOnModal("No");
        QCOMPARE(MessageBox::show(MessageBox::Icon::Warning, nullptr, "Dulcamon", "real box",
                                  MessageBox::Yes | MessageBox::No),
                 MessageBox::No);
        QCOMPARE(MessageBox::shown().size(), size_t(1));
        QCOMPARE(MessageBox::shown().at(0).title, QString("Dulcamon"));
        clickOnModal("OK");
        QCOMPARE(MessageBox::information(nullptr, "done"), MessageBox::Ok);
    }

    void fileDialog_convertsWindowsFilters_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("qt");
        QTest::newRow("project") << "Dulcamon Files (*.dlcg)|*.dlcg"
                                 << QStringList{"Dulcamon Files (*.dlcg)"};
        QTest::newRow("two patterns, no blank")
            << "HTML files(*.htm;*.html)|*.htm;*.html|Any file (*.*)|*.*"
            << QStringList{"HTML files (*.htm *.html)", "Any file (*)"};
        QTest::newRow("blanks after separators")
            << "Execute Files (*.exe, *.com)|*.exe; *.com|All Files (*)|*"
            << QStringList{"Execute Files (*.exe *.com)", "All Files (*)"};
        QTest::newRow("pictures")
            << "All Image Files(*.gif;*.jpg;*.jpeg)|*.gif;*.jpg;*.jpeg|GIF Image File (*.gif)|*.gif"
            << QStringList{"All Image Files (*.gif *.jpg *.jpeg)", "GIF Image File (*.gif)"};
        QTest::newRow("empty") << "" << QStringList{};
        QTest::newRow("description only") << "Anything" << QStringList{"Anything (*)"};
        QTest::newRow("trailing bar") << "Text (*.txt)|*.txt|" << QStringList{"Text (*.txt)"};
    }

    void fileDialog_convertsWindowsFilters()
    {
        QFETCH(QString, filter);
        QFETCH(QStringList, qt);
        QCOMPARE(FileDialog::toQtFilters(filter), qt);
    }

    void fileDialog_answersScriptedNames_andRecordsRequests()
    {
        FileDialog::setNextFileName("/tmp/a b/menu.dlcg");
        FileDialog::setNextFileName(QString());
        QCOMPARE(FileDialog::getOpenFileName(nullptr, "Open", "/tmp", "Dulcamon Files (*.dlcg)|*.dlcg"),
                 QString("/tmp/a b/menu.dlcg"));
        QCOMPARE(FileDialog::getSaveFileName(nullptr, "Save", "/home", "X (*.x)|*.x|Y (*.y)|*.y", "x", 1),
                 QString());
        // Queue empty: cancel rather than block.
        QCOMPARE(FileDialog::getOpenPictureFileName(nullptr, "Pic", "", "All (*.*)|*.*", 7), QString());
        QCOMPARE(FileDialog::requests().size(), size_t(3));
        const auto& save = FileDialog::requests().at(1);
        QVERIFY(save.kind == FileDialog::Kind::Save);
        QCOMPARE(save.dir, QString("/home"));
        QCOMPARE(save.filters, (QStringList{"X (*.x)", "Y (*.y)"}));
        QCOMPARE(save.filterIndex, 1);
        QVERIFY(FileDialog::requests().at(2).kind == FileDialog::Kind::OpenPicture);
        QCOMPARE(FileDialog::requests().at(2).filterIndex, 0); // out of range falls back
    }

    void colorDialog_answersScriptedColours()
    {
        ColorDialog::setNextColor(QColor(0x12, 0x34, 0x56));
        ColorDialog::setNextColor(std::nullopt);
        QCOMPARE(ColorDialog::getColor(nullptr, Qt::red), std::optional<QColor>(QColor(0x12, 0x34, 0x56)));
        QCOMPARE(ColorDialog::getColor(nullptr, Qt::blue), std::optional<QColor>());
        QCOMPARE(ColorDialog::getColor(nullptr, Qt::green), std::optional<QColor>());
        QCOMPARE(ColorDialog::requests(), (std::vector<QColor>{Qt::red, Qt::blue, Qt::green}));
    }

    void clipboard_keepsTheText()
    {
        Clipboard::setText("<script>menu</script>\n");
        QCOMPARE(Clipboard::lastText(), QString("<script>menu</script>\n"));
        QCOMPARE(Clipboard::text(), QString("<script>menu</script>\n"));
    }

    void launcher_recordsInsteadOfLaunching_andRecordersNest()
    {
        Launcher::Recorder outer;
        QVERIFY(Launcher::openDocument("/tmp/preview/~preview.html"));
        {
            Launcher::Recorder inner;
            QVERIFY(Launcher::startProgram("/opt/My Browser/browse", {"/tmp/a b/~preview.html"}));
            QCOMPARE(inner.launches().size(), size_t(1));
            QCOMPARE(inner.launches().at(0).arguments, QStringList{"/tmp/a b/~preview.html"});
        }
        QVERIFY(Launcher::openUrl("https://example.com/"));
        QCOMPARE(outer.launches().size(), size_t(2));
        QVERIFY(outer.launches().at(0).kind == Launcher::Launch::Kind::OpenDocument);
        QCOMPARE(outer.launches().at(0).target, QString("/tmp/preview/~preview.html"));
        QVERIFY(outer.launches().at(1).kind == Launcher::Launch::Kind::OpenUrl);
    }

    void launcher_refusesNothingToStart()
    {
        // No recorder: these would reach the desktop, so only harmless cases.
        QVERIFY(!Launcher::startProgram(QString(), {"x"}));
        QVERIFY(!Launcher::openDocument(QString()));
        QVERIFY(!Launcher::openUrl("not a url"));
    }

    void launcher_startsRealProgramsWithBlanksInArguments()
    {
        QTemporaryDir dir;
        const QString script = dir.filePath("my tool");
        const QString out = dir.filePath("out file");
        QFile f(script);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\nprintf '%s|' \"$#\" \"$1\" > \"$2\"\n");
        f.close();
        f.setPermissions(f.permissions() | QFile::ExeOwner);
        QVERIFY(Launcher::startProgram(script, {dir.filePath("a page.html"), out}));
        QTRY_VERIFY(QFileInfo(out).size() > 0);
        QFile result(out);
        QVERIFY(result.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(result.readAll()), "2|" + dir.filePath("a page.html") + "|");
    }
};

QTEST_MAIN(SeamsTest)
#include "SeamsTest.moc"
