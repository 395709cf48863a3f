#include "Help.h"
#include "HelpWindow.h"
#include "Launcher.h"
#include "PlatformPaths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QtTest>

using kzt::Help;
using kzt::Launcher;
using kzt::PlatformPaths;

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

class HelpTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir.reset(new QTemporaryDir);
        m_help = m_dir->filePath("help");
        writeFile(m_help + "/index.html", "<h1>Contents</h1>");
        writeFile(m_help + "/items.html", "<h1>Items</h1><a name='colours'>Colours</a>");
    }

    void contextNumbers_mapToTopicPages()
    {
        Help help(m_help);
        help.addTopic(10, "items.html");
        help.addTopic(11, "items.html#colours");
        help.addTopic(12, "../../etc/passwd");
        QCOMPARE(help.pageFor(10), m_help + "/items.html");
        QCOMPARE(help.pageFor(11), m_help + "/items.html#colours");
        QCOMPARE(help.pageFor(0), m_help + "/index.html");
        QCOMPARE(help.pageFor(99), m_help + "/index.html");
        QCOMPARE(help.pageFor(12), m_help + "/index.html");
    }

    void openInBrowser_goesThroughTheLauncher()
    {
        Help help(m_help);
        help.addTopic(11, "items.html#colours");
        help.addTopic(13, "missing.html");
        Launcher::Recorder recorder;
        QVERIFY(help.openInBrowser());
        QVERIFY(help.openInBrowser(11));
        QVERIFY(!help.openInBrowser(13));
        QCOMPARE(recorder.launches().size(), size_t(2));
        QVERIFY(recorder.launches().at(0).kind == Launcher::Launch::Kind::OpenDocument);
        QCOMPARE(recorder.launches().at(0).target, m_help + "/index.html");
        QCOMPARE(recorder.launches().at(1).target,
                 QUrl::fromLocalFile(m_help + "/items.html").toString() + "#colours");
    }

    void helpWindow_showsThePage_andIsReused()
    {
        Help help(m_help);
        help.addTopic(10, "items.html");
        kzt::HelpWindow* w = help.showInWindow(nullptr, 10);
        QVERIFY(w->isVisible());
        QVERIFY(w->browser()->toPlainText().contains("Items"));
        QCOMPARE(help.showInWindow(nullptr, 0), w);
        QVERIFY(w->browser()->toPlainText().contains("Contents"));
        QVERIFY(!w->showPage(m_help + "/missing.html"));
    }

    void userDataDir_isPrivate_andShareDirCanBeOverridden()
    {
        qputenv("XDG_DATA_HOME", m_dir->filePath("data").toLocal8Bit());
        const kzt::PlatformProduct p{"Dulcamon", "1.0", "dulcamon", "dlcg", "Dulcamon.Document", ""};
        const QString dir = PlatformPaths::userDataDir(p);
        QCOMPARE(dir, m_dir->filePath("data/dulcamon"));
        QVERIFY(QFileInfo(dir).isDir());
        QCOMPARE(QFile::permissions(dir) & (QFile::ReadGroup | QFile::ReadOther | QFile::WriteOther),
                 QFile::Permissions());
        QCOMPARE(PlatformPaths::userTemplatesDir(p), dir + "/templates");
        // A file where the data folder should be: no folder, no crash.
        writeFile(m_dir->filePath("blocked"), "x");
        qputenv("XDG_DATA_HOME", m_dir->filePath("blocked").toLocal8Bit());
        QCOMPARE(PlatformPaths::userDataDir(p), QString());
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_help;
};

QTEST_MAIN(HelpTest)
#include "HelpTest.moc"
