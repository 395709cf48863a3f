#include "OsmerinTestSupport.h"

#include "osmerin/core/OsmerinRecords.h"

using namespace osmerin;
using namespace osmerin::test;

namespace {

std::string comments(const kzt::TkztAppletAgent& agent)
{
    std::string out;
    for (const kzt::TItemData& item : agent.Items)
        out += item.get(ItemComment);
    return out;
}

kzt::TItemData itemNamed(const kzt::TkztAppletAgent& agent, const std::string& comment)
{
    kzt::TItemData item = agent.GetDefaultItemData();
    item.set(ItemComment, comment);
    return item;
}

} // namespace

TEST(OsmerinModel, newDocument_hasTheDefaultsAndNoItems)
{
    TempDir dir;
    kzt::TkztAppletAgent agent(product(), dir.appPaths());
    EXPECT_TRUE(agent.Items.empty());
    EXPECT_EQ(agent.tree().count(), 1u);
    EXPECT_EQ(agent.tree().root()->text(), "Osmerin");
    ASSERT_EQ(agent.AppletData.size(), 27u);
    EXPECT_EQ(agent.AppletData.get(ItemCount), "0");
    EXPECT_EQ(agent.AppletData.get(LoadingMessage), "Loading...");
    EXPECT_EQ(agent.AppletData.get(AppletWidth), "140");
    EXPECT_EQ(agent.AppletData.get(AppletHeight), "230");
    EXPECT_EQ(agent.ScriptFiles, (kzt::TStringArray{"osmeral.jar", "osmeral.class", "b.class"}));
    EXPECT_EQ(agent.ScriptName, "osmeral");

    // The first inserted item gets the item defaults and list index 0; no
    // field of it is taken for a level.
    kzt::TreeNode* node = agent.InsertItem(nullptr);
    EXPECT_EQ(agent.ItemIndexOf(node), 0u);
    EXPECT_EQ(node->text(), "Item");
    EXPECT_EQ(agent.Items[0], product().defaultItemData());
    EXPECT_EQ(agent.Items[0].size(), 19u);
    EXPECT_TRUE(listMatchesTree(agent));
}

TEST(OsmerinModel, listOperations_followTheirEdgeRules)
{
    TempDir dir;
    kzt::TkztAppletAgent agent(product(), dir.appPaths());
    agent.InsertItemData(7, itemNamed(agent, "a")); // empty list: whatever the index
    EXPECT_EQ(comments(agent), "a");
    agent.InsertItemData(1, itemNamed(agent, "b")); // index == length: appended
    agent.InsertItemData(0, itemNamed(agent, "c"));
    EXPECT_EQ(comments(agent), "cab");
    agent.InsertItemData(5, itemNamed(agent, "x")); // beyond the length: nothing
    EXPECT_EQ(comments(agent), "cab");
    agent.InsertItemData(3, itemNamed(agent, "d")); // appends
    EXPECT_EQ(comments(agent), "cabd");

    agent.MoveItemDataUp(0);
    agent.MoveItemDataUp(4);
    EXPECT_EQ(comments(agent), "cabd");
    agent.MoveItemDataUp(3);
    EXPECT_EQ(comments(agent), "cadb");

    agent.DeleteItemData(4); // at the end: nothing
    EXPECT_EQ(comments(agent), "cadb");
    agent.DeleteItemData(1);
    EXPECT_EQ(comments(agent), "cdb");
    agent.DeleteItemData(2);
    agent.DeleteItemData(0);
    EXPECT_EQ(comments(agent), "d");
    agent.DeleteItemData(7); // a lone record goes whatever the index
    EXPECT_TRUE(agent.Items.empty());
    agent.DeleteItemData(0); // empty: nothing
    EXPECT_TRUE(agent.Items.empty());
}

TEST(OsmerinModel, stringArrays_keepFieldOrderAndSize)
{
    const kzt::TAppletData applet = product().defaultAppletData();
    const kzt::TStringArray strings = AppletDataToStrings(applet);
    ASSERT_EQ(strings.size(), 27u);
    EXPECT_EQ(strings[SlideSpeed], "1");
    EXPECT_EQ(strings[ScrollBtn2Y], "17");
    EXPECT_EQ(StringsToAppletData(strings), applet);
    // Short arrays are padded with empty fields, long ones cut.
    EXPECT_EQ(StringsToAppletData({"3"}).size(), 27u);
    EXPECT_EQ(StringsToAppletData({"3"}).get(0), "3");
    kzt::TStringArray many(40, "v");
    EXPECT_EQ(StringsToItemData(many).size(), 19u);
    const kzt::TItemData item = product().defaultItemData();
    EXPECT_EQ(ItemDataToStrings(item), item.toStrings());
    EXPECT_EQ(StringsToItemData(ItemDataToStrings(item)), item);
}

