#include "FileAssociation.h"
#include "Launcher.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using kzt::FileAssociation;
using kzt::Launcher;
using kzt::PlatformProduct;

namespace {

PlatformProduct dulcamon()
{
    return {"Dulcamon", "1.0", "dulcamon", "dlcg", "Dulcamon.Document", ""};
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes, bool executable = false)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    f.close();
    if (executable)
        f.setPermissions(f.permissions() | QFile::ExeOwner);
}

} // namespace

class FileAssociationTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir.reset(new QTemporaryDir);
        QVERIFY(m_dir->isValid());
        qputenv("XDG_DATA_HOME", m_dir->filePath("data").toLocal8Bit());
        qputenv("PATH", m_dir->filePath("bin").toLocal8Bit());
    }

    void desktopEntry_content()
    {
        QCOMPARE(FileAssociation::desktopEntry(dulcamon(), "/opt/kzt/bin/dulcamon"),
                 QString("[Desktop Entry]\n"
                         "Type=Application\n"
                         "Name=Dulcamon\n"
                         "Comment=Dulcamon project\n"
                         "Exec=\"/opt/kzt/bin/dulcamon\" %f\n"
                         "Icon=dulcamon\n"
                         "Terminal=false\n"
                         "Categories=Development;WebDevelopment;\n"
                         "MimeType=application/x-dulcamon-project;\n"));
    }

    void desktopEntry_namesAProgramOnPathAsItIsTyped()
    {
        const QString entry = FileAssociation::desktopEntry(dulcamon(), "dulcamon");
        QVERIFY2(entry.contains("\nExec=dulcamon %f\n"), qPrintable(entry));
        // Anything else is a path, quoted as one.
        QVERIFY(FileAssociation::desktopEntry(dulcamon(), "bin/dulcamon").contains("\nExec=\"bin/dulcamon\" %f\n"));
        QVERIFY(FileAssociation::desktopEntry(dulcamon(), "-x dulcamon").contains("\nExec=\"-x dulcamon\" %f\n"));
        QVERIFY(FileAssociation::desktopEntry(dulcamon(), "a$b").contains("\nExec=\"a\\\\$b\" %f\n"));
    }

    void execLine_quotesAwkwardProgramPaths_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("exec");
        QTest::newRow("blanks") << "/home/a b/my apps/dulcamon" << "\"/home/a b/my apps/dulcamon\"";
        QTest::newRow("quote and dollar") << "/x/\"q\"$HOME/d" << "\"/x/\\\\\"q\\\\\"\\\\$HOME/d\"";
        QTest::newRow("percent") << "/x/100%/d" << "\"/x/100%%/d\"";
        QTest::newRow("backslash") << "/x/a\\b/d" << "\"/x/a\\\\\\\\b/d\"";
    }

    void execLine_quotesAwkwardProgramPaths()
    {
        QFETCH(QString, path);
        QFETCH(QString, exec);
        QCOMPARE(FileAssociation::execQuoted(path), exec);
    }

    void mimePackage_content()
    {
        PlatformProduct p = dulcamon();
        p.mimeComment = "Dulcamon <menu> & project";
        QCOMPARE(FileAssociation::mimePackage(p),
                 QString("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                         "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
                         "  <mime-type type=\"application/x-dulcamon-project\">\n"
                         "    <comment>Dulcamon &lt;menu&gt; &amp; project</comment>\n"
                         "    <glob pattern=\"*.dlcg\"/>\n"
                         "  </mime-type>\n"
                         "</mime-info>\n"));
    }

    void install_writesBothFilesIntoTheUserDataFolder()
    {
        Launcher::Recorder recorder;
        QVERIFY(FileAssociation::install(dulcamon(), "/opt/kzt/bin/dulcamon"));
        const QString desktop = m_dir->filePath("data/applications/dulcamon.desktop");
        const QString mime = m_dir->filePath("data/mime/packages/dulcamon.xml");
        QCOMPARE(FileAssociation::desktopEntryPath(dulcamon()), desktop);
        QCOMPARE(FileAssociation::mimePackagePath(dulcamon()), mime);
        QCOMPARE(readFile(desktop),
                 FileAssociation::desktopEntry(dulcamon(), "/opt/kzt/bin/dulcamon").toUtf8());
        QCOMPARE(readFile(mime), FileAssociation::mimePackage(dulcamon()).toUtf8());
        // No update tools on PATH: nothing started.
        QVERIFY(recorder.launches().empty());
        QCOMPARE(QDir(m_dir->filePath("data/applications")).entryList(QDir::Files),
                 QStringList{"dulcamon.desktop"});
    }

    void install_rewritesEveryStart_andFollowsTheProgramWhenItMoves()
    {
        Launcher::Recorder recorder;
        QVERIFY(FileAssociation::install(dulcamon(), "/old/place/dulcamon"));
        writeFile(FileAssociation::mimePackagePath(dulcamon()), "damaged");
        QVERIFY(FileAssociation::install(dulcamon(), "/new/place/dulcamon"));
        QVERIFY(readFile(FileAssociation::desktopEntryPath(dulcamon()))
                    .contains("Exec=\"/new/place/dulcamon\" %f\n"));
        QCOMPARE(readFile(FileAssociation::mimePackagePath(dulcamon())),
                 FileAssociation::mimePackage(dulcamon()).toUtf8());
    }

    void install_refreshesCachesOnlyWhenNeeded()
    {
        writeFile(m_dir->filePath("bin/update-mime-database"), "#!/bin/sh\n", true);
        writeFile(m_dir->filePath("bin/update-desktop-database"), "#!/bin/sh\n", true);
        Launcher::Recorder recorder;
        QVERIFY(FileAssociation::install(dulcamon(), "/opt/dulcamon"));
        QCOMPARE(recorder.launches().size(), size_t(2));
        QCOMPARE(recorder.launches().at(0).target, m_dir->filePath("bin/update-mime-database"));
        QCOMPARE(recorder.launches().at(0).arguments, QStringList{m_dir->filePath("data/mime")});
        QCOMPARE(recorder.launches().at(1).target, m_dir->filePath("bin/update-desktop-database"));
        QCOMPARE(recorder.launches().at(1).arguments,
                 QStringList{m_dir->filePath("data/applications")});

        // Caches in place and nothing changed: no tools at the next start.
        writeFile(m_dir->filePath("data/mime/mime.cache"), "c");
        writeFile(m_dir->filePath("data/applications/mimeinfo.cache"), "c");
        recorder.clear();
        QVERIFY(FileAssociation::install(dulcamon(), "/opt/dulcamon"));
        QVERIFY(recorder.launches().empty());

        // The program moved: only the desktop database needs refreshing.
        QVERIFY(FileAssociation::install(dulcamon(), "/elsewhere/dulcamon"));
        QCOMPARE(recorder.launches().size(), size_t(1));
        QCOMPARE(recorder.launches().at(0).target, m_dir->filePath("bin/update-desktop-database"));
    }

    void install_failsQuietlyWhenTheDataFolderIsUnusable()
    {
        writeFile(m_dir->filePath("blocked"), "x");
        qputenv("XDG_DATA_HOME", m_dir->filePath("blocked").toLocal8Bit());
        Launcher::Recorder recorder;
        QVERIFY(!FileAssociation::install(dulcamon(), "/opt/dulcamon"));
        QVERIFY(recorder.launches().empty());
    }

    void mimePackage_isAcceptedByTheRealMimeDatabase()
    {
        const QString tool = QStandardPaths::findExecutable("update-mime-database",
                                                            {"/usr/bin", "/usr/local/bin", "/bin"});
        if (tool.isEmpty())
            QSKIP("update-mime-database is not installed");
        {
            Launcher::Recorder recorder; // keep install() from starting anything itself
            QVERIFY(FileAssociation::install(dulcamon(), "/opt/dulcamon"));
        }
        QProcess process;
        process.start(tool, {m_dir->filePath("data/mime")});
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(process.exitCode(), 0);
        const QByteArray globs = readFile(m_dir->filePath("data/mime/globs2"));
        QVERIFY2(globs.contains("application/x-dulcamon-project:*.dlcg"), globs.constData());
        QVERIFY(QFileInfo::exists(m_dir->filePath("data/mime/application/x-dulcamon-project.xml")));
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

QTEST_GUILESS_MAIN(FileAssociationTest)
#include "FileAssociationTest.moc"
