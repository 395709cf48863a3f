#include "AppletAgent.h"
#include "ItemTreeModel.h"
#include "MiniProduct.h"
#include "RecordRecorder.h"
#include "TfrmGlobalPropertiesChange.h"
#include "TreeNode.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

#include <string>
#include <vector>

using namespace kzt;

class GlobalPropertiesChangeTest : public QObject
{
    Q_OBJECT

private:
    MiniProduct m_product;

    static PropertyLayout layout()
    {
        return {QStringLiteral("Frame"),
                {{QStringLiteral("General"), false,
                  {{"chchbxCaption", QStringLiteral("Caption"), MiniProduct::Caption},
                   {"chchbxURL", QStringLiteral("URL"), MiniProduct::Url}}},
                 {QStringLiteral("Colour"), true,
                  {{"chchbxColour", QStringLiteral("Colour"), MiniProduct::Colour}}}}};
    }

    // Root with items a, b (child b1), c.
    static void fill(TkztAppletAgent& agent)
    {
        agent.ResetToDefaults();
        TreeNode* root = agent.tree().root();
        const char* names[] = {"a", "b", "c"};
        for (const char* name : names) {
            TreeNode* node = agent.InsertItem(root);
            const std::size_t i = agent.ItemIndexOf(node);
            agent.SetCaption(i, name);
            TItemData item = agent.GetItemData(i);
            item.set(MiniProduct::Url, std::string(name) + ".html");
            item.set(MiniProduct::Colour, "00000" + std::to_string(i));
            agent.SetItemData(i, item);
        }
        TreeNode* b1 = agent.InsertItem(agent.NodeOfItem(1));
        agent.SetCaption(agent.ItemIndexOf(b1), "b1");
    }

    static void click(QTreeView* view, const TreeNode* node)
    {
        auto* model = static_cast<ItemTreeModel*>(view->model());
        const QRect rect = view->visualRect(model->indexOf(node));
        QVERIFY(rect.isValid());
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
    }

    AppPaths paths() const
    {
        AppPaths p;
        p.userDataDir = QDir::tempPath().toStdString() + "/kzt-bulk-test";
        p.previewDir = p.userDataDir / "preview";
        return p;
    }

private slots:
    void clicks_toggleMarks_rootNeverMarked()
    {
        TkztAppletAgent agent(m_product, paths());
        fill(agent);
        TfrmGlobalPropertiesChange dialog(agent, 0, layout());
        dialog.resize(600, 400);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTreeView* view = dialog.findChild<QTreeView*>("trvwPropertiesChange");
        QVERIFY(view);
        // The copy of the tree is fully expanded.
        QVERIFY(view->isExpanded(static_cast<ItemTreeModel*>(view->model())->indexOf(agent.NodeOfItem(1))));
        click(view, agent.NodeOfItem(2));
        QVERIFY(dialog.isMarked(2));
        click(view, agent.NodeOfItem(2));
        QVERIFY(!dialog.isMarked(2));
        click(view, agent.tree().root());
        for (std::size_t i = 0; i < 4; ++i)
            QVERIFY(!dialog.isMarked(i));
        QTest::mouseClick(dialog.findChild<QPushButton*>("btnSelectAll"), Qt::LeftButton);
        for (std::size_t i = 0; i < 4; ++i)
            QVERIFY(dialog.isMarked(i));
        QTest::mouseClick(dialog.findChild<QPushButton*>("btnSelectNone"), Qt::LeftButton);
        for (std::size_t i = 0; i < 4; ++i)
            QVERIFY(!dialog.isMarked(i));
    }

    void ok_copiesTickedFieldsOnly_andRenamesNodes()
    {
        TkztAppletAgent agent(m_product, paths());
        fill(agent);
        const TItemArray before = agent.Items;
        {
            TfrmGlobalPropertiesChange dialog(agent, 0, layout());
            dialog.SelectAllClick();
            dialog.findChild<QCheckBox*>("chchbxColour")->setChecked(true);
            QTest::mouseClick(dialog.findChild<QPushButton*>("bitbtnOk"), Qt::LeftButton);
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
        }
        for (std::size_t i = 0; i < agent.Items.size(); ++i) {
            QCOMPARE(agent.Items[i].get(MiniProduct::Colour), before[0].get(MiniProduct::Colour));
            QCOMPARE(agent.Items[i].get(MiniProduct::Caption), before[i].get(MiniProduct::Caption));
            QCOMPARE(agent.Items[i].get(MiniProduct::Url), before[i].get(MiniProduct::Url));
        }
        {
            TfrmGlobalPropertiesChange dialog(agent, 3, layout());
            dialog.toggleMark(agent.NodeOfItem(0));
            dialog.toggleMark(agent.NodeOfItem(2));
            dialog.findChild<QCheckBox*>("chchbxCaption")->setChecked(true);
            dialog.OkClick();
        }
        QCOMPARE(agent.Items[0].get(MiniProduct::Caption), std::string("c"));
        QCOMPARE(agent.NodeOfItem(0)->text(), std::string("c"));
        QCOMPARE(agent.NodeOfItem(2)->text(), std::string("c"));
        QCOMPARE(agent.NodeOfItem(1)->text(), std::string("b"));
        QCOMPARE(agent.Items[0].get(MiniProduct::Url), std::string("a.html"));
    }