TEST(OsmerinModel, itemText_joinsLinesAndSplitsThemForDisplay)
{
    // Three lines with an empty middle line: two separators in a row.
    EXPECT_EQ(JoinItemText({"first", "", "third"}), "first*#$@%*#$@%third");
    EXPECT_EQ(SplitItemText("first*#$@%*#$@%third"), (kzt::TStringArray{"first", "", "third"}));
    // A trailing empty line is stored and not shown again.
    EXPECT_EQ(JoinItemText({"only", ""}), "only*#$@%");
    EXPECT_EQ(SplitItemText("only*#$@%"), (kzt::TStringArray{"only"}));
    EXPECT_TRUE(SplitItemText("").empty());
    EXPECT_EQ(JoinItemText({}), "");
    // A line that holds the joiner itself is split there; "#$@" alone is text.
    EXPECT_EQ(SplitItemText(JoinItemText({"a*#$@%b", "c#$@d"})), (kzt::TStringArray{"a", "b", "c#$@d"}));
}

TEST(OsmerinModel, derivedFields_comeFromTheTreeAndTheContentType)
{
    TempDir dir;
    kzt::TkztAppletAgent agent(product(), dir.appPaths());
    for (const char* comment : {"text", "image", "file", "odd"})
        addItem(agent, comment);
    for (kzt::TItemData& item : agent.Items) {
        item.set(ItemText, JoinItemText({"line one", "line two"}));
        item.set(ItemImageFilename, "photo.gif");
        item.set(ItemTextFilename, "story.txt");
        item.set(ItemContent, "stale");
    }
    agent.Items[1].set(ItemContentType, "1");
    agent.Items[2].set(ItemContentType, "2");
    agent.Items[3].set(ItemContentType, "7");
    agent.AppletData.set(ItemCount, "99");
    product().refreshDerivedFields(agent);
    EXPECT_EQ(agent.AppletData.get(ItemCount), "4");
    EXPECT_EQ(agent.Items[0].get(ItemContent), "line one*#$@%line two");
    // The image file name wins even though a text is still typed.
    EXPECT_EQ(agent.Items[1].get(ItemContent), "photo.gif");
    EXPECT_EQ(agent.Items[2].get(ItemContent), "story.txt");
    // A type outside the list keeps what was stored.
    EXPECT_EQ(agent.Items[3].get(ItemContent), "stale");
}

TEST(OsmerinModel, commentIsShownTrimmedInTheTree)
{
    TempDir dir;
    kzt::TkztAppletAgent agent(product(), dir.appPaths());
    const std::size_t index = addItem(agent, "  Breaking news \t");
    EXPECT_EQ(agent.Items[index].get(ItemComment), "  Breaking news \t");
    EXPECT_EQ(agent.NodeOfItem(index)->text(), "Breaking news");
}

TEST(OsmerinModel, structuralEdits_keepTheListParallelToTheTree)
{
    TempDir dir;
    kzt::TkztAppletAgent agent(product(), dir.appPaths());
    std::mt19937 random(14);
    for (int step = 0; step < 2000; ++step) {
        const std::size_t items = agent.Items.size();
        kzt::TreeNode* node = items ? agent.NodeOfItem(random() % items) : nullptr;
        switch (random() % 5) {
        case 0:
        case 1: {
            kzt::TreeNode* parent = random() % 4 == 0 ? node : nullptr;
            const std::size_t index = agent.ItemIndexOf(agent.InsertItem(parent));
            OsmerinProfile::SetItemComment(agent, index, "n" + std::to_string(step));
            break;
        }
        case 2:
            agent.DeleteItem(node);
            break;
        case 3:
            agent.MoveItemUp(node);
            break;
        default:
            agent.MoveItemDown(node);
            break;
        }
        ASSERT_TRUE(listMatchesTree(agent)) << "after step " << step;
    }
    // The item defaults stay untouched by the tree edits: no level is written.
    for (const kzt::TItemData& item : agent.Items)
        EXPECT_EQ(item.get(ItemURL), "");
}
