#include "KestravoTestSupport.h"

#include "AppletUtility.h"
#include "TextFile.h"

using namespace kestravo;
using namespace kestravo::test;

namespace {

const KestravoProfile& product()
{
    return KestravoProfile::instance();
}

std::string parameterLine(const std::string& file)
{
    const auto lines = kzt::TextFile::splitLines(file);
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
        if (lines[i] == "<Applet_Parameters>")
            return std::string(lines[i + 1]);
    }
    return {};
}

} // namespace

TEST(KestravoModel, newDocumentSavedAtOnce_matchesGoldenFile)
{
    TempDir dir;
    kzt::TkztAppletAgent agent(product(), dir.appPaths());
    EXPECT_EQ(agent.AppletData.size(), 19u);
    EXPECT_EQ(agent.AppletData.get(pInternalUse_RootDir_Local_Checked), "");
    // Committing the panels turns the empty direction flag into "0".
    agent.AppletData.set(pInternalUse_RootDir_Local_Checked, "0");
    ASSERT_TRUE(agent.WriteProjectFile(dir / "new.ksdm"));
    EXPECT_EQ(readFile(dir / "new.ksdm"), golden("new_document.ksdm"));
    EXPECT_EQ(parameterLine(readFile(dir / "new.ksdm")),
              "200#$@Please select ...#$@Verdana, Arial, Helvetica, sans-serif#$@10#$@0#$@0#$@001F5B#$@F2F5FF#$@"
              "FFFFFF#$@C0C0C0#$@FFFFFF#$@8099CA#$@677695#$@ECF0F8#$@677695#$@FFFFFF#$@#$@#$@0#$@");
}

TEST(KestravoModel, newMainItem_isWrittenAsDefaultLine)
{
    TempDir dir;
    kzt::TkztAppletAgent agent(product(), dir.appPaths());
    agent.InsertItem(nullptr);
    ASSERT_TRUE(agent.WriteProjectFile(dir / "one.ksdm"));
    const std::string file = readFile(dir / "one.ksdm");
    EXPECT_NE(file.find("<Item_Parameters>\r\nItem#$@#$@_self#$@0#$@#$@\r\n</Item_Parameters>\r\n"),
              std::string::npos)
        << file;
}

TEST(KestravoModel, levelsFollowTheTree_downToDepthThree)
{
    TempDir dir;
    kzt::TkztAppletAgent agent(product(), dir.appPaths());
    kzt::TreeNode* main = addItem(agent, nullptr, "Main");
    kzt::TreeNode* deepest = addItem(agent, addItem(agent, addItem(agent, main, "One"), "Two"), "Three");
    addItem(agent, nullptr, "Other");
    EXPECT_EQ(agent.Items[agent.ItemIndexOf(deepest)].get(Level), "3");
    // A subtree moved among its siblings keeps its depths.
    ASSERT_TRUE(agent.MoveItemUp(agent.NodeOfItem(4)));
    product().refreshDerivedFields(agent);
    EXPECT_TRUE(treeMatchesItems(agent));
    EXPECT_EQ(agent.Items[0].get(ICaption), "Other");
    EXPECT_EQ(agent.Items[4].get(Level), "3");
}

TEST(KestravoModel, resetToDefaults_keepsThePathSettingsOnly)
{
    TempDir dir;
    kzt::TkztAppletAgent agent(product(), dir.appPaths());
    agent.AppletData.set(pMenuWidth, "321");
    agent.AppletData.set(pSubItemAlternationBGColor, "000000");
    agent.AppletData.set(pInternalUse_RootDir_Local, "file:///C|/site/");
    agent.AppletData.set(pInternalUse_RootDir_Remote, " /web/ ");
    agent.AppletData.set(pInternalUse_RootDir_Local_Checked, "1");
    addItem(agent, nullptr, "A");

    agent.ResetToDefaults();
    kzt::TAppletData expected = product().defaultAppletData();
    expected.set(pInternalUse_RootDir_Local, "file:///C|/site/");
    expected.set(pInternalUse_RootDir_Remote, " /web/ ");
    expected.set(pInternalUse_RootDir_Local_Checked, "1");
    EXPECT_EQ(agent.AppletData, expected);
    EXPECT_TRUE(agent.Items.empty());
    EXPECT_EQ(agent.tree().count(), 1u);
}

TEST(KestravoModel, foreignProjectFile_isRefusedWithItsMessage_andLeavesAWholeDocument)
{
    TempDir dir;
    kzt::TkztAppletAgent agent(product(), dir.appPaths());
    addItem(agent, nullptr, "Old");
    std::string file = golden("new_document.ksdm");
    file.replace(file.find("\r\nKestravo\r\n"), 12, "\r\nDulcamon\r\n");
    writeFile(dir / "foreign.ksdm", file);

    const kzt::Status status = agent.ReadProjectFile(dir / "foreign.ksdm");
    ASSERT_FALSE(status);
    EXPECT_EQ(status.message(), "This file wasn't saved by Kestravo 1.0, open failed!");
    EXPECT_TRUE(agent.Items.empty());
    EXPECT_TRUE(agent.IsConsistent());
}

TEST(KestravoModel, separatorOrLineBreakInAValue_isRefusedAndNothingIsWritten)
{
    TempDir dir;
    kzt::TkztAppletAgent agent(product(), dir.appPaths());
    addItem(agent, nullptr, "Fine");
    writeFile(dir / "menu.ksdm", "old contents");

    agent.Items[0].set(pURL, "a#$@b.html");
    kzt::Status status = agent.WriteProjectFile(dir / "menu.ksdm");
    ASSERT_FALSE(status);
    EXPECT_NE(status.message().find("The text can't include \"#$@\", it is used by system!"), std::string::npos);
    EXPECT_EQ(readFile(dir / "menu.ksdm"), "old contents");

    agent.Items[0].set(pURL, "ok.html");
    agent.AppletData.set(pMenuFontFamily, "Arial#$@");
    EXPECT_FALSE(agent.WriteProjectFile(dir / "menu.ksdm"));
    agent.AppletData.set(pMenuFontFamily, "Arial");
    agent.AppletData.set(pTipMessage, "two\nlines");
    EXPECT_FALSE(agent.WriteProjectFile(dir / "menu.ksdm"));
    EXPECT_EQ(readFile(dir / "menu.ksdm"), "old contents");
}

TEST(KestravoModel, randomDocuments_surviveProjectFileRoundTrips)
{
    TempDir dir;
    std::mt19937 random(20261207);
    for (int round = 0; round < 40; ++round) {
        kzt::TkztAppletAgent agent(product(), dir.appPaths());
        fillRandomMenu(agent, random, random() % 60);
        // The reserved field is kept as read.
        if (!agent.Items.empty())
            agent.Items[0].set(Reserved, "kept");
        product().refreshDerivedFields(agent);
        ASSERT_TRUE(agent.WriteProjectFile(dir / "r.ksdm"));

        kzt::TkztAppletAgent back(product(), dir.appPaths());
        ASSERT_TRUE(back.ReadProjectFile(dir / "r.ksdm"));
        EXPECT_EQ(back.AppletData, agent.AppletData) << "round " << round;
        EXPECT_EQ(back.Items, agent.Items) << "round " << round;
        EXPECT_EQ(back.ProductVersion, "1.0");
        EXPECT_TRUE(treeMatchesItems(back)) << "round " << round;
        EXPECT_EQ(back.BuildHTMLText(), agent.BuildHTMLText()) << "round " << round;
    }
}
