#include "MessageBox.h"
#include "Settings.h"
#include "TfrmTemplet.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using kzt::MessageBox;
using kzt::PlatformProduct;
using kzt::Settings;
using kzt::TempletTexts;
using kzt::TfrmTemplet;

namespace {

PlatformProduct dulcamon()
{
    return {"Dulcamon", "1.0", "dulcamon", "dlcg", "Dulcamon.Document", ""};
}

TempletTexts dulcamonTexts()
{
    return {"Template",
            {"Click OK to open selected template or cancel to create a new project."},
            "Do not show this dialog again.",
            "*.dlcg",
            true};
}

void touch(const QString& path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("x");
}

std::optional<QString> storedShow()
{
    return Settings(dulcamon()).readString("Software/KZT/Dulcamon/1.0/Settings",
                                           "ShowTempletsDialog");
}

} // namespace

class TempletDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir.reset(new QTemporaryDir);
        QVERIFY(m_dir->isValid());
        qputenv("XDG_CONFIG_HOME", m_dir->filePath("config").toLocal8Bit());
        qputenv("XDG_DATA_HOME", m_dir->filePath("data").toLocal8Bit());
        m_shipped = m_dir->filePath("share/dulcamon/templates");
        m_user = m_dir->filePath("data/dulcamon/templates");
        MessageBox::reset();
    }

    std::unique_ptr<TfrmTemplet> make(const TempletTexts& texts = dulcamonTexts())
    {
        QString error;
        auto dialog = TfrmTemplet::create(dulcamon(), texts, m_shipped, m_user, nullptr, &error);
        if (!dialog)
            qWarning() << error;
        return dialog;
    }

    void showsTheProductTexts()
    {
        auto dialog = make();
        QVERIFY(dialog);
        QCOMPARE(dialog->windowTitle(), QString("Template"));
        QVERIFY(dialog->findChild<QListWidget*>("TempletList"));
        QCOMPARE(dialog->findChild<QPushButton*>("BitBtn1")->text(), QString("OK"));
        QCOMPARE(dialog->findChild<QPushButton*>("BitBtn2")->text(), QString("Cancel"));
        QCOMPARE(dialog->findChild<QCheckBox*>("chckbxDontShow")->text(),
                 QString("Do not show this dialog again."));
        QCOMPARE(dialog->findChild<QLabel*>("LabelHint")->text(),
                 QString("Click OK to open selected template or cancel to create a new project."));
    }

    void firstStart_offersTheDialogWithTheBoxClear()
    {
        QVERIFY(TfrmTemplet::showAtStartup(dulcamon()));
        auto dialog = make();
        QVERIFY(!dialog->chckbxDontShow()->isChecked());
        QVERIFY(!storedShow()); // looking does not write
    }

    void checkingWritesZeroAtOnce_uncheckingWritesOne()
    {
        auto dialog = make();
        dialog->show();
        QTest::mouseClick(dialog->chckbxDontShow(), Qt::LeftButton);
        QVERIFY(dialog->chckbxDontShow()->isChecked());
        QCOMPARE(storedShow(), std::optional<QString>("0"));
        QVERIFY(!TfrmTemplet::showAtStartup(dulcamon()));
        QTest::mouseClick(dialog->chckbxDontShow(), Qt::LeftButton);
        QCOMPARE(storedShow(), std::optional<QString>("1"));
        QVERIFY(TfrmTemplet::showAtStartup(dulcamon()));
        // The dialog is still open: nothing waited for OK.
        QVERIFY(dialog->isVisible());
    }

    void storedChoice_isShownInTheBox()
    {
        Settings s(dulcamon());
        QVERIFY(s.writeBool("Software/KZT/Dulcamon/1.0/Settings", "ShowTempletsDialog", false));
        QVERIFY(make()->chckbxDontShow()->isChecked());
        QVERIFY(s.writeBool("Software/KZT/Dulcamon/1.0/Settings", "ShowTempletsDialog", true));
        QVERIFY(!make()->chckbxDontShow()->isChecked());
    }

    void unreadableSetting_countsAsDoNotShow()
    {
        Settings s(dulcamon());
        QVERIFY(s.writeString("Software/KZT/Dulcamon/1.0/Settings", "ShowTempletsDialog", "maybe"));
        QVERIFY(!TfrmTemplet::showAtStartup(dulcamon()));
        QVERIFY(make()->chckbxDontShow()->isChecked());
        QFile f(s.userFile());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray("\0\0\0", 3));
        f.close();
        QVERIFY(!TfrmTemplet::showAtStartup(dulcamon()));
    }

    void listsShippedAndUserTemplates()
    {
        touch(m_shipped + "/Blue.dlcg");
        touch(m_shipped + "/plain.dlcg");
        touch(m_shipped + "/notes.txt");
        touch(m_shipped + "/UPPER.DLCG");
        QDir().mkpath(m_shipped + "/folder.dlcg");
        touch(m_user + "/mine.dlcg");
        touch(m_user + "/plain.dlcg"); // the author's own version wins
        auto dialog = make();
        QCOMPARE(dialog->templateFiles(),
                 (QStringList{m_shipped + "/Blue.dlcg", m_user + "/mine.dlcg", m_user + "/plain.dlcg",
                              m_shipped + "/UPPER.DLCG"}));
        QCOMPARE(dialog->TempletList()->item(1)->text(), QString("mine.dlcg"));
    }

    void missingUserFolder_isCreatedPrivate()
    {
        QVERIFY(!QFileInfo::exists(m_user));
        auto dialog = make();
        QVERIFY(dialog);
        QVERIFY(QFileInfo(m_user).isDir());
        QCOMPARE(QFile::permissions(m_user) & (QFile::ReadOther | QFile::WriteOther | QFile::ReadGroup),
                 QFile::Permissions());
        QCOMPARE(dialog->TempletList()->count(), 0);
    }

    void userFolderThatCannotBeCreated_failsWithTheMessage()
    {
        touch(m_dir->filePath("data/dulcamon")); // a file where the folder belongs
        QString error;
        auto dialog = TfrmTemplet::create(dulcamon(), dulcamonTexts(), m_shipped, m_user, nullptr, &error);
        QVERIFY(!dialog);
        QCOMPARE(error, "Cannot create " + m_user);

        bool opened = false;
        bool created = false;
        MessageBox::setScripted(true);
        TfrmTemplet::run(dulcamon(), dulcamonTexts(), m_shipped, m_user, nullptr,
                         [&](const QString&) { opened = true; }, [&] { created = true; });
        QCOMPARE(MessageBox::shown().size(), size_t(1));
        QCOMPARE(MessageBox::shown().at(0).text, "Cannot create " + m_user);
        QVERIFY(MessageBox::shown().at(0).icon == MessageBox::Icon::Error);
        QVERIFY(!opened && !created);
    }

    void productsThatDoNotCreateTheFolder_listNothingWithoutAMessage()
    {
        TempletTexts texts = dulcamonTexts();
        texts.createUserFolder = false;
        touch(m_shipped + "/a.dlcg");
        auto dialog = make(texts);
        QVERIFY(dialog);
        QVERIFY(!QFileInfo::exists(m_user));
        QCOMPARE(dialog->templateFiles(), QStringList{m_shipped + "/a.dlcg"});
    }

    void doubleClick_opensThatFileAndCloses()
    {
        touch(m_shipped + "/a.dlcg");
        touch(m_shipped + "/b.dlcg");
        auto dialog = make();
        QSignalSpy open(dialog.get(), &TfrmTemplet::openProjectRequested);
        QSignalSpy fresh(dialog.get(), &TfrmTemplet::newProjectRequested);
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        QListWidget* list = dialog->TempletList();
        const QRect rect = list->visualItemRect(list->item(1));
        // A double click is a click followed by the second press.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
        QCOMPARE(open.count(), 0);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rect.center());
        QCOMPARE(open.count(), 1);
        QCOMPARE(open.at(0).at(0).toString(), m_shipped + "/b.dlcg");
        QCOMPARE(fresh.count(), 0);
        QVERIFY(!dialog->isVisible());
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
    }

    void singleClickProducts_openOnTheFirstClick()
    {
        touch(m_shipped + "/a.osn");
        TempletTexts texts{"Templet", {"Click OK, The templet you selected will"}, "Don't show this dialog again.",
                           "*.osn", false, true};
        auto dialog = make(texts);
        QSignalSpy open(dialog.get(), &TfrmTemplet::openProjectRequested);
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        QListWidget* list = dialog->TempletList();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
        QCOMPARE(open.count(), 1);
        QCOMPARE(open.at(0).at(0).toString(), m_shipped + "/a.osn");
        QVERIFY(!dialog->isVisible());
    }

    void ok_opensTheSelection_firstOneWithoutAClick_orJustCloses()
    {
        touch(m_user + "/a.dlcg");
        touch(m_user + "/b.dlcg");
        auto dialog = make();
        QSignalSpy open(dialog.get(), &TfrmTemplet::openProjectRequested);
        dialog->show();
        // The first row is drawn as chosen, and it is.
        QVERIFY(dialog->TempletList()->item(0)->isSelected());
        QTest::mouseClick(dialog->BitBtn1(), Qt::LeftButton);
        QCOMPARE(open.count(), 1);
        QCOMPARE(open.at(0).at(0).toString(), m_user + "/a.dlcg");
        QVERIFY(!dialog->isVisible());

        dialog->show();
        dialog->TempletList()->setCurrentRow(1);
        QTest::mouseClick(dialog->BitBtn1(), Qt::LeftButton);
        QCOMPARE(open.count(), 2);
        QCOMPARE(open.at(1).at(0).toString(), m_user + "/b.dlcg");

        // Nothing to choose: OK just closes.
        QFile::remove(m_user + "/a.dlcg");
        QFile::remove(m_user + "/b.dlcg");
        auto empty = make();
        QSignalSpy none(empty.get(), &TfrmTemplet::openProjectRequested);
        empty->show();
        QTest::mouseClick(empty->BitBtn1(), Qt::LeftButton);
        QCOMPARE(none.count(), 0);
        QVERIFY(!empty->isVisible());
    }

    void cancelAndEscape_startANewProject()
    {
        touch(m_user + "/a.dlcg");
        auto dialog = make();
        QSignalSpy open(dialog.get(), &TfrmTemplet::openProjectRequested);
        QSignalSpy fresh(dialog.get(), &TfrmTemplet::newProjectRequested);
        dialog->show();
        dialog->TempletList()->setCurrentRow(0);
        QTest::mouseClick(dialog->BitBtn2(), Qt::LeftButton);
        QCOMPARE(fresh.count(), 1);
        QCOMPARE(dialog->result(), int(QDialog::Rejected));
        dialog->show();
        QTest::keyClick(dialog.get(), Qt::Key_Escape);
        QCOMPARE(fresh.count(), 2);
        QCOMPARE(open.count(), 0);
        // Closing the window is neither choice.
        dialog->show();
        dialog->close();
        QCOMPARE(fresh.count(), 2);
    }

    void run_handsTheChoiceToTheCaller()
    {
        touch(m_shipped + "/a.dlcg");
        QString opened;
        int created = 0;
        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<TfrmTemplet*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            dialog->TempletList()->setCurrentRow(0);
            dialog->BitBtn1()->click();
        });
        TfrmTemplet::run(dulcamon(), dulcamonTexts(), m_shipped, m_user, nullptr,
                         [&](const QString& path) { opened = path; }, [&] { ++created; });
        QCOMPARE(opened, m_shipped + "/a.dlcg");
        QCOMPARE(created, 0);
        QVERIFY(!QApplication::activeModalWidget());
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_shipped;
    QString m_user;
};

QTEST_MAIN(TempletDialogTest)
#include "TempletDialogTest.moc"
