#include "FileDialog.h"
#include "Launcher.h"
#include "Settings.h"
#include "TformWebBrowser.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

using kzt::FileDialog;
using kzt::Launcher;
using kzt::PlatformProduct;
using kzt::Settings;
using kzt::TformWebBrowser;

namespace {

PlatformProduct dulcamon()
{
    return {"Dulcamon", "1.0", "dulcamon", "dlcg", "Dulcamon.Document", ""};
}

const QString kKey = "Software/KZT/Dulcamon/1.0/Web Browsers";

void makeProgram(const QString& path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("#!/bin/sh\n");
    f.close();
    f.setPermissions(f.permissions() | QFile::ExeOwner);
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class WebBrowserDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir.reset(new QTemporaryDir);
        QVERIFY(m_dir->isValid());
        qputenv("XDG_CONFIG_HOME", m_dir->filePath("config").toLocal8Bit());
        qputenv("XDG_CONFIG_DIRS", m_dir->filePath("etc").toLocal8Bit());
        qputenv("XDG_DATA_HOME", m_dir->filePath("data").toLocal8Bit());
        m_bin = m_dir->filePath("bin");
        QDir().mkpath(m_bin);
        qputenv("PATH", m_bin.toLocal8Bit());
        FileDialog::reset();
    }

    void controls_carryTheirNamesAndTexts()
    {
        TformWebBrowser dialog(dulcamon());
        QCOMPARE(dialog.windowTitle(), QString("Web Browser"));
        const auto* def = dialog.findChild<QRadioButton*>("RadioButtonBrowserDefault");
        QVERIFY(def);
        QCOMPARE(def->text(), QString("Use Default Browser"));
        QCOMPARE(dialog.findChild<QRadioButton*>("RadioButtonBrowserKnownInSystem")->text(),
                 QString("Use Known Browser in System"));
        QCOMPARE(dialog.findChild<QRadioButton*>("RadioButtonBrowserUserSpecify")->text(),
                 QString("User Specified Browser Program"));
        QVERIFY(dialog.findChild<QComboBox*>("ComboBoxBrowserList"));
        QVERIFY(dialog.findChild<QLineEdit*>("editSpecifiedBrowserFileName"));
        QVERIFY(dialog.findChild<QToolButton*>("spdbtnOpenExeFile"));
        QCOMPARE(dialog.findChild<QPushButton*>("bitbtnOk")->text(), QString("OK"));
        QCOMPARE(dialog.findChild<QPushButton*>("bitbtnCancel")->text(), QString("Cancel"));
    }

    void firstUse_defaultChecked_browsersListedWithoutSelection()
    {
        makeProgram(m_bin + "/chromium");
        makeProgram(m_bin + "/firefox");
        TformWebBrowser dialog(dulcamon());
        QVERIFY(dialog.RadioButtonBrowserDefault()->isChecked());
        QCOMPARE(dialog.ComboBoxBrowserList()->count(), 2);
        QCOMPARE(dialog.ComboBoxBrowserList()->itemText(0), QString("Firefox"));
        QCOMPARE(dialog.ComboBoxBrowserList()->itemText(1), QString("Chromium"));
        QCOMPARE(dialog.ComboBoxBrowserList()->currentIndex(), -1);
        Launcher::Recorder recorder;
        QVERIFY(dialog.launch("/home/u/.local/share/dulcamon/preview/", "~preview.html"));
        QCOMPARE(recorder.launches().size(), size_t(1));
        QVERIFY(recorder.launches().at(0).kind == Launcher::Launch::Kind::OpenDocument);
        QCOMPARE(recorder.launches().at(0).target,
                 QString("/home/u/.local/share/dulcamon/preview/~preview.html"));
    }

