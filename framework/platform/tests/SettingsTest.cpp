#include "Settings.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

using kzt::PlatformProduct;
using kzt::Settings;

namespace {

PlatformProduct dulcamon()
{
    return {"Dulcamon", "1.0", "dulcamon", "dlcg", "Dulcamon.Document", ""};
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class SettingsTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_home.reset(new QTemporaryDir);
        QVERIFY(m_home->isValid());
        qputenv("XDG_CONFIG_HOME", m_home->filePath("config").toLocal8Bit());
        qputenv("XDG_CONFIG_DIRS", m_home->filePath("etc").toLocal8Bit());
    }

    void filePaths_followXdgFolders()
    {
        QCOMPARE(Settings::userFilePath(dulcamon()), m_home->filePath("config/KZT/Dulcamon.conf"));
        // No system-wide file: no machine hive.
        QCOMPARE(Settings::machineFilePath(dulcamon()), QString());
        writeFile(m_home->filePath("etc/KZT/Dulcamon.conf"), "[SOFTWARE]\n");
        QCOMPARE(Settings::machineFilePath(dulcamon()), m_home->filePath("etc/KZT/Dulcamon.conf"));
        // A relative XDG value is not a base folder and must not point into the working folder.
        qputenv("XDG_CONFIG_HOME", "relative/config");
        QVERIFY(Settings::userFilePath(dulcamon()).startsWith(QDir::homePath() + "/.config/"));
    }

    void keyPaths_areNamedAfterProductAndVersion()
    {
        QCOMPARE(Settings::settingsKey(dulcamon()), QString("Software/KZT/Dulcamon/1.0/Settings"));
        QCOMPARE(Settings::webBrowsersKey(dulcamon()),
                 QString("Software/KZT/Dulcamon/1.0/Web Browsers"));
    }

    void missingFile_readsAbsentAndCreatesNothing()
    {
        Settings s(dulcamon());
        const auto v = s.value(Settings::settingsKey(dulcamon()), "ShowTempletsDialog");
        QCOMPARE(v.state, Settings::State::Absent);
        QVERIFY(!s.readBool(Settings::settingsKey(dulcamon()), "ShowTempletsDialog"));
        QVERIFY(!s.keyExists(Settings::webBrowsersKey(dulcamon())));
        QVERIFY(!QFile::exists(s.userFile()));
    }

    void writtenValues_readBackAfterReopen()
    {
        const QString key = Settings::webBrowsersKey(dulcamon());
        {
            Settings s(dulcamon());
            QVERIFY(s.writeBool(key, "UseDefaultBrowser", false));
            QVERIFY(s.writeInt(key, "SelectedBrowserNumber", -1));
            QVERIFY(s.writeString(key, "SpecifiedBrowserExePath", "/opt/My Browser/run it"));
            QVERIFY(s.writeBool(Settings::settingsKey(dulcamon()), "ShowTempletsDialog", true));
        }
        Settings s(dulcamon());
        QCOMPARE(s.readBool(key, "UseDefaultBrowser"), std::optional<bool>(false));
        QCOMPARE(s.readInt(key, "SelectedBrowserNumber"), std::optional<int>(-1));
        QCOMPARE(s.readString(key, "SpecifiedBrowserExePath"),
                 std::optional<QString>("/opt/My Browser/run it"));
        QCOMPARE(s.readBool(Settings::settingsKey(dulcamon()), "ShowTempletsDialog"),
                 std::optional<bool>(true));
        QVERIFY(s.keyExists(key));
        QVERIFY(s.keyExists("Software/KZT")); // parent keys exist with their children
        // Written as the groups the programs name, for any INI reader that
        // follows QSettings' layout.
        const QByteArray file = readFile(s.userFile());
        QVERIFY(file.contains("UseDefaultBrowser=0\n"));
        QSettings plain(s.userFile(), QSettings::IniFormat);
        QCOMPARE(plain.value("Software/KZT/Dulcamon/1.0/Web Browsers/UseDefaultBrowser").toString(), QString("0"));
        QCOMPARE(plain.value("Software/KZT/Dulcamon/1.0/Settings/ShowTempletsDialog").toString(), QString("1"));
        plain.beginGroup("Software/KZT/Dulcamon/1.0");
        QCOMPARE(plain.childGroups(), (QStringList{"Settings", "Web Browsers"}));
    }

