// Editing in the main window: the selection protocol between tree and
// panels, command states, the separator and menu name checks, the pickers
// and the bulk property copy.
#include "MainFormFixture.h"

#include "ColorDialog.h"
#include "ColorSwatch.h"
#include "dulcamon/gui/DulcamonPanels.h"
#include "dulcamon/core/DulcamonProfile.h"
#include "FileDialog.h"
#include "ItemTreeModel.h"
#include "MessageBox.h"
#include "TfrmGlobalPropertiesChange.h"
#include "TreeNode.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QStatusTipEvent>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolBar>
#include <QTest>
#include <QToolButton>
#include <QTreeView>

using namespace dulcamon;
using kzt::MessageBox;

class MainFormEditingTest : public QObject
{
    Q_OBJECT

private:
    static QString separatorMessage() { return QStringLiteral("The text can't include \"#$@\", it is used by system!"); }

    static QStringList visibleTabs(QTabWidget* tabs)
    {
        QStringList names;
        for (int i = 0; i < tabs->count(); ++i) {
            if (tabs->isTabVisible(i))
                names << tabs->widget(i)->objectName();
        }
        return names;
    }

private slots:
    void newWindow_showsDefaultsAndMenuTabs()
    {
        MainFormFixture f;
        auto& w = f.window();
        QCOMPARE(w.size(), QSize(650, 465));
        QCOMPARE(w.windowTitle(), QStringLiteral("Dulcamon"));
        QVERIFY(!w.isModified());
        QVERIFY(!f.child<QAction>("Save1")->isEnabled());
        QCOMPARE(f.agent().tree().count(), std::size_t(1));
        QCOMPARE(f.child<QLineEdit>("edtMenuName")->text(), QStringLiteral("dulcam10"));
        QCOMPARE(f.child<QSpinBox>("spnedtSubMenuCloseDelay")->value(), 1000);
        QCOMPARE(f.child<kzt::ColorSwatch>("pnlItBrdClr")->color(), QColor(0xFD, 0xDE, 0x73));
        QCOMPARE(visibleTabs(w.panels()), (QStringList{"tbshtMenu", "tbshtItems"}));
        QCOMPARE(w.panels()->currentWidget()->objectName(), QStringLiteral("tbshtMenu"));
        // The tab caption keeps its doubled ampersand so one shows.
        QCOMPARE(w.panels()->tabText(3), QStringLiteral("Foreground && Background"));
    }

    void selectionProtocol_keepsEveryValue()
    {
        MainFormFixture f;
        f.insertItem(QStringLiteral("First"));
        QCOMPARE(f.window().panels()->currentWidget()->objectName(), QStringLiteral("tbshtItem"));
        f.window().setModified(false);
        f.child<QSpinBox>("spnedtIWidth")->setValue(123);
        MainFormFixture::typeInto(f.child<QLineEdit>("edtIDescription"), QStringLiteral("first one"));
        QVERIFY(f.window().isModified());
        f.selectRoot();
        QCOMPARE(f.window().panels()->currentWidget()->objectName(), QStringLiteral("tbshtMenu"));
        f.insertItem(QStringLiteral("Second"));
        // The first item's values reached its record and the node.
        QCOMPARE(f.agent().Items[0].get(Caption), std::string("First"));
        QCOMPARE(f.agent().Items[0].get(Width), std::string("123"));
        QCOMPARE(f.agent().Items[0].get(Description), std::string("first one"));
        QCOMPARE(f.agent().NodeOfItem(0)->text(), std::string("First"));
        f.selectItem(0);
        QCOMPARE(f.child<QLineEdit>("edtICaption")->text(), QStringLiteral("First"));
        QCOMPARE(f.child<QSpinBox>("spnedtIWidth")->value(), 123);
        f.selectItem(1);
        QCOMPARE(f.child<QLineEdit>("edtICaption")->text(), QStringLiteral("Second"));
        QCOMPARE(f.child<QLineEdit>("edtIDescription")->text(), QString());
        QCOMPARE(f.agent().Items[1].get(Caption), std::string("Second"));
    }

