// The bulk copy dialog with vantrel's items: general boxes copied as they
// are, look boxes once for each checked look, the derived fields never.
#include "AppletAgent.h"
#include "ItemTreeModel.h"
#include "TfrmGlobalPropertiesChange.h"
#include "TreeNode.h"
#include "vantrel/core/VantrelDocument.h"
#include "vantrel/core/VantrelFields.h"
#include "vantrel/core/VantrelProfile.h"
#include "vantrel/gui/VantrelPropertyLayout.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include <memory>
#include <string>

using namespace vantrel;
using kzt::TfrmGlobalPropertiesChange;
using kzt::TItemArray;
using kzt::TItemData;
using kzt::TreeNode;

namespace {

// A value no other field of any item holds.
std::string valueOf(std::size_t position, std::size_t field)
{
    return "i" + std::to_string(position) + "f" + std::to_string(field);
}

} // namespace

class VantrelGlobalPropertiesChangeTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    std::unique_ptr<kzt::TkztAppletAgent> makeAgent()
    {
        kzt::AppPaths paths;
        paths.userDataDir = m_dir.filePath("data").toStdString();
        paths.previewDir = paths.userDataDir / "preview";
        auto agent = std::make_unique<kzt::TkztAppletAgent>(VantrelProfile::instance(), paths);
        agent->ResetToDefaults();
        return agent;
    }

    // Home (Products (Desk (Lamp)), Chair), News, Contact; every stored
    // field of every item distinct, levels and visibility as the rules give.
    static void fill(kzt::TkztAppletAgent& agent)
    {
        TreeNode* root = agent.tree().root();
        TreeNode* home = VantrelDocument::InsertItem(agent, root);
        TreeNode* products = VantrelDocument::InsertItem(agent, home);
        TreeNode* desk = VantrelDocument::InsertItem(agent, products);
        VantrelDocument::InsertItem(agent, desk);
        VantrelDocument::InsertItem(agent, products);
        VantrelDocument::InsertItem(agent, root);
        VantrelDocument::InsertItem(agent, root);
        VantrelDocument::SetInitVisibility(agent, desk, false);
        agent.UpdateItemLevels();
        for (std::size_t position = 0; position < agent.Items.size(); ++position) {
            TItemData item = agent.GetItemData(position);
            for (std::size_t field = 0; field < ItemFieldCount; ++field) {
                if (field != Level && field != ItemInitVisible)
                    item.set(field, valueOf(position, field));
            }
            agent.SetItemData(position, item);
            agent.SetCaption(position, valueOf(position, ICaption));
        }
    }

    static void click(QTreeView* view, const TreeNode* node)
    {
        auto* model = static_cast<kzt::ItemTreeModel*>(view->model());
        const QRect rect = view->visualRect(model->indexOf(node));
        QVERIFY(rect.isValid());
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
    }

    static void press(TfrmGlobalPropertiesChange& dialog, const char* button)
    {
        auto* found = dialog.findChild<QPushButton*>(QString::fromLatin1(button));
        QVERIFY2(found, button);
        QTest::mouseClick(found, Qt::LeftButton);
    }

    static QCheckBox* box(TfrmGlobalPropertiesChange& dialog, const char* name)
    {
        return dialog.findChild<QCheckBox*>(QString::fromLatin1(name));
    }

    // On the indicator: a box may be wider than its caption.
    static void tick(QCheckBox* box)
    {
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
    }