    void storedIndexAtOrBeyondTheList_selectsTheFirstEntry_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("shown");
        QTest::newRow("in range") << 1 << 1;
        QTest::newRow("equal to count") << 2 << 0;
        QTest::newRow("far beyond") << 99 << 0;
    }

    void storedIndexAtOrBeyondTheList_selectsTheFirstEntry()
    {
        QFETCH(int, stored);
        QFETCH(int, shown);
        makeProgram(m_bin + "/firefox");
        makeProgram(m_bin + "/falkon");
        Settings s(dulcamon());
        QVERIFY(s.writeValues(kKey, {{"UseDefaultBrowser", "0"}, {"UseKnownBrowser", "1"},
                                     {"UseSpecifiedBrowser", "0"},
                                     {"SelectedBrowserNumber", QString::number(stored)},
                                     {"SpecifiedBrowserExePath", ""}}));
        TformWebBrowser dialog(dulcamon());
        QVERIFY(dialog.RadioButtonBrowserKnownInSystem()->isChecked());
        QCOMPARE(dialog.ComboBoxBrowserList()->currentIndex(), shown);
        Launcher::Recorder recorder;
        dialog.launch(m_dir->filePath("p"), "~preview.html");
        QCOMPARE(recorder.launches().size(), size_t(1));
        QVERIFY(recorder.launches().at(0).kind == Launcher::Launch::Kind::StartProgram);
        QCOMPARE(recorder.launches().at(0).target, dialog.knownBrowsers().at(size_t(shown)).executable);
        QCOMPARE(recorder.launches().at(0).arguments, QStringList{m_dir->filePath("p/~preview.html")});
    }

    void storedKnownChoice_withNoBrowserLeft_showsDefaultChecked()
    {
        Settings s(dulcamon());
        QVERIFY(s.writeValues(kKey, {{"UseDefaultBrowser", "0"}, {"UseKnownBrowser", "1"},
                                     {"UseSpecifiedBrowser", "0"}, {"SelectedBrowserNumber", "3"},
                                     {"SpecifiedBrowserExePath", ""}}));
        TformWebBrowser dialog(dulcamon());
        QCOMPARE(dialog.ComboBoxBrowserList()->count(), 0);
        QVERIFY(dialog.RadioButtonBrowserDefault()->isChecked());
        QVERIFY(!dialog.RadioButtonBrowserKnownInSystem()->isChecked());
        QCOMPARE(dialog.ComboBoxBrowserList()->currentIndex(), -1);
    }

    void checkingKnownChoice_withEmptyList_movesTheCheckToDefault()
    {
        TformWebBrowser dialog(dulcamon());
        dialog.show();
        dialog.RadioButtonBrowserUserSpecify()->setChecked(true);
        QTest::mouseClick(dialog.RadioButtonBrowserKnownInSystem(), Qt::LeftButton);
        QVERIFY(dialog.RadioButtonBrowserDefault()->isChecked());
    }

    void pickingAnEntry_checksTheKnownChoice()
    {
        makeProgram(m_bin + "/firefox");
        makeProgram(m_bin + "/konqueror");
        TformWebBrowser dialog(dulcamon());
        dialog.show();
        QVERIFY(dialog.RadioButtonBrowserDefault()->isChecked());
        dialog.ComboBoxBrowserList()->setFocus();
        QTest::keyClick(dialog.ComboBoxBrowserList(), Qt::Key_Down);
        QVERIFY(dialog.RadioButtonBrowserKnownInSystem()->isChecked());
        QVERIFY(dialog.ComboBoxBrowserList()->currentIndex() >= 0);
    }

    void knownChoiceWithoutSelection_fallsBackToTheDefaultOpener()
    {
        makeProgram(m_bin + "/firefox");
        Settings s(dulcamon());
        QVERIFY(s.writeValues(kKey, {{"UseDefaultBrowser", "0"}, {"UseKnownBrowser", "1"},
                                     {"UseSpecifiedBrowser", "0"}, {"SelectedBrowserNumber", "-1"},
                                     {"SpecifiedBrowserExePath", ""}}));
        TformWebBrowser dialog(dulcamon());
        QVERIFY(dialog.RadioButtonBrowserKnownInSystem()->isChecked());
        QCOMPARE(dialog.ComboBoxBrowserList()->currentIndex(), -1);
        Launcher::Recorder recorder;
        QVERIFY(dialog.launch("/tmp/pv", "~preview.html"));
        QCOMPARE(recorder.launches().size(), size_t(1));
        QVERIFY(recorder.launches().at(0).kind == Launcher::Launch::Kind::OpenDocument);
        QCOMPARE(recorder.launches().at(0).target, QString("/tmp/pv/~preview.html"));
    }

    void specifiedProgramWithBlanks_getsThePageAsOneArgument()
    {
        const QString program = m_dir->filePath("Program Files/My Browser/browse it");
        makeProgram(program);
        Settings s(dulcamon());
        QVERIFY(s.writeValues(kKey, {{"UseDefaultBrowser", "0"}, {"UseKnownBrowser", "0"},
                                     {"UseSpecifiedBrowser", "1"}, {"SelectedBrowserNumber", "-1"},
                                     {"SpecifiedBrowserExePath", program}}));
        TformWebBrowser dialog(dulcamon());
        QVERIFY(dialog.RadioButtonBrowserUserSpecify()->isChecked());
        QCOMPARE(dialog.editSpecifiedBrowserFileName()->text(), program);
        Launcher::Recorder recorder;
        QVERIFY(dialog.launch(m_dir->filePath("my data/preview"), "~preview.html"));
        QCOMPARE(recorder.launches().size(), size_t(1));
        const auto& launch = recorder.launches().at(0);
        QVERIFY(launch.kind == Launcher::Launch::Kind::StartProgram);
        QCOMPARE(launch.target, program);
        QCOMPARE(launch.arguments, QStringList{m_dir->filePath("my data/preview/~preview.html")});
    }

    void specifiedChoiceWithEmptyPath_fallsBackToTheDefaultOpener()
    {
        TformWebBrowser dialog(dulcamon());
        dialog.RadioButtonBrowserUserSpecify()->setChecked(true);
        dialog.editSpecifiedBrowserFileName()->setText("   ");
        Launcher::Recorder recorder;
        dialog.launch("/tmp/pv", "~preview.html");
        QCOMPARE(recorder.launches().size(), size_t(1));
        QVERIFY(recorder.launches().at(0).kind == Launcher::Launch::Kind::OpenDocument);
    }

    void ok_writesTheFiveValues_andANewDialogReadsThemBack()
    {
        makeProgram(m_bin + "/firefox");
        makeProgram(m_bin + "/vivaldi");
        {
            TformWebBrowser dialog(dulcamon());
            dialog.show();
            dialog.RadioButtonBrowserKnownInSystem()->setChecked(true);
            dialog.ComboBoxBrowserList()->setCurrentIndex(1);
            dialog.editSpecifiedBrowserFileName()->setText("/opt/a b/c");
            QTest::mouseClick(dialog.bitbtnOk(), Qt::LeftButton);
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
        }
        Settings s(dulcamon());
        QCOMPARE(s.readBool(kKey, "UseDefaultBrowser"), std::optional<bool>(false));
        QCOMPARE(s.readBool(kKey, "UseKnownBrowser"), std::optional<bool>(true));
        QCOMPARE(s.readBool(kKey, "UseSpecifiedBrowser"), std::optional<bool>(false));
        QCOMPARE(s.readInt(kKey, "SelectedBrowserNumber"), std::optional<int>(1));
        QCOMPARE(s.readString(kKey, "SpecifiedBrowserExePath"), std::optional<QString>("/opt/a b/c"));

        TformWebBrowser again(dulcamon());
        QVERIFY(again.RadioButtonBrowserKnownInSystem()->isChecked());
        QCOMPARE(again.ComboBoxBrowserList()->currentText(), QString("Vivaldi"));
        QCOMPARE(again.editSpecifiedBrowserFileName()->text(), QString("/opt/a b/c"));
    }

    void cancel_writesNothing()
    {
        TformWebBrowser dialog(dulcamon());
        dialog.show();
        dialog.RadioButtonBrowserUserSpecify()->setChecked(true);
        dialog.editSpecifiedBrowserFileName()->setText("/opt/x");
        QTest::mouseClick(dialog.bitbtnCancel(), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(!QFile::exists(Settings::userFilePath(dulcamon())));

        // Nor does it touch an existing choice.
        Settings s(dulcamon());
        QVERIFY(s.writeValues(kKey, {{"UseDefaultBrowser", "1"}}));
        const QByteArray before = readFile(s.userFile());
        TformWebBrowser second(dulcamon());
        second.show();
        second.RadioButtonBrowserUserSpecify()->setChecked(true);
        QTest::mouseClick(second.bitbtnCancel(), Qt::LeftButton);
        QCOMPARE(readFile(s.userFile()), before);
    }

    void readingStopsAtTheFirstMissingOrUnreadableValue_data()
    {
        QTest::addColumn<QString>("useKnown");
        QTest::newRow("missing") << QString();
        QTest::newRow("not a number") << QString("yes");
    }

    void readingStopsAtTheFirstMissingOrUnreadableValue()
    {
        QFETCH(QString, useKnown);
        std::map<QString, QString> values{{"UseDefaultBrowser", "0"},
                                          {"UseSpecifiedBrowser", "1"},
                                          {"SelectedBrowserNumber", "0"},
                                          {"SpecifiedBrowserExePath", "/opt/x"}};
        if (!useKnown.isNull())
            values["UseKnownBrowser"] = useKnown;
        Settings s(dulcamon());
        QVERIFY(s.writeValues(kKey, values));
        TformWebBrowser dialog(dulcamon());
        // Applied: the default choice turned off. Not applied: everything after.
        QVERIFY(!dialog.RadioButtonBrowserDefault()->isChecked());
        QVERIFY(!dialog.RadioButtonBrowserUserSpecify()->isChecked());
        QVERIFY(dialog.editSpecifiedBrowserFileName()->text().isEmpty());
        QVERIFY(dialog.choice() == TformWebBrowser::Choice::None);
        // With no choice at all Preview still shows the page.
        Launcher::Recorder recorder;
        QVERIFY(dialog.launch("/tmp/pv", "~preview.html"));
        QVERIFY(recorder.launches().at(0).kind == Launcher::Launch::Kind::OpenDocument);
    }

    void damagedSettingsFile_keepsDefaults_andOkReplacesIt()
    {
        const QString file = Settings::userFilePath(dulcamon());
        QDir().mkpath(QFileInfo(file).absolutePath());
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray("\x00\xff garbage", 10));
        f.close();
        TformWebBrowser dialog(dulcamon());
        QVERIFY(dialog.RadioButtonBrowserDefault()->isChecked());
        dialog.bitbtnOkClick();
        QCOMPARE(Settings(dulcamon()).readBool(kKey, "UseDefaultBrowser"), std::optional<bool>(true));
    }

    void browse_offersAllFiles_andPutsThePathIntoTheEditBox()
    {
        TformWebBrowser dialog(dulcamon());
        dialog.show();
        FileDialog::setNextFileName("/opt/new browser/run");
        QTest::mouseClick(dialog.spdbtnOpenExeFile(), Qt::LeftButton);
        QCOMPARE(dialog.editSpecifiedBrowserFileName()->text(), QString("/opt/new browser/run"));
        QCOMPARE(FileDialog::requests().size(), size_t(1));
        const auto& request = FileDialog::requests().at(0);
        QCOMPARE(request.filters, (QStringList{"Execute Files (*.exe *.com)", "All Files (*)"}));
        QCOMPARE(request.filterIndex, 1);
        // Cancelled: the box keeps its text; the next dialog starts in its folder.
        FileDialog::setNextFileName(QString());
        dialog.spdbtnOpenExeFileClick();
        QCOMPARE(dialog.editSpecifiedBrowserFileName()->text(), QString("/opt/new browser/run"));
        QCOMPARE(FileDialog::requests().at(1).dir, QString("/opt/new browser"));
    }

    // The applet builders' older form: no settings, a choice that lasts
    // while the program runs, the named program's path in the user's folder.
    TformWebBrowser::OlderForm olderForm(bool pickingChecksKnown) const
    {
        return {pickingChecksKnown, (m_dir->filePath("data/vantrel/wbrwsr.dat")).toStdString()};
    }

    void olderForm_choiceLastsWhileTheProgramRuns_andNothingGoesToSettings()
    {
        TformWebBrowser::forgetSessionChoice();
        makeProgram(m_bin + "/firefox");
        makeProgram(m_bin + "/konqueror");
        {
            TformWebBrowser dialog(vantrel(), olderForm(true));
            // The first entry is selected, the default choice checked.
            QCOMPARE(dialog.ComboBoxBrowserList()->currentIndex(), 0);
            QVERIFY(dialog.RadioButtonBrowserDefault()->isChecked());
            dialog.ComboBoxBrowserList()->setCurrentIndex(1);
            dialog.RadioButtonBrowserKnownInSystem()->setChecked(true);
            dialog.bitbtnOkClick();
            QCOMPARE(dialog.choiceText(), dialog.ComboBoxBrowserList()->itemText(1));
        }
        // Preview makes a fresh dialog: it starts the chosen browser, found again.
        TformWebBrowser preview(vantrel(), olderForm(true));
        QVERIFY(preview.RadioButtonBrowserKnownInSystem()->isChecked());
        QCOMPARE(preview.ComboBoxBrowserList()->currentIndex(), 1);
        Launcher::Recorder recorder;
        QVERIFY(preview.launch(m_dir->filePath("pv"), "~preview.html"));
        const auto& launch = recorder.launches().at(0);
        QVERIFY(launch.kind == Launcher::Launch::Kind::StartProgram);
        QCOMPARE(launch.target, preview.knownBrowsers().at(1).executable);
        QCOMPARE(launch.arguments, QStringList{m_dir->filePath("pv/~preview.html")});
        QVERIFY(!QFile::exists(m_dir->filePath("config/KZT/Vantrel.conf")));
        TformWebBrowser::forgetSessionChoice();
    }

    void olderForm_specifiedProgram_keptInTheUserFolder_startedInThePreviewFolder()
    {
        TformWebBrowser::forgetSessionChoice();
        const QString program = m_dir->filePath("Program Files/browse it");
        makeProgram(program);
        {
            TformWebBrowser dialog(vantrel(), olderForm(true));
            FileDialog::setNextFileName(program);
            dialog.spdbtnOpenExeFileClick();
            QCOMPARE(readFile(m_dir->filePath("data/vantrel/wbrwsr.dat")).trimmed(), program.toLocal8Bit());
            dialog.RadioButtonBrowserUserSpecify()->setChecked(true);
            dialog.bitbtnOkClick();
            QCOMPARE(dialog.choiceText(), QString("specified"));
        }
        TformWebBrowser preview(vantrel(), olderForm(true));
        QCOMPARE(preview.editSpecifiedBrowserFileName()->text(), program);
        Launcher::Recorder recorder;
        QVERIFY(preview.launch(m_dir->filePath("pv"), "~preview.html"));
        const auto& launch = recorder.launches().at(0);
        QVERIFY(launch.kind == Launcher::Launch::Kind::StartProgram);
        QCOMPARE(launch.target, program);
        QCOMPARE(launch.arguments, QStringList{"~preview.html"});
        QCOMPARE(launch.workingDir, m_dir->filePath("pv"));
        // An emptied box makes OK choose the default opener.
        preview.editSpecifiedBrowserFileName()->clear();
        preview.bitbtnOkClick();
        QCOMPARE(preview.choiceText(), QString("default"));
        TformWebBrowser::forgetSessionChoice();
    }

    void olderForm_typedProgramPath_isTheProgramPreviewStarts()
    {
        TformWebBrowser::forgetSessionChoice();
        const QString picked = m_dir->filePath("bin2/picked");
        const QString typed = m_dir->filePath("bin2/typed browser");
        makeProgram(picked);
        makeProgram(typed);
        {
            TformWebBrowser dialog(vantrel(), olderForm(true));
            FileDialog::setNextFileName(picked);
            dialog.spdbtnOpenExeFileClick();
            dialog.RadioButtonBrowserUserSpecify()->setChecked(true);
            dialog.editSpecifiedBrowserFileName()->setText(typed);
            dialog.bitbtnOkClick();
        }
        TformWebBrowser preview(vantrel(), olderForm(true));
        QCOMPARE(preview.editSpecifiedBrowserFileName()->text(), typed);
        Launcher::Recorder recorder;
        QVERIFY(preview.launch(m_dir->filePath("pv"), "~preview.html"));
        QCOMPARE(recorder.launches().at(0).target, typed);
        TformWebBrowser::forgetSessionChoice();
    }

    void olderForm_knownChoiceWithEmptyList_isAllowed_andOkMakesItDefault()
    {
        TformWebBrowser::forgetSessionChoice();
        TformWebBrowser dialog(vantrel(), olderForm(false));
        dialog.RadioButtonBrowserKnownInSystem()->setChecked(true);
        QVERIFY(dialog.RadioButtonBrowserKnownInSystem()->isChecked());
        dialog.bitbtnOkClick();
        QCOMPARE(dialog.choiceText(), QString("default"));
        Launcher::Recorder recorder;
        dialog.launch("/tmp/pv", "~preview.html");
        QVERIFY(recorder.launches().at(0).kind == Launcher::Launch::Kind::OpenDocument);
    }

    void olderForm_pickingAnEntry_checksKnownOnlyWhereTheProductSaysSo()
    {
        makeProgram(m_bin + "/firefox");
        makeProgram(m_bin + "/konqueror");
        for (bool checks : {true, false}) {
            TformWebBrowser::forgetSessionChoice();
            TformWebBrowser dialog(vantrel(), olderForm(checks));
            dialog.show();
            dialog.ComboBoxBrowserList()->setFocus();
            QTest::keyClick(dialog.ComboBoxBrowserList(), Qt::Key_Down);
            QCOMPARE(dialog.RadioButtonBrowserKnownInSystem()->isChecked(), checks);
        }
        TformWebBrowser::forgetSessionChoice();
    }

private:
    static PlatformProduct vantrel() { return {"Vantrel", "2.01", "vantrel", "vtp", "Vantrel.Document", ""}; }

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_bin;
};

QTEST_MAIN(WebBrowserDialogTest)
#include "WebBrowserDialogTest.moc"