    // The copy reaches every view through the document's record events:
    // one call per run of neighbouring changed items, none for the unchanged.
    void ok_tellsRecordListenersOfEachChangedRun()
    {
        TkztAppletAgent agent(m_product, paths());
        fill(agent);
        test::RecordRecorder recorder;
        agent.addRecordListener(&recorder);
        {
            // b (1) already has c's URL: it does not change.
            TItemData b = agent.Items[1];
            b.set(MiniProduct::Url, "c.html");
            agent.SetItemData(1, b);
            recorder.heard.clear();
            TfrmGlobalPropertiesChange dialog(agent, 3, layout());
            dialog.SelectAllClick();
            dialog.findChild<QCheckBox*>("chchbxURL")->setChecked(true);
            QTest::mouseClick(dialog.findChild<QPushButton*>("bitbtnOk"), Qt::LeftButton);
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
        }
        QCOMPARE(recorder.heard, (std::vector<std::string>{"items 0+1", "items 2+1"}));
        recorder.heard.clear();
        {
            // Nothing left to change: nothing is told.
            TfrmGlobalPropertiesChange dialog(agent, 3, layout());
            dialog.SelectAllClick();
            dialog.findChild<QCheckBox*>("chchbxURL")->setChecked(true);
            dialog.OkClick();
        }
        QVERIFY(recorder.heard.empty());
        agent.removeRecordListener(&recorder);
    }

    // Items with two looks of one field each: the URL is look "A", the
    // colour look "B"; the per-look box is copied for each checked look.
    void perLookBoxes_applyToEachCheckedLook_withTheirOwnSelectButtons()
    {
        PropertyLayout looks(QStringLiteral("Frame"),
                             {{QStringLiteral("General"), false,
                               {{"chchbxCaption", QStringLiteral("Caption"), MiniProduct::Caption}}},
                              {QStringLiteral("Look"), false, {{"chchbxValue", QStringLiteral("Value"), 0}}, true}});
        looks.statesTitle = QStringLiteral("Status");
        looks.states = {{"chchbxA", QStringLiteral("A"), MiniProduct::Url},
                        {"chchbxB", QStringLiteral("B"), MiniProduct::Colour}};
        looks.propertySelectButtons = true;
        TkztAppletAgent agent(m_product, paths());
        fill(agent);
        const TItemArray before = agent.Items;
        {
            TfrmGlobalPropertiesChange dialog(agent, 0, looks);
            dialog.checkState(MiniProduct::Colour); // opened from look B's page
            QVERIFY(dialog.stateBox(MiniProduct::Colour)->isChecked());
            QVERIFY(!dialog.stateBox(MiniProduct::Url)->isChecked());
            dialog.choiceBox(MiniProduct::Caption)->setChecked(true);
            QTest::mouseClick(dialog.findChild<QPushButton*>("btnSelectAllProperties"), Qt::LeftButton);
            QVERIFY(dialog.perStateBox(0)->isChecked());
            QVERIFY(dialog.choiceBox(MiniProduct::Caption)->isChecked());
            QTest::mouseClick(dialog.findChild<QPushButton*>("btnSelectNoProperties"), Qt::LeftButton);
            QVERIFY(!dialog.perStateBox(0)->isChecked());
            QVERIFY(!dialog.choiceBox(MiniProduct::Caption)->isChecked());
            QVERIFY(dialog.stateBox(MiniProduct::Colour)->isChecked()); // the looks stay as they were
            dialog.perStateBox(0)->setChecked(true);
            QCOMPARE(dialog.copiedFields(), std::vector<std::size_t>{MiniProduct::Colour});
            dialog.SelectAllClick();
            dialog.OkClick();
        }
        for (std::size_t i = 0; i < agent.Items.size(); ++i) {
            QCOMPARE(agent.Items[i].get(MiniProduct::Colour), before[0].get(MiniProduct::Colour));
            QCOMPARE(agent.Items[i].get(MiniProduct::Url), before[i].get(MiniProduct::Url));
            QCOMPARE(agent.Items[i].get(MiniProduct::Caption), before[i].get(MiniProduct::Caption));
        }
    }

    void cancel_changesNothing()
    {
        TkztAppletAgent agent(m_product, paths());
        fill(agent);
        const TItemArray before = agent.Items;
        TfrmGlobalPropertiesChange dialog(agent, 0, layout());
        dialog.SelectAllClick();
        dialog.findChild<QCheckBox*>("chchbxURL")->setChecked(true);
        QTest::mouseClick(dialog.findChild<QPushButton*>("bitbtnCancel"), Qt::LeftButton);
        QVERIFY(agent.Items == before);
    }
};

QTEST_MAIN(GlobalPropertiesChangeTest)
#include "GlobalPropertiesChangeTest.moc"