    void clickingSelectedItem_marksModified()
    {
        MainFormFixture f;
        f.insertItem(QStringLiteral("One"));
        f.window().setModified(false);
        f.selectItem(0);
        QVERIFY(f.window().isModified());
        QVERIFY(f.child<QAction>("Save1")->isEnabled());
    }

    void deleteWithDescendants_doesNotWriteIntoFollowingRecord()
    {
        MainFormFixture f;
        f.insertItem(QStringLiteral("A"));
        f.insertItem(QStringLiteral("A1"));
        f.selectRoot();
        f.insertItem(QStringLiteral("B"));
        f.selectItem(0);
        MainFormFixture::typeInto(f.child<QLineEdit>("edtIDescription"), QStringLiteral("only for A"));
        MessageBox::setNextAnswer(MessageBox::Yes);
        f.clickToolButton("tlbtnDelete");
        QCOMPARE(MessageBox::shown().back().text,
                 QStringLiteral("Are you sure to delete this item and all it's children?"));
        QCOMPARE(f.agent().Items.size(), std::size_t(1));
        QVERIFY(f.agent().IsConsistent());
        f.selectRoot();
        QCOMPARE(f.agent().Items[0].get(Caption), std::string("B"));
        QCOMPARE(f.agent().Items[0].get(Description), std::string());
        QCOMPARE(f.agent().NodeOfItem(0)->text(), std::string("B"));
    }

    void deleteOnlyItem_panelNeverReachesLaterRecords()
    {
        MainFormFixture f;
        f.insertItem(QStringLiteral("Gone"));
        MainFormFixture::typeInto(f.child<QLineEdit>("edtIDescription"), QStringLiteral("stale"));
        MessageBox::setNextAnswer(MessageBox::Yes);
        f.trigger("Delete1");
        QCOMPARE(f.window().selectedNode(), f.agent().tree().root());
        QCOMPARE(f.window().currentItemNode(), nullptr);
        f.clickToolButton("tlbtnInsert");
        f.window().commitPanels();
        QCOMPARE(f.agent().Items.size(), std::size_t(1));
        QCOMPARE(f.agent().Items[0].get(Caption), std::string("Item"));
        QCOMPARE(f.agent().Items[0].get(Description), std::string());
    }

    void deleteAnsweredNo_andRootRefused()
    {
        MainFormFixture f;
        f.insertItem(QStringLiteral("A"));
        MessageBox::setNextAnswer(MessageBox::No);
        f.trigger("Delete1");
        QCOMPARE(f.agent().Items.size(), std::size_t(1));
        f.selectRoot();
        f.window().setModified(false);
        f.window().Delete1Click();
        QCOMPARE(MessageBox::shown().back().text, QStringLiteral("You can't delete root item."));
        QCOMPARE(f.agent().Items.size(), std::size_t(1));
        QVERIFY(f.window().isModified());
    }

    void commandStates_followSelection()
    {
        MainFormFixture f;
        f.insertItem(QStringLiteral("first"));
        f.selectRoot();
        f.insertItem(QStringLiteral("middle"));
        f.selectRoot();
        f.insertItem(QStringLiteral("last"));
        struct Expect { bool del, up, down; };
        auto check = [&](Expect e) {
            QVERIFY(f.child<QAction>("Insert1")->isEnabled());
            QCOMPARE(f.child<QAction>("Delete1")->isEnabled(), e.del);
            QCOMPARE(f.child<QAction>("MoveUp1")->isEnabled(), e.up);
            QCOMPARE(f.child<QAction>("MoveDown1")->isEnabled(), e.down);
            QCOMPARE(f.child<QToolButton>("tlbtnDelete")->isEnabled(), e.del);
            QCOMPARE(f.child<QToolButton>("tlbtnMoveUp")->isEnabled(), e.up);
            QCOMPARE(f.child<QToolButton>("tlbtnMoveDown")->isEnabled(), e.down);
        };
        f.selectRoot();
        check({false, false, false});
        f.selectItem(0);
        check({true, false, true});
        f.selectItem(1);
        check({true, true, true});
        f.selectItem(2);
        check({true, true, false});
        // Moving the last item up makes it the middle one.
        f.clickToolButton("tlbtnMoveUp");
        QCOMPARE(f.agent().Items[1].get(Caption), std::string("last"));
        QCOMPARE(f.agent().NodeOfItem(1)->text(), std::string("last"));
        check({true, true, true});
        f.clickToolButton("tlbtnMoveUp");
        check({true, false, true});
        f.clickToolButton("tlbtnMoveDown");
        f.clickToolButton("tlbtnMoveDown");
        check({true, true, false});
        QCOMPARE(f.agent().Items[2].get(Caption), std::string("last"));
    }