private slots:
    // Caption, Mouse Over and Font Name, applied to two items.
    void captionAndMouseOverFont_changeOnlyThoseFields()
    {
        auto agent = makeAgent();
        fill(*agent);
        const TItemArray before = agent->Items;
        const std::size_t source = 1; // Products
        const std::size_t targets[] = {3, 5}; // Lamp (invisible, level 3) and News
        {
            TfrmGlobalPropertiesChange dialog(*agent, source, globalPropertiesLayout());
            dialog.resize(900, 700);
            dialog.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            QTreeView* view = dialog.findChild<QTreeView*>("trvwPropertiesChange");
            QVERIFY(view);
            for (std::size_t target : targets)
                click(view, agent->NodeOfItem(target));
            QVERIFY(box(dialog, "chchbxCaption"));
            QVERIFY(box(dialog, "chchbxMouseOver"));
            QVERIFY(box(dialog, "chchbxFontName"));
            tick(box(dialog, "chchbxCaption"));
            tick(box(dialog, "chchbxMouseOver"));
            tick(box(dialog, "chchbxFontName"));
            QCOMPARE(dialog.copiedFields(), (std::vector<std::size_t>{ItOvFntName, ICaption}));
            press(dialog, "bitbtnOk");
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
        }
        QVERIFY(agent->IsConsistent());
        for (std::size_t position = 0; position < agent->Items.size(); ++position) {
            const bool target = position == targets[0] || position == targets[1];
            for (std::size_t field = 0; field < ItemFieldCount; ++field) {
                const bool copied = target && (field == ICaption || field == ItOvFntName);
                const std::string_view expected = (copied ? before[source] : before[position]).get(field);
                QVERIFY2(agent->Items[position].get(field) == expected,
                         qPrintable(QStringLiteral("item %1 field %2").arg(position).arg(field)));
            }
            QCOMPARE(agent->NodeOfItem(position)->text(), std::string(agent->Items[position].get(ICaption)));
        }
        // The untouched looks and the tree-derived fields of the targets.
        QCOMPARE(agent->Items[3].get(ItNoFntName), std::string_view(valueOf(3, ItNoFntName)));
        QCOMPARE(agent->Items[3].get(ItClFntName), std::string_view(valueOf(3, ItClFntName)));
        QCOMPARE(agent->Items[3].get(Level), std::string_view("3"));
        QCOMPARE(agent->Items[3].get(ItemInitVisible), std::string_view("0"));
        QCOMPARE(agent->Items[5].get(Level), std::string_view("0"));
        QCOMPARE(agent->Items[5].get(ItemInitVisible), std::string_view("1"));
    }

    // Everything checked copies the three looks and the eight general fields:
    // reserved fields, level, visibility and style number stay each item's own.
    void everythingChecked_neverTouchesDerivedFields()
    {
        auto agent = makeAgent();
        fill(*agent);
        const TItemArray before = agent->Items;
        const std::size_t source = 3;
        TfrmGlobalPropertiesChange dialog(*agent, source, globalPropertiesLayout());
        press(dialog, "btnSelectAllProperties");
        for (const char* name : {"chchbxCaption", "chchbxURL", "chchbxTarget", "chchbxDescription", "chchbxX",
                                 "chchbxY", "chchbxWidth", "chchbxHeight", "chchbxNormal", "chchbxMouseOver",
                                 "chchbxClicked"}) {
            QVERIFY2(box(dialog, name), name);
            box(dialog, name)->setChecked(true);
        }
        std::vector<std::size_t> expected;
        for (std::size_t field = 0; field < ItemFieldCount; ++field) {
            if (field < Reserved || field > StyleIndex)
                expected.push_back(field);
        }
        QCOMPARE(dialog.copiedFields(), expected);
        press(dialog, "btnSelectAll");
        press(dialog, "bitbtnOk");
        for (std::size_t position = 0; position < agent->Items.size(); ++position) {
            for (std::size_t field = 0; field < ItemFieldCount; ++field) {
                const bool derived = field >= Reserved && field <= StyleIndex;
                QVERIFY2(agent->Items[position].get(field) == (derived ? before[position] : before[source]).get(field),
                         qPrintable(QStringLiteral("item %1 field %2").arg(position).arg(field)));
            }
            QCOMPARE(agent->NodeOfItem(position)->text(), valueOf(source, ICaption));
        }
    }

    // The look checked alone, with no property box, copies nothing.
    void lookWithoutProperties_copiesNothing()
    {
        auto agent = makeAgent();
        fill(*agent);
        const TItemArray before = agent->Items;
        TfrmGlobalPropertiesChange dialog(*agent, 0, globalPropertiesLayout());
        dialog.checkState(kClickedState);
        QVERIFY(box(dialog, "chchbxClicked")->isChecked());
        QVERIFY(!box(dialog, "chchbxNormal")->isChecked());
        dialog.SelectAllClick();
        dialog.OkClick();
        QVERIFY(agent->Items == before);
    }

    void propertySelectButtons_checkLooksAndClearAll()
    {
        auto agent = makeAgent();
        fill(*agent);
        TfrmGlobalPropertiesChange dialog(*agent, 0, globalPropertiesLayout());
        box(dialog, "chchbxURL")->setChecked(true);
        box(dialog, "chchbxMouseOver")->setChecked(true);
        press(dialog, "btnSelectAllProperties");
        for (std::size_t offset = 0; offset < StateFieldCount; ++offset) {
            QVERIFY(dialog.perStateBox(offset));
            QVERIFY(dialog.perStateBox(offset)->isChecked());
        }
        // Select All is for the looks only: the general boxes keep their ticks.
        QVERIFY(box(dialog, "chchbxURL")->isChecked());
        QVERIFY(!box(dialog, "chchbxCaption")->isChecked());
        box(dialog, "chchbxHeight")->setChecked(true);
        press(dialog, "btnSelectNoProperties");
        for (std::size_t offset = 0; offset < StateFieldCount; ++offset)
            QVERIFY(!dialog.perStateBox(offset)->isChecked());
        for (std::size_t field : {ICaption, IURL, ITarget, IDescription, IX, IY, IWidth, IHeight})
            QVERIFY(!dialog.choiceBox(field)->isChecked());
        // The looks are not properties: they stay as the author set them.
        QVERIFY(box(dialog, "chchbxMouseOver")->isChecked());
        QVERIFY(!box(dialog, "chchbxNormal")->isChecked());
    }

    // The target tree: a full copy, every branch open, the root never marked,
    // its own Select All and Select None.
    void targetTree_expandedMarkableSelectAllNone()
    {
        auto agent = makeAgent();
        fill(*agent);
        TfrmGlobalPropertiesChange dialog(*agent, 0, globalPropertiesLayout());
        dialog.resize(900, 700);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTreeView* view = dialog.findChild<QTreeView*>("trvwPropertiesChange");
        auto* model = static_cast<kzt::ItemTreeModel*>(view->model());
        QCOMPARE(view->isExpanded(model->indexOf(agent->tree().root())), true);
        for (std::size_t position = 0; position < agent->Items.size(); ++position) {
            const TreeNode* node = agent->NodeOfItem(position);
            QVERIFY(view->visualRect(model->indexOf(node)).isValid());
            if (node->childCount() > 0)
                QVERIFY(view->isExpanded(model->indexOf(node)));
        }
        click(view, agent->tree().root());
        click(view, agent->NodeOfItem(4));
        QVERIFY(dialog.isMarked(4));
        click(view, agent->NodeOfItem(4));
        QVERIFY(!dialog.isMarked(4));
        for (std::size_t position = 0; position < agent->Items.size(); ++position)
            QVERIFY(!dialog.isMarked(position));
        press(dialog, "btnSelectAll");
        for (std::size_t position = 0; position < agent->Items.size(); ++position)
            QVERIFY(dialog.isMarked(position));
        click(view, agent->NodeOfItem(2));
        QVERIFY(!dialog.isMarked(2));
        press(dialog, "btnSelectNone");
        for (std::size_t position = 0; position < agent->Items.size(); ++position)
            QVERIFY(!dialog.isMarked(position));
        // Only the root: nothing to mark, nothing breaks.
        auto empty = makeAgent();
        TfrmGlobalPropertiesChange lone(*empty, 0, globalPropertiesLayout());
        press(lone, "btnSelectAll");
        lone.OkClick();
        QVERIFY(empty->Items.empty());
    }
};

QTEST_MAIN(VantrelGlobalPropertiesChangeTest)
#include "GlobalPropertiesChangeTest.moc"