    void fileOfTheEarlierLayout_readsAndKeepsItsValuesOnWrite()
    {
        Settings s(dulcamon());
        writeFile(s.userFile(), "[Software/KZT/Dulcamon/1.0/Web Browsers]\nUseDefaultBrowser=0\n"
                                "SpecifiedBrowserExePath=/opt/My Browser/run it\n\n"
                                "[Software/KZT/Dulcamon/1.0/Settings]\nShowTempletsDialog=0\n");
        const QString key = Settings::webBrowsersKey(dulcamon());
        QCOMPARE(s.readString(key, "SpecifiedBrowserExePath"), std::optional<QString>("/opt/My Browser/run it"));
        QVERIFY(s.writeBool(key, "UseKnownBrowser", true));
        QCOMPARE(s.readBool(key, "UseDefaultBrowser"), std::optional<bool>(false));
        QCOMPARE(s.readBool(key, "UseKnownBrowser"), std::optional<bool>(true));
        QCOMPARE(s.readBool(Settings::settingsKey(dulcamon()), "ShowTempletsDialog"), std::optional<bool>(false));
    }

    void twoStores_seeEachOthersWrites_andHandEdits()
    {
        Settings first(dulcamon());
        Settings second(dulcamon());
        QVERIFY(first.writeInt("Software/A", "n", 1));
        QCOMPARE(second.readInt("Software/A", "n"), std::optional<int>(1));
        QVERIFY(second.writeInt("Software/A", "n", 22));
        QCOMPARE(first.readInt("Software/A", "n"), std::optional<int>(22));
        writeFile(first.userFile(), "[Software]\nA\\n=333\n");
        QCOMPARE(second.readInt("Software/A", "n"), std::optional<int>(333));
    }

    void keysAndNames_ignoreCaseAndSeparatorStyle()
    {
        Settings s(dulcamon());
        QVERIFY(s.writeInt("Software/KZT/Dulcamon/1.0/Settings", "ShowTempletsDialog", 0));
        QCOMPARE(s.readInt("\\SOFTWARE\\kzt\\Dulcamon\\1.0\\Settings\\", "showtempletsdialog"),
                 std::optional<int>(0));
        // Rewriting under another spelling replaces, not duplicates.
        QVERIFY(s.writeInt("software\\kzt\\dulcamon\\1.0\\settings", "SHOWTEMPLETSDIALOG", 1));
        QCOMPARE(readFile(s.userFile()).count("howTempletsDialog="), 1);
        QCOMPARE(s.readInt("Software/KZT/Dulcamon/1.0/Settings", "ShowTempletsDialog"),
                 std::optional<int>(1));
    }

    void awkwardStrings_roundTrip()
    {
        Settings s(dulcamon());
        const QStringList texts = {"", " leading and trailing ", "a=b=c", "C:\\Program Files\\x.exe",
                                   "two\nlines\r\n", "\\n literally", "[not a section]",
                                   "; not a comment", QString::fromUtf8("Grüße ✓")};
        for (int i = 0; i < texts.size(); ++i)
            QVERIFY(s.writeString("Software/Test", QString("v%1").arg(i), texts.at(i)));
        for (int i = 0; i < texts.size(); ++i)
            QCOMPARE(s.readString("Software/Test", QString("v%1").arg(i)),
                     std::optional<QString>(texts.at(i)));
        // The unnamed default value.
        QVERIFY(s.writeString("Software/Test", QString(), "default"));
        QCOMPARE(s.readString("Software/Test", QString()), std::optional<QString>("default"));
    }

    void writes_keepOtherValuesAndLeaveNoTemporaryFiles()
    {
        Settings s(dulcamon());
        QVERIFY(s.writeValues("Software/A", {{"x", "1"}, {"y", "2"}}));
        QVERIFY(s.writeValues("Software/B", {{"x", "3"}}));
        QVERIFY(s.writeValues("Software/A", {{"y", "20"}}));
        QCOMPARE(s.readInt("Software/A", "x"), std::optional<int>(1));
        QCOMPARE(s.readInt("Software/A", "y"), std::optional<int>(20));
        QCOMPARE(s.readInt("Software/B", "x"), std::optional<int>(3));
        QCOMPARE(QDir(QFileInfo(s.userFile()).absolutePath()).entryList(QDir::Files),
                 QStringList{"Dulcamon.conf"});
    }

