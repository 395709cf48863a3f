#include "BrowserDetector.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using kzt::BrowserDetector;
using kzt::KnownBrowser;
using kzt::Settings;

namespace {

QString makeFile(const QString& path, bool executable = true)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return {};
    f.write("#!/bin/sh\n");
    f.close();
    if (executable)
        f.setPermissions(f.permissions() | QFile::ExeOwner);
    return path;
}

QStringList names(const std::vector<KnownBrowser>& list)
{
    QStringList out;
    for (const auto& b : list)
        out << b.displayName;
    return out;
}

} // namespace

class BrowserDetectorTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir.reset(new QTemporaryDir);
        QVERIFY(m_dir->isValid());
        m_user = m_dir->filePath("user.conf");
        m_machine = m_dir->filePath("machine.conf");
    }

    void pathBrowsers_followFixedOrderNotPathOrder()
    {
        const QString a = m_dir->filePath("a");
        const QString b = m_dir->filePath("b");
        makeFile(a + "/konqueror");
        makeFile(a + "/chromium");
        makeFile(b + "/firefox");
        Settings s(m_user, QString());
        const auto list = BrowserDetector(s, a + ":" + b).detect();
        QCOMPARE(names(list), (QStringList{"Firefox", "Chromium", "Konqueror"}));
        QCOMPARE(list.at(0).executable, b + "/firefox");
        QCOMPARE(list.at(1).executable, a + "/chromium");
    }

    void pathBrowsers_skipNonExecutablesFoldersAndDuplicates()
    {
        const QString bin = m_dir->filePath("bin");
        const QString other = m_dir->filePath("other");
        makeFile(bin + "/firefox", false);           // not executable
        QDir().mkpath(bin + "/vivaldi");             // a folder, not a program
        makeFile(bin + "/chromium");
        QVERIFY(QFile::link(bin + "/chromium", bin + "/chromium-browser"));
        makeFile(other + "/chromium");               // same name later on PATH
        makeFile(bin + "/google-chrome");
        QVERIFY(QFile::link(bin + "/google-chrome", bin + "/google-chrome-stable"));
        Settings s(m_user, QString());
        const auto list = BrowserDetector(s, bin + ":" + other).detect();
        QCOMPARE(names(list), (QStringList{"Chromium", "Google Chrome"}));
        QCOMPARE(list.at(0).executable, bin + "/chromium");
    }

    void emptyAndRelativePathEntries_neverSearchTheWorkingFolder()
    {
        const QString cwd = m_dir->filePath("cwd");
        makeFile(cwd + "/firefox");
        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(cwd));
        Settings s(m_user, QString());
        const auto list = BrowserDetector(s, ":.:bin::").detect();
        QDir::setCurrent(previous);
        QVERIFY(list.empty());
    }

    void registryEntries_comeFirst_andOnlyWhenTheProgramExists()
    {
        const QString ie = makeFile(m_dir->filePath("ie/iexplore"));
        makeFile(m_dir->filePath("nav3/Program/Netscape.exe"));
        makeFile(m_dir->filePath("comm/Program/Netscape.exe"));
        // Netscape 6 is registered, but its program is gone.
        QFile machine(m_machine);
        QVERIFY(machine.open(QIODevice::WriteOnly));
        machine.write(QString("[SOFTWARE\\Microsoft\\windows\\CurrentVersion\\App Paths\\IEXPLORE.EXE]\n"
                              "@=%1\n"
                              "[SOFTWARE\\Netscape\\Netscape Navigator]\nCurrentVersion=4.7 (en)\n"
                              "[SOFTWARE\\Netscape\\Netscape Navigator\\4.7 (en)\\Main]\n"
                              "Install Directory=%2\n"
                              "[SOFTWARE\\Netscape\\Netscape 6]\nCurrentVersion=6.2\n"
                              "[SOFTWARE\\Netscape\\Netscape 6\\6.2\\Main]\nInstall Directory=%3\n")
                          .arg(ie, m_dir->filePath("comm"), m_dir->filePath("ns6"))
                          .toUtf8());
        machine.close();
        // Navigator 3 lives in the user hive.
        Settings s(m_user, m_machine);
        QVERIFY(s.writeString("SOFTWARE/Netscape/Netscape Navigator/Main", "Install Directory",
                              m_dir->filePath("nav3")));
        const QString bin = m_dir->filePath("bin");
        makeFile(bin + "/falkon");
        const auto list = BrowserDetector(s, bin).detect();
        QCOMPARE(names(list), (QStringList{"Internet Explorer", "Netscape Navigator 3",
                                           "Netscape Communicator 4.7 (en)", "Falkon"}));
        QCOMPARE(list.at(1).executable, m_dir->filePath("nav3/Program/Netscape.exe"));
        QCOMPARE(list.at(2).executable, m_dir->filePath("comm/Program/Netscape.exe"));
    }

    void emptyInstallFolder_yieldsNoEntry()
    {
        // With nothing appended to an empty folder the path would be "/Program/..."
        Settings s(m_user, QString());
        QVERIFY(s.writeString("SOFTWARE/Netscape/Netscape Navigator/Main", "Install Directory", ""));
        QVERIFY(BrowserDetector(s, QString()).detectFromSettings().empty());
    }

    void nothingInstalled_givesEmptyList()
    {
        Settings s(m_user, m_dir->filePath("missing.conf"));
        QVERIFY(BrowserDetector(s, m_dir->filePath("nothing")).detect().empty());
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_user;
    QString m_machine;
};

QTEST_GUILESS_MAIN(BrowserDetectorTest)
#include "BrowserDetectorTest.moc"
