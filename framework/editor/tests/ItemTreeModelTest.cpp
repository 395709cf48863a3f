#include "AppletAgent.h"
#include "ItemTreeModel.h"
#include "MiniProduct.h"
#include "TreeNode.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>
#include <QTreeView>

#include <random>

using namespace kzt;

class ItemTreeModelTest : public QObject
{
    Q_OBJECT

private:
    MiniProduct m_product;

    AppPaths paths() const
    {
        AppPaths p;
        p.userDataDir = QDir::tempPath().toStdString() + "/kzt-model-test";
        p.previewDir = p.userDataDir / "preview";
        return p;
    }

    // Every node's index leads back to the node, row for row.
    static void checkMirrors(const ItemTreeModel& model, const TreeNode* node)
    {
        const QModelIndex index = model.indexOf(node);
        QCOMPARE(model.nodeOf(index), node);
        QCOMPARE(model.rowCount(index), static_cast<int>(node->childCount()));
        QCOMPARE(index.data().toString(), QString::fromStdString(node->text()));
        for (std::size_t r = 0; r < node->childCount(); ++r) {
            QCOMPARE(model.index(static_cast<int>(r), 0, index), model.indexOf(node->child(r)));
            checkMirrors(model, node->child(r));
        }
    }

private slots:
    void randomEdits_keepModelAndTreeInStep()
    {
        TkztAppletAgent agent(m_product, paths());
        agent.ResetToDefaults();
        ItemTreeModel model(agent.tree());
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QTreeView view;
        view.setModel(&model);
        view.expandAll();

        std::mt19937 random(7);
        for (int step = 0; step < 400; ++step) {
            const std::size_t count = agent.tree().count();
            TreeNode* node = agent.tree().nodeAt(random() % count);
            switch (random() % 5) {
            case 0:
            case 1:
                agent.InsertItem(node);
                break;
            case 2:
                if (!node->isRoot() && random() % 3 == 0)
                    agent.DeleteItem(node);
                break;
            case 3:
                if (!node->isRoot())
                    agent.MoveItemUp(node) || agent.MoveItemDown(node);
                break;
            default:
                if (!node->isRoot())
                    agent.SetCaption(agent.ItemIndexOf(node), "c" + std::to_string(step));
                break;
            }
            QVERIFY(agent.IsConsistent());
        }
        checkMirrors(model, agent.tree().root());
        QCOMPARE(model.rowCount(), 1);
    }

    void captionChange_signalsOneRow()
    {
        TkztAppletAgent agent(m_product, paths());
        agent.ResetToDefaults();
        ItemTreeModel model(agent.tree());
        agent.InsertItem(agent.tree().root());
        TreeNode* second = agent.InsertItem(agent.tree().root());
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        agent.SetCaption(1, "Second");
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).toModelIndex(), model.indexOf(second));
        QCOMPARE(model.indexOf(second).data().toString(), QStringLiteral("Second"));
    }

    void reset_andReadOnlySnapshot()
    {
        TkztAppletAgent agent(m_product, paths());
        agent.ResetToDefaults();
        ItemTreeModel model(agent.tree());
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        for (int i = 0; i < 5; ++i)
            agent.InsertItem(agent.tree().root());
        {
            // A second view over the same tree must not steal the listener.
            ItemTreeModel snapshot(agent.tree(), nullptr, false);
            QAbstractItemModelTester snapTester(&snapshot, QAbstractItemModelTester::FailureReportingMode::QtTest);
            QCOMPARE(snapshot.rowCount(snapshot.indexOf(agent.tree().root())), 5);
        }
        agent.InsertItem(agent.tree().root());
        QCOMPARE(model.rowCount(model.indexOf(agent.tree().root())), 6);
        QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
        agent.ResetToDefaults();
        QCOMPARE(reset.count(), 1);
        QCOMPARE(model.rowCount(model.indexOf(agent.tree().root())), 0);
        QCOMPARE(model.indexOf(agent.tree().root()).data().toString(), QStringLiteral("Mini"));
    }
};

QTEST_MAIN(ItemTreeModelTest)
#include "ItemTreeModelTest.moc"