    void handWrittenFile_withCommentsAndCrLf_reads()
    {
        Settings s(dulcamon());
        writeFile(s.userFile(), "; written by hand\r\n\r\n[Software\\KZT\\Dulcamon\\1.0\\Settings]\r\n"
                                "  ShowTempletsDialog = 0\r\n");
        QCOMPARE(s.readBool(Settings::settingsKey(dulcamon()), "ShowTempletsDialog"),
                 std::optional<bool>(false));
    }

    void wrongTypes_readAsInvalidValue_notAsDefault()
    {
        Settings s(dulcamon());
        QVERIFY(s.writeString("Software/T", "flag", "yes"));
        const auto v = s.value("Software/T", "flag");
        QCOMPARE(v.state, Settings::State::Present);
        QVERIFY(!v.toBool());
        QVERIFY(!v.toInt());
        QCOMPARE(v.toString(), std::optional<QString>("yes"));
        QVERIFY(s.writeString("Software/T", "n", "12abc"));
        QVERIFY(!s.readInt("Software/T", "n"));
        QVERIFY(s.writeString("Software/T", "n", "7"));
        QCOMPARE(s.readBool("Software/T", "n"), std::optional<bool>(true));
    }

    void corruptFile_readsInvalid_andIsReplacedOnWrite_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("binary") << QByteArray("\x00\x01\x02[Software]\nx=1\n", 17);
        QTest::newRow("not utf-8") << QByteArray("[Software/KZT]\nx=\xff\xfe\n");
        QTest::newRow("value outside any key") << QByteArray("x=1\n[Software/KZT]\n");
        QTest::newRow("line without equals sign") << QByteArray("[Software/KZT]\ngarbage\n");
    }

    void corruptFile_readsInvalid_andIsReplacedOnWrite()
    {
        QFETCH(QByteArray, bytes);
        Settings s(dulcamon());
        writeFile(s.userFile(), bytes);
        QCOMPARE(s.value("Software/KZT", "x").state, Settings::State::Invalid);
        QVERIFY(!s.keyExists("Software/KZT"));
        QVERIFY(s.writeBool(Settings::settingsKey(dulcamon()), "ShowTempletsDialog", false));
        QCOMPARE(s.value(Settings::settingsKey(dulcamon()), "ShowTempletsDialog").state,
                 Settings::State::Present);
    }

    void folderInPlaceOfFile_readsInvalid_andWriteFails()
    {
        Settings s(dulcamon());
        QVERIFY(QDir().mkpath(s.userFile()));
        QCOMPARE(s.value("Software/KZT", "x").state, Settings::State::Invalid);
        QVERIFY(!s.writeBool("Software/KZT", "x", true));
    }

    void unwritableConfigFolder_writeFailsQuietly()
    {
        // A plain file where the config folder should be.
        writeFile(m_home->filePath("blocked"), "x");
        qputenv("XDG_CONFIG_HOME", m_home->filePath("blocked").toLocal8Bit());
        Settings s(dulcamon());
        QVERIFY(!s.writeBool("Software/KZT", "x", true));
        QCOMPARE(s.value("Software/KZT", "x").state, Settings::State::Absent);
    }

    void machineHive_isReadOnlyAndSeparate()
    {
        writeFile(m_home->filePath("etc/KZT/Dulcamon.conf"),
                  "[SOFTWARE\\Microsoft\\windows\\CurrentVersion\\App Paths\\IEXPLORE.EXE]\n"
                  "@=/opt/ie/iexplore\n");
        Settings s(dulcamon());
        QCOMPARE(s.machineValue("Software/Microsoft/Windows/CurrentVersion/App Paths/iexplore.exe",
                                QString())
                     .toString(),
                 std::optional<QString>("/opt/ie/iexplore"));
        QCOMPARE(s.value("SOFTWARE/Microsoft/windows/CurrentVersion/App Paths/IEXPLORE.EXE",
                         QString())
                     .state,
                 Settings::State::Absent);
    }

private:
    std::unique_ptr<QTemporaryDir> m_home;
};

QTEST_GUILESS_MAIN(SettingsTest)
#include "SettingsTest.moc"