    void moveCarriesPanelEdits_andSubtrees()
    {
        MainFormFixture f;
        f.insertItem(QStringLiteral("A"));
        f.insertItem(QStringLiteral("A1"));
        f.selectRoot();
        f.insertItem(QStringLiteral("B"));
        MainFormFixture::typeInto(f.child<QLineEdit>("edtIDescription"), QStringLiteral("about B"));
        f.trigger("MoveUp1");
        f.selectRoot();
        QCOMPARE(f.agent().Items[0].get(Caption), std::string("B"));
        QCOMPARE(f.agent().Items[0].get(Description), std::string("about B"));
        QCOMPARE(f.agent().Items[1].get(Caption), std::string("A"));
        QCOMPARE(f.agent().Items[2].get(Caption), std::string("A1"));
        QCOMPARE(f.agent().NodeOfItem(2)->parent(), f.agent().NodeOfItem(1));
    }

    void captionEdit_renamesNodeLive()
    {
        MainFormFixture f;
        kzt::TreeNode* node = f.insertItem(QStringLiteral("Home"));
        QCOMPARE(node->text(), std::string("Home"));
        MainFormFixture::typeInto(f.child<QLineEdit>("edtICaption"), QStringLiteral("  News "));
        QCOMPARE(node->text(), std::string("News"));
        const QModelIndex index = f.window().treeModel()->indexOf(node);
        QCOMPARE(index.data().toString(), QStringLiteral("News"));
    }

    void separator_emptiesDescriptionWithOneWarning()
    {
        MainFormFixture f;
        f.insertItem(QStringLiteral("A"));
        MainFormFixture::typeInto(f.child<QLineEdit>("edtIDescription"), QStringLiteral("see "));
        const auto before = MessageBox::shown().size();
        QTest::keyClicks(f.child<QLineEdit>("edtIDescription"), QStringLiteral("#$@"));
        QCOMPARE(MessageBox::shown().size(), before + 1);
        QCOMPARE(MessageBox::shown().back().text, separatorMessage());
        QCOMPARE(MessageBox::shown().back().buttons, MessageBox::Buttons(MessageBox::Yes));
        QCOMPARE(MessageBox::shown().back().icon, MessageBox::Icon::Warning);
        QCOMPARE(f.child<QLineEdit>("edtIDescription")->text(), QString());
    }

