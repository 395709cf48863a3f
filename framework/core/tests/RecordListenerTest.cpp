// The document tells its record listeners of every change of values: field
// edits, a bulk copy, pasted records, a structure import, a file read.
#include <gtest/gtest.h>

#include "RecordListener.h"
#include "RecordRecorder.h"
#include "StructureFileFormat.h"
#include "TestProduct.h"

#include <string>
#include <vector>

using namespace kzt;
using kzt::test::TestProduct;

namespace {

using Recorder = kzt::test::RecordRecorder;

class RecordEvents : public ::testing::Test
{
protected:
    TestProduct product;
    kzt::test::TempFolder folder;
    TkztAppletAgent agent{product, folder.appPaths()};
    Recorder recorder;

    void SetUp() override
    {
        for (int i = 0; i < 5; ++i)
            agent.InsertItem(agent.tree().root());
        agent.addRecordListener(&recorder);
    }
    void TearDown() override { agent.removeRecordListener(&recorder); }
};

TEST_F(RecordEvents, FieldEditsAreToldOnlyWhenAValueChanges)
{
    TItemData item = agent.Items[2];
    agent.SetItemData(2, item);
    TAppletData applet = agent.AppletData;
    agent.SetAppletData(applet);
    EXPECT_TRUE(recorder.heard.empty());
    item.set(TestProduct::Image, "a.gif");
    agent.SetItemData(2, item);
    applet.set(1, "7");
    agent.SetAppletData(applet);
    agent.SetCaption(4, "Fourth");
    EXPECT_EQ(recorder.heard, (std::vector<std::string>{"items 2+1", "applet", "items 4+1"}));
}

TEST_F(RecordEvents, BulkCopyTellsEachRunOfChangedItems)
{
    TItemData source = agent.Items[0];
    source.set(TestProduct::Image, "bg.gif");
    source.set(TestProduct::Caption, "Same");
    agent.SetItemData(0, source);
    recorder.heard.clear();
    // Item 2 already holds both values: it does not change.
    TItemData two = agent.Items[2];
    two.set(TestProduct::Image, "bg.gif");
    two.set(TestProduct::Caption, "Same");
    agent.SetItemData(2, two);
    recorder.heard.clear();
    agent.CopyItemFields(0, {4, 1, 2, 3}, {TestProduct::Image, TestProduct::Caption});
    EXPECT_EQ(recorder.heard, (std::vector<std::string>{"items 1+1", "items 3+2"}));
    for (std::size_t i : {1u, 3u, 4u}) {
        EXPECT_EQ(agent.Items[i].get(TestProduct::Image), "bg.gif");
        EXPECT_EQ(agent.NodeOfItem(i)->text(), "Same");
    }
}

TEST_F(RecordEvents, PasteTellsOfThePastedRecords)
{
    const TreeNode* first = agent.NodeOfItem(0);
    const TItemArray records = agent.CopySubtree(first);
    const std::vector<int> levels = agent.SubtreeRelativeLevels(first);
    ASSERT_NE(agent.PasteSubtree(agent.NodeOfItem(1), records, levels), nullptr);
    EXPECT_EQ(recorder.heard, (std::vector<std::string>{"items 2+1"}));
}

TEST_F(RecordEvents, ImportAndReadReplaceEveryRecord)
{
    const MenuStructureMapping mapping{TestProduct::Image, TestProduct::Id, std::nullopt};
    const auto path = folder.path() / "menu.gms";
    ASSERT_TRUE(StructureFileFormat::ExportMenuStructure(agent, mapping, path).ok());
    ASSERT_TRUE(agent.WriteProjectFile(folder.path() / "menu.tst").ok());
    recorder.heard.clear();
    ASSERT_TRUE(StructureFileFormat::ImportMenuStructure(agent, mapping, path).ok());
    ASSERT_FALSE(recorder.heard.empty());
    EXPECT_EQ(recorder.heard.back(), "replaced");
    recorder.heard.clear();
    ASSERT_TRUE(agent.ReadProjectFile(folder.path() / "menu.tst").ok());
    ASSERT_FALSE(recorder.heard.empty());
    EXPECT_EQ(recorder.heard.back(), "replaced");
}

TEST_F(RecordEvents, ResetReplacesEveryRecordOnce)
{
    agent.ResetToDefaults(true);
    EXPECT_EQ(recorder.heard, (std::vector<std::string>{"replaced"}));
    EXPECT_TRUE(agent.Items.empty());
}

TEST_F(RecordEvents, AFailedReadStillEndsInOneWholeDocument)
{
    EXPECT_FALSE(agent.ReadProjectFile(folder.path() / "missing.tst").ok());
    EXPECT_EQ(recorder.heard, (std::vector<std::string>{"replaced"}));
}

TEST_F(RecordEvents, AListenerMayLeaveWhileBeingTold)
{
    struct Leaver : RecordListener
    {
        TkztAppletAgent* agent = nullptr;
        int told = 0;
        void appletChanged() override
        {
            ++told;
            agent->removeRecordListener(this);
        }
    } leaver;
    leaver.agent = &agent;
    agent.addRecordListener(&leaver);
    TAppletData applet = agent.AppletData;
    applet.set(0, "one");
    agent.SetAppletData(applet);
    applet.set(0, "two");
    agent.SetAppletData(applet);
    EXPECT_EQ(leaver.told, 1);
    EXPECT_EQ(recorder.heard, (std::vector<std::string>{"applet", "applet"}));
}

} // namespace
