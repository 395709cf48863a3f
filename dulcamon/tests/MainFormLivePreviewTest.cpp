// Preview as a served page: the browser opened on its address once per
// document, edits in the window reloading the open page, and a message with
// the address when no browser starts.
#include "MainFormFixture.h"

#include "LivePreview.h"
#include "LoopbackHttp.h"
#include "MessageBox.h"
#include "PageWatcher.h"
#include "PreviewServer.h"
#include "FileDialog.h"
#include "TreeNode.h"
#include "dulcamon/core/DulcamonProfile.h"

#include <QDateTime>
#include <QDialog>
#include <QPushButton>
#include <QTest>
#include <QUrl>

using namespace dulcamon;
using kzt::FileDialog;
using kzt::MessageBox;

namespace {

kzt::testhttp::Reply fetch(const QString& url, const std::string& host = {})
{
    const QUrl parsed(url);
    const std::string authority = "127.0.0.1:" + std::to_string(parsed.port());
    return kzt::testhttp::exchange(parsed.port(), "GET " + parsed.path(QUrl::FullyEncoded).toStdString()
                                                      + " HTTP/1.1\r\nHost: " + (host.empty() ? authority : host)
                                                      + "\r\nConnection: close\r\n\r\n");
}

bool served(const QString& url, const char* text)
{
    const kzt::testhttp::Reply reply = fetch(url);
    return reply.status == 200 && reply.body.find(text) != std::string::npos;
}

} // namespace