    void separator_refusedByEveryTextControl()
    {
        MainFormFixture f;
        // Menu side.
        f.child<QLineEdit>("edtCaptionFontFamily")->setText(QStringLiteral("arial#$@"));
        f.child<QLineEdit>("edtSubMenuFrameName")->setText(QStringLiteral("x#$@"));
        f.child<QComboBox>("chckbxFilter")->setEditText(QStringLiteral("a#$@b"));
        QCOMPARE(f.child<QLineEdit>("edtCaptionFontFamily")->text(), QString());
        QCOMPARE(f.child<QLineEdit>("edtSubMenuFrameName")->text(), QString());
        QCOMPARE(f.child<QComboBox>("chckbxFilter")->currentText(), QString());
        // Item side.
        f.insertItem(QStringLiteral("A"));
        f.child<QComboBox>("cmbxIURL")->setEditText(QStringLiteral("a.html#$@"));
        f.child<QComboBox>("cmbxITarget")->setEditText(QStringLiteral("#$@"));
        f.child<QLineEdit>("edtINoBgImg")->setText(QStringLiteral("a#$@.gif"));
        f.child<QLineEdit>("edtIOvBgImg")->setText(QStringLiteral("b#$@.gif"));
        f.child<QLineEdit>("edtICaption")->setText(QStringLiteral("A#$@"));
        QCOMPARE(f.child<QComboBox>("cmbxIURL")->currentText(), QString());
        QCOMPARE(f.child<QComboBox>("cmbxITarget")->currentText(), QString());
        QCOMPARE(f.child<QLineEdit>("edtINoBgImg")->text(), QString());
        QCOMPARE(f.child<QLineEdit>("edtIOvBgImg")->text(), QString());
        QCOMPARE(f.child<QLineEdit>("edtICaption")->text(), QString());
        int warnings = 0;
        for (const auto& shown : MessageBox::shown())
            warnings += shown.text == separatorMessage();
        QCOMPARE(warnings, 8);
        f.selectRoot();
        f.window().commitPanels();
        for (const auto& field : f.agent().AppletData.toStrings())
            QVERIFY(field.find("#$@") == std::string::npos);
        for (const auto& field : f.agent().Items[0].toStrings())
            QVERIFY(field.find("#$@") == std::string::npos);
    }

    void menuName_mustBeScriptIdentifier()
    {
        MainFormFixture f;
        QVERIFY(TMainForm::isScriptIdentifier(QStringLiteral("dulcam10")));
        QVERIFY(TMainForm::isScriptIdentifier(QStringLiteral("_m$2")));
        QVERIFY(!TMainForm::isScriptIdentifier(QStringLiteral("2menu")));
        QVERIFY(!TMainForm::isScriptIdentifier(QStringLiteral("my menu")));
        QVERIFY(!TMainForm::isScriptIdentifier(QStringLiteral("var")));
        QVERIFY(!TMainForm::isScriptIdentifier(QStringLiteral("a-b")));
        auto* edit = f.child<QLineEdit>("edtMenuName");
        MainFormFixture::typeInto(edit, QStringLiteral("main"));
        QCOMPARE(MessageBox::shown().size(), std::size_t(0));
        QTest::keyClicks(edit, QStringLiteral(" x"));
        QCOMPARE(MessageBox::shown().size(), std::size_t(1));
        QCOMPARE(MessageBox::shown().back().text, TMainForm::menuNameMessage());
        QCOMPARE(edit->text(), QStringLiteral("main"));
        QTest::keyClicks(edit, QStringLiteral("x"));
        QCOMPARE(MessageBox::shown().size(), std::size_t(1));
        QCOMPARE(edit->text(), QStringLiteral("mainx"));
        // Emptying the box and leaving it brings the last good name back.
        edit->setFocus();
        MainFormFixture::typeInto(edit, QString());
        emit edit->editingFinished();
        QCOMPARE(edit->text(), QStringLiteral("mainx"));
        f.window().commitPanels();
        QCOMPARE(f.agent().AppletData.get(MenuName), std::string("mainx"));
        QVERIFY(f.agent().BuildHTMLText().find("mainx") != std::string::npos);
    }

    void imagePicker_storesBareNameStagesFile_cancelEmpties()
    {
        MainFormFixture f;
        const QString picture = f.path(QStringLiteral("my pics/a.gif"));
        MainFormFixture::writeFile(picture, "GIF89a");
        f.insertItem(QStringLiteral("A"));
        kzt::FileDialog::setNextFileName(picture);
        QTest::mouseClick(f.child<QToolButton>("spdbtnINoBgImg"), Qt::LeftButton);
        QCOMPARE(f.child<QLineEdit>("edtINoBgImg")->text(), QStringLiteral("a.gif"));
        QCOMPARE(MainFormFixture::readFile(f.previewDir() + QStringLiteral("/a.gif")), QByteArray("GIF89a"));
        QCOMPARE(kzt::FileDialog::requests().back().kind, kzt::FileDialog::Kind::OpenPicture);
        QCOMPARE(kzt::FileDialog::requests().back().filters.size(), 4);

        kzt::FileDialog::setNextFileName(QString());
        QTest::mouseClick(f.child<QToolButton>("spdbtnIOvBgImg"), Qt::LeftButton);
        QCOMPARE(f.child<QLineEdit>("edtIOvBgImg")->text(), QString());
        kzt::FileDialog::setNextFileName(QString());
        QTest::mouseClick(f.child<QToolButton>("spdbtnINoBgImg"), Qt::LeftButton);
        QCOMPARE(f.child<QLineEdit>("edtINoBgImg")->text(), QString());
        QVERIFY(f.window().isModified());

        // Picked again and saved: the picture travels with the project.
        kzt::FileDialog::setNextFileName(picture);
        QTest::mouseClick(f.child<QToolButton>("spdbtnIOvBgImg"), Qt::LeftButton);
        kzt::FileDialog::setNextFileName(f.path(QStringLiteral("site/menu.dlcg")));
        QDir().mkpath(f.path(QStringLiteral("site")));
        f.trigger("Save1");
        QCOMPARE(f.agent().Items[0].get(OverBgImage), std::string("a.gif"));
        QCOMPARE(MainFormFixture::readFile(f.path(QStringLiteral("site/a.gif"))), QByteArray("GIF89a"));
    }

    void urlPicker_makesLocalUrl_cancelKeepsText()
    {
        MainFormFixture f;
        QCOMPARE(TMainForm::localUrl(QStringLiteral("C:\\site\\a.html")), QStringLiteral("file:///C|/site/a.html"));
        QCOMPARE(TMainForm::localUrl(QStringLiteral("/site/a b.html")), QStringLiteral("file:///site/a b.html"));
        f.insertItem(QStringLiteral("A"));
        f.child<QComboBox>("cmbxIURL")->setEditText(QStringLiteral("index.html"));
        kzt::FileDialog::setNextFileName(QString());
        QTest::mouseClick(f.child<QToolButton>("spdbtnItURL"), Qt::LeftButton);
        QCOMPARE(f.child<QComboBox>("cmbxIURL")->currentText(), QStringLiteral("index.html"));
        kzt::FileDialog::setNextFileName(QStringLiteral("/srv/www/a.html"));
        QTest::mouseClick(f.child<QToolButton>("spdbtnItURL"), Qt::LeftButton);
        QCOMPARE(f.child<QComboBox>("cmbxIURL")->currentText(), QStringLiteral("file:///srv/www/a.html"));
    }

    void colourSwatch_setsColourAndMarksModifiedEvenOnCancel()
    {
        MainFormFixture f;
        f.window().setModified(false);
        auto* swatch = f.child<kzt::ColorSwatch>("pnlItBrdClr");
        kzt::ColorDialog::setNextColor(std::nullopt);
        QTest::mouseClick(swatch, Qt::LeftButton);
        QVERIFY(f.window().isModified());
        QCOMPARE(swatch->color(), QColor(0xFD, 0xDE, 0x73));
        QCOMPARE(kzt::ColorDialog::requests().back(), QColor(0xFD, 0xDE, 0x73));
        kzt::ColorDialog::setNextColor(QColor(0x12, 0xAB, 0x0F));
        QTest::mouseClick(swatch, Qt::LeftButton);
        f.window().commitPanels();
        QCOMPARE(f.agent().AppletData.get(ItemBorderColor), std::string("12AB0F"));
    }

    void switchesWithoutHandlers_stillMarkModified()
    {
        MainFormFixture f;
        for (const char* name : {"chckbxMenuScrolled", "chckbxOnlyClickShowSub", "chckbxEnableGlideOpen"}) {
            f.window().setModified(false);
            QTest::mouseClick(f.child<QCheckBox>(name), Qt::LeftButton);
            QVERIFY2(f.window().isModified(), name);
        }
        f.window().setModified(false);
        QTest::keyClicks(f.child<QLineEdit>("edtCaptionFontFamily"), QStringLiteral(",serif"));
        QVERIFY(f.window().isModified());
    }