class MainFormLivePreviewTest : public QObject
{
    Q_OBJECT

private slots:
    void preview_servesTheDocument_opensTheBrowserOncePerDocument_editsFollow()
    {
        MainFormFixture f;
        f.insertItem(QStringLiteral("Look"));
        f.trigger("Preview1");
        // The file is still written where it always was.
        QVERIFY(MainFormFixture::readFile(f.previewDir() + QStringLiteral("/~preview.html")).contains("Look"));
        QCOMPARE(f.launches().launches().size(), std::size_t(1));
        const kzt::Launcher::Launch launch = f.launches().launches()[0];
        QCOMPARE(launch.kind, kzt::Launcher::Launch::Kind::OpenUrl);
        const QString url = launch.target;
        QVERIFY2(url.startsWith(QStringLiteral("http://127.0.0.1:")) && url.endsWith(QStringLiteral("/~preview.html")),
                 qPrintable(url));
        QVERIFY(served(url, "Look"));
        QVERIFY(served(url, "new EventSource("));
        // The script is added as the page is sent, never written.
        QVERIFY(!MainFormFixture::readFile(f.previewDir() + QStringLiteral("/~preview.html")).contains("EventSource"));

        // The browser holds the page open: an edit reloads it, Preview opens no second tab.
        const QUrl parsed(url);
        kzt::testhttp::Connection stream(parsed.port());
        const std::string folder = parsed.path().left(parsed.path().lastIndexOf(QLatin1Char('/')) + 1).toStdString();
        stream.send("GET " + folder + ".events HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(parsed.port()) + "\r\n\r\n");
        QVERIFY(stream.readUntil("data: 1\n").find("event: version\ndata: 1\n") != std::string::npos);
        QTRY_COMPARE(f.window().livePreview()->server()->openEventStreams(), std::size_t(1));
        MainFormFixture::typeInto(f.child<QWidget>("edtICaption"), QStringLiteral("Second look"));
        QTRY_VERIFY_WITH_TIMEOUT(served(url, "Second look"), 1000);
        QVERIFY(stream.readUntil("data: 2\n").find("event: version\ndata: 2\n") != std::string::npos);
        f.trigger("Preview1");
        QCOMPARE(f.launches().launches().size(), std::size_t(1));
        QVERIFY(stream.readUntil("data: 3\n").find("event: version\ndata: 3\n") != std::string::npos);

        // Another document opens the browser again, on the same address.
        f.window().setModified(false);
        f.trigger("New1");
        f.insertItem(QStringLiteral("Other"));
        f.trigger("Preview1");
        QCOMPARE(f.launches().launches().size(), std::size_t(2));
        QCOMPARE(f.launches().launches()[1].target, url);
        QVERIFY(served(url, "Other"));
        // A page from elsewhere that names this address gets nothing.
        QCOMPARE(fetch(url, "attacker.example:" + std::to_string(parsed.port())).status, 403);
    }

    void changesOutsideThePanels_reloadTheOpenPageToo()
    {
        // An import and a bulk copy change the document without a keystroke
        // in the panels: the open page follows them all the same.
        MainFormFixture f;
        f.insertItem(QStringLiteral("Imported home"));
        FileDialog::setNextFileName(f.path(QStringLiteral("menu")));
        f.trigger("ExportMenuStructure1");
        MainFormFixture::typeInto(f.child<QWidget>("edtICaption"), QStringLiteral("Before the import"));
        f.trigger("Preview1");
        const QString url = f.launches().launches().back().target;
        kzt::PreviewServer* server = f.window().livePreview()->server();
        QVERIFY(served(url, "Before the import"));
        // The page open in a browser, listening for reloads.
        const QUrl parsed(url);
        kzt::testhttp::Connection stream(parsed.port());
        const std::string folder = parsed.path().left(parsed.path().lastIndexOf(QLatin1Char('/')) + 1).toStdString();
        stream.send("GET " + folder + ".events HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(parsed.port()) + "\r\n\r\n");
        QTRY_COMPARE(server->openEventStreams(), std::size_t(1));
        const std::uint64_t shown = server->version();

        f.window().setModified(false);
        FileDialog::setNextFileName(f.path(QStringLiteral("menu.gms")));
        f.trigger("ImportMenuStructure1");
        QVERIFY(!f.window().isModified());
        QTRY_VERIFY_WITH_TIMEOUT(server->version() > shown, 2000);
        QVERIFY(served(url, "Imported home"));
        QVERIFY(!served(url, "Before the import"));
        const std::string reload = "data: " + std::to_string(server->version()) + "\n";
        QVERIFY(stream.readUntil(reload).find("event: version\n" + reload) != std::string::npos);

        for (const char* name : {"Bravo caption", "Charlie caption"}) {
            f.selectRoot();
            f.insertItem(QString::fromLatin1(name));
        }
        f.selectItem(1);
        QTRY_VERIFY_WITH_TIMEOUT(served(url, "Charlie caption") && !f.window().livePreview()->refreshPending(), 2000);
        const std::uint64_t beforeCopy = server->version();
        f.copyCaptionTo({0, 2});
        QCOMPARE(f.agent().Items[0].get(Caption), std::string("Bravo caption"));
        QTRY_VERIFY_WITH_TIMEOUT(server->version() > beforeCopy, 2000);
        QVERIFY(!served(url, "Imported home"));
        QVERIFY(!served(url, "Charlie caption"));
        const std::string copied = "data: " + std::to_string(server->version()) + "\n";
        QVERIFY(stream.readUntil(copied).find("event: version\n" + copied) != std::string::npos);
    }

    void noBrowserStarts_aMessageGivesTheAddress()
    {
        MainFormFixture f;
        f.insertItem(QStringLiteral("Look"));
        f.launches().setFailing(true);
        const std::size_t before = MessageBox::shown().size();
        f.trigger("Preview1");
        QCOMPARE(MessageBox::shown().size(), before + 1);
        const QString text = MessageBox::shown().back().text;
        QVERIFY2(text.startsWith(QStringLiteral("No web browser could be started")), qPrintable(text));
        const qsizetype at = text.indexOf(QStringLiteral("http://127.0.0.1:"));
        QVERIFY(at >= 0);
        QVERIFY(served(text.mid(at).trimmed(), "Look"));
    }

    void chromium_anEditInTheWindowReloadsTheOpenPageWithinASecond()
    {
        const QString why = PageWatcher::unavailable();
        if (!why.isEmpty())
            QSKIP(qPrintable(why));
        MainFormFixture f;
        f.insertItem(QStringLiteral("First caption"));
        f.trigger("Preview1");
        const QString url = f.launches().launches().back().target;
        PageWatcher page(url, QStringLiteral("Edited caption"));
        QTRY_COMPARE_WITH_TIMEOUT(page.loads(), 1, 30000);
        QVERIFY(!page.lastShows());
        QTRY_COMPARE_WITH_TIMEOUT(f.window().livePreview()->server()->openEventStreams(), std::size_t(1), 10000);

        // Timed from the last keystroke: the edit is complete then.
        MainFormFixture::typeInto(f.child<QWidget>("edtICaption"), QStringLiteral("Edited caption"));
        const qint64 edited = QDateTime::currentMSecsSinceEpoch();
        QTRY_VERIFY2_WITH_TIMEOUT(page.loads() >= 2 && page.lastShows(), qPrintable(QStringLiteral("%1 loads, %2").arg(page.loads()).arg(page.errors())), 5000);
        const qint64 took = page.lastLoadAt() - edited;
        QVERIFY2(took < 1000, qPrintable(QStringLiteral("reloaded %1 ms after the edit").arg(took)));
        QVERIFY2(page.errors().isEmpty(), qPrintable(page.errors()));
    }
};

QTEST_MAIN(MainFormLivePreviewTest)
#include "MainFormLivePreviewTest.moc"