    void bulkCopy_widthAndBackgroundsLeaveCaptionsUrlsTargets()
    {
        MainFormFixture f;
        const char* names[] = {"A", "B", "C"};
        for (const char* name : names) {
            f.selectRoot();
            f.insertItem(QString::fromLatin1(name));
            f.child<QComboBox>("cmbxIURL")->setEditText(QString::fromLatin1(name) + QStringLiteral(".html"));
            f.child<QComboBox>("cmbxITarget")->setEditText(QStringLiteral("_top"));
        }
        f.selectItem(0);
        f.child<QSpinBox>("spnedtIWidth")->setValue(222);
        kzt::ColorDialog::setNextColor(QColor(0x11, 0x22, 0x33));
        QTest::mouseClick(f.child<kzt::ColorSwatch>("pnlItNoBgClr"), Qt::LeftButton);
        kzt::ColorDialog::setNextColor(QColor(0x44, 0x55, 0x66));
        QTest::mouseClick(f.child<kzt::ColorSwatch>("pnlItOvBgClr"), Qt::LeftButton);
        f.window().setModified(false);

        MainFormFixture::whenModal([](QDialog* dialog) {
            QTest::mouseClick(dialog->findChild<QPushButton*>("btnSelectAll"), Qt::LeftButton);
            for (const char* box : {"chchbxWidth", "chchbxBGColorNormal", "chchbxBGColorMouseOver"})
                dialog->findChild<QCheckBox*>(box)->setChecked(true);
            QTest::mouseClick(dialog->findChild<QPushButton*>("bitbtnOk"), Qt::LeftButton);
        });
        QTest::mouseClick(f.child<QPushButton>("btnGlobalPropertiesChange1"), Qt::LeftButton);
        QVERIFY(f.window().isModified());
        for (std::size_t i = 0; i < 3; ++i) {
            const auto& item = f.agent().Items[i];
            QCOMPARE(item.get(Width), std::string("222"));
            QCOMPARE(item.get(NormalBgColor), std::string("112233"));
            QCOMPARE(item.get(OverBgColor), std::string("445566"));
            QCOMPARE(item.get(Caption), std::string(names[i]));
            QCOMPARE(item.get(Url), std::string(names[i]) + ".html");
            QCOMPARE(item.get(Target), std::string("_top"));
        }
        // The panel still shows the source item; the others show the copies.
        QCOMPARE(f.child<QLineEdit>("edtICaption")->text(), QStringLiteral("A"));
        f.selectItem(2);
        QCOMPARE(f.child<QSpinBox>("spnedtIWidth")->value(), 222);
    }

    void bulkCopy_captionRenamesMarkedNodes()
    {
        MainFormFixture f;
        for (const char* name : {"A", "B", "C"}) {
            f.selectRoot();
            f.insertItem(QString::fromLatin1(name));
        }
        f.selectItem(1);
        f.copyCaptionTo({0, 2});
        for (std::size_t i = 0; i < 3; ++i) {
            QCOMPARE(f.agent().Items[i].get(Caption), std::string("B"));
            QCOMPARE(f.agent().NodeOfItem(i)->text(), std::string("B"));
        }
    }

    void hints_reachStatusText()
    {
        MainFormFixture f;
        QStatusTipEvent tip(QStringLiteral("Insert a new item"));
        QApplication::sendEvent(&f.window(), &tip);
        QCOMPARE(f.child<QLabel>("stctxtHint")->text(), QStringLiteral("Insert a new item"));
        QCOMPARE(f.child<QToolButton>("tlbtnPreview")->toolTip(), QStringLiteral("preview the applet in web browser"));
        f.trigger("StatusBar1");
        QVERIFY(!f.child<QLabel>("stctxtHint")->isVisible());
        f.trigger("ToolBar1");
        QVERIFY(!f.window().toolBar()->isVisible());
    }
};

QTEST_MAIN(MainFormEditingTest)
#include "MainFormEditingTest.moc"
