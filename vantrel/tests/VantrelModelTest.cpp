#include "VantrelTestSupport.h"

#include "ProjectFileFormat.h"

using namespace vantrel;
using namespace vantrel::test;

namespace {

const char* const kNewDocumentAppletLine =
    "#$@0#$@0#$@0#$@#$@000000#$@FFFFFF#$@0#$@4#$@1#$@C0C0C0#$@0#$@0#$@1#$@1#$@8#$@8#$@000000#$@20#$@60#$@100#$@20#$@"
    "2#$@1#$@C0C0C0#$@C0C0C0#$@0000A0#$@1#$@20#$@40#$@80#$@1#$@1#$@14#$@0#$@FFFF00#$@Loading ...#$@1#$@20#$@120#$@"
    "140#$@1#$@1#$@14#$@0#$@FFFF00#$@More Loading Message Here ... #$@0#$@#$@1#$@E1E1E1#$@C0C0C0#$@C0C0C0#$@C0C0C0#$@"
    "000000#$@000000#$@20#$@1#$@1#$@1#$@200#$@400#$@0#$@vantrel2_params_file#$@";

class Document : public ::testing::Test
{
protected:
    TempFolder folder;
    kzt::TkztAppletAgent agent{product(), folder.appPaths()};

    kzt::TreeNode* insert(kzt::TreeNode* parent) { return VantrelDocument::InsertItem(agent, parent); }
    std::string_view field(const kzt::TreeNode* node, std::size_t f)
    {
        return agent.Items[agent.ItemIndexOf(node)].get(f);
    }
};

} // namespace

TEST_F(Document, newDocument_hasTheDocumentedRecordsAndProjectFile)
{
    EXPECT_EQ(agent.AppletData.size(), 64u);
    EXPECT_EQ(kzt::JoinFields(agent.AppletData), kNewDocumentAppletLine);
    EXPECT_TRUE(agent.Items.empty());
    EXPECT_EQ(agent.tree().count(), 1u);
    EXPECT_EQ(agent.ScriptFiles, (kzt::TStringArray{"vantrel20.jar", "vantrel20.class", "vantrel20_2.class"}));
    EXPECT_EQ(agent.ScriptName, "vantrel20");

    std::string file;
    ASSERT_TRUE(product().projectFormat().render(agent, file).ok());
    EXPECT_EQ(file, golden("new_document.vtp"));
    EXPECT_EQ(linesOf(file)[11], kNewDocumentAppletLine);

    // Every look field of a new item is the same in the three states.
    const kzt::TItemData item = agent.GetDefaultItemData();
    ASSERT_EQ(item.size(), 74u);
    const kzt::TStringArray state = {"1", "14", "0", "000000", "1", "0", "1", "0", "", "0",
                                     "0", "0", "",  "FFFFFF", "000000", "0", "0", "0", "000000", "0"};
    const kzt::TStringArray fields = item.toStrings();
    for (std::size_t base : kStates)
        EXPECT_EQ(kzt::TStringArray(fields.begin() + base, fields.begin() + base + 20), state);
    EXPECT_EQ(kzt::TStringArray(fields.begin() + 60, fields.end()),
              (kzt::TStringArray{"Item", "", "_self", "", "0", "0", "0", "0", "1", "0", "20", "5", "80", "20"}));
}

TEST(VantrelFields, tableNamesControlsAndChoices)
{
    const auto& applet = appletFieldDescriptions();
    const auto& item = itemFieldDescriptions();
    ASSERT_EQ(applet.size(), static_cast<std::size_t>(AppletFieldCount));
    ASSERT_EQ(item.size(), static_cast<std::size_t>(ItemFieldCount));
    EXPECT_STREQ(applet[ApLoadingMsg1FntStyle].control, "spdbtnApLoadingMsg1FontBold");
    EXPECT_STREQ(applet[ApLoadingMsg1FntStyle].secondControl, "spdbtnApLoadingMsg1FntItalic");
    EXPECT_STREQ(applet[VSBWidth].control, "spnedtVSBWidth");
    EXPECT_EQ(applet[GlideOpenSpeed].minimum, 1);
    EXPECT_EQ(applet[ApBgImgX].minimum, -9999);
    EXPECT_STREQ(item[ItClBgImg].control, "edtItemClBgImg");
    EXPECT_STREQ(item[ItOvFntName].control, "cmbxItOvFntName");
    EXPECT_STREQ(item[ItNoBgSnd].control, "");
    EXPECT_STREQ(item[ItOvBgSnd].control, "edtItemOvBgSnd");
    EXPECT_STREQ(item[ItClBgImgAlign].control, "spnedtItClBgImgAlign");
    EXPECT_EQ(item[ItemInitVisible].choices, &Visibilities);
    EXPECT_EQ(item[ItNoBrdStyle].choices, &BorderStyles);
    EXPECT_EQ(applet[ShowCursorType].choices, &CursorChoices);
    EXPECT_EQ(FillModes.size(), 5u);
    EXPECT_EQ(ImageAlignments[5], "Resize");
    EXPECT_EQ(BorderStyles[0], "No Border");
    EXPECT_EQ(FontNames[3], "Dialog");
    EXPECT_EQ(CursorChoices[1], "Use Hand Cursor when mouse over a item");
    for (std::size_t i = 0; i < item.size(); ++i) {
        if (i < kLookFieldCount) {
            // The three state blocks share names but for the state's two letters.
            std::string name = item[i].name;
            name.replace(2, 2, "No");
            EXPECT_EQ(name, item[i % StateFieldCount].name);
        }
    }
}

TEST_F(Document, insert_levelIndentAndVisibilityOfTheNewItem)
{
    kzt::TreeNode* top = insert(nullptr);
    EXPECT_EQ(field(top, Level), "0");
    EXPECT_EQ(field(top, IX), "20");
    EXPECT_EQ(field(top, ItemInitVisible), "1");

    // The first child under a top-level item copies the item's own value.
    kzt::TreeNode* second = insert(top);
    EXPECT_EQ(field(second, ItemInitVisible), "1");
    EXPECT_EQ(field(second, Level), "1");
    EXPECT_EQ(field(second, IX), "40");

    kzt::TreeNode* third = insert(second);
    EXPECT_EQ(field(third, Level), "2");
    EXPECT_EQ(field(third, IX), "60");

    // Under an item whose children are all invisible, the new one joins them.
    agent.Items[agent.ItemIndexOf(third)].set(ItemInitVisible, "0");
    kzt::TreeNode* thirdSibling = insert(second);
    EXPECT_EQ(field(thirdSibling, ItemInitVisible), "0");
    EXPECT_EQ(agent.ItemIndexOf(thirdSibling), 3u);

    // An item without children hands its own value down.
    kzt::TreeNode* fourth = insert(thirdSibling);
    EXPECT_EQ(field(fourth, ItemInitVisible), "0");
    EXPECT_EQ(field(fourth, IX), "80");
    EXPECT_EQ(agent.tree().nodeAt(agent.ItemIndexOf(fourth) + 1), fourth);
    EXPECT_TRUE(treeMatchesItems(agent));
}

TEST_F(Document, initialVisibility_invisibleHidesTheGroupVisibleShowsEveryGroupAbove)
{
    // A        B
    //  A1       B1
    //   a      
    //   b       
    //    b1
    //  A2
    //   c
    kzt::TreeNode* a = insert(nullptr);
    kzt::TreeNode* a1 = insert(a);
    kzt::TreeNode* x = insert(a1);
    kzt::TreeNode* y = insert(a1);
    kzt::TreeNode* y1 = insert(y);
    kzt::TreeNode* a2 = insert(a);
    kzt::TreeNode* z = insert(a2);
    kzt::TreeNode* b = insert(nullptr);
    kzt::TreeNode* b1 = insert(b);
    for (auto& item : agent.Items)
        item.set(ItemInitVisible, "1");

    EXPECT_EQ(VantrelDocument::SetInitVisibility(agent, x, false), "0");
    for (const kzt::TreeNode* node : {x, y, y1})
        EXPECT_EQ(field(node, ItemInitVisible), "0");
    for (const kzt::TreeNode* node : {a, a1, a2, z, b, b1})
        EXPECT_EQ(field(node, ItemInitVisible), "1");

    // Hiding a second-level group hides everything under its parent.
    EXPECT_EQ(VantrelDocument::SetInitVisibility(agent, a2, false), "0");
    for (const kzt::TreeNode* node : {a1, x, y, y1, a2, z})
        EXPECT_EQ(field(node, ItemInitVisible), "0");
    EXPECT_EQ(field(a, ItemInitVisible), "1");
    EXPECT_EQ(field(b1, ItemInitVisible), "1");

    // Showing the deepest item shows its group and the groups above it, not
    // the descendants of those items nor other groups.
    agent.Items[agent.ItemIndexOf(b)].set(ItemInitVisible, "0");
    EXPECT_EQ(VantrelDocument::SetInitVisibility(agent, y1, true), "1");
    for (const kzt::TreeNode* node : {y1, x, y, a1, a2, a, b})
        EXPECT_EQ(field(node, ItemInitVisible), "1");
    EXPECT_EQ(field(z, ItemInitVisible), "0");

    // Top-level items always stay visible.
    EXPECT_EQ(VantrelDocument::SetInitVisibility(agent, b, false), "1");
    EXPECT_EQ(field(b, ItemInitVisible), "1");
    EXPECT_EQ(field(b1, ItemInitVisible), "1");
    EXPECT_EQ(VantrelDocument::SetInitVisibility(agent, agent.tree().root(), false), "1");
}

TEST(VantrelCommit, recordsGetTheFixedValuesOfACommit)
{
    kzt::TAppletData applet = product().defaultAppletData();
    applet.set(ApBgImg, "  back.gif ");
    applet.set(ApBgSnd, "\tbeep.au ");
    applet.set(ApReserved1, "7");
    applet.set(ApReserved2, "");
    applet.set(ApBrdStyle, "0");
    applet.set(ApLoadingBarBrdStyle, "0");
    applet.set(ApLoadingMsg1, "  as typed ");
    applet.set(AppletParametersFileName, " params ");
    VantrelDocument::CommitAppletRecord(applet);
    EXPECT_EQ(applet.get(ApBgImg), "back.gif");
    EXPECT_EQ(applet.get(ApBgSnd), "beep.au");
    EXPECT_EQ(applet.get(ApReserved1), "0");
    EXPECT_EQ(applet.get(ApReserved2), "0");
    EXPECT_EQ(applet.get(ApBrdWidth), "0");
    EXPECT_EQ(applet.get(ApLoadingBarBrdWidth), "0");
    EXPECT_EQ(applet.get(ApLoadingMsg1), "  as typed ");
    EXPECT_EQ(applet.get(AppletParametersFileName), " params ");

    kzt::TItemData item = product().defaultItemData();
    item.set(ItClBrdStyle, "0");
    item.set(ItClBrdWidth, "5");
    item.set(ItOvBrdStyle, "3");
    item.set(ItOvBrdWidth, "5");
    item.set(ItNoBgSnd, "no.au");
    item.set(ItOvBgSnd, " over.au");
    item.set(ItNoBgImg, " a.gif ");
    item.set(ICaption, "  Home  ");
    item.set(IURL, " index.html");
    item.set(ITarget, "_top ");
    item.set(IDescription, " Start ");
    item.set(Reserved2, "x");
    item.set(StyleIndex, "4");
    VantrelDocument::CommitItemRecord(item, 2);
    EXPECT_EQ(item.get(56), "0");
    EXPECT_EQ(item.get(ItOvBrdWidth), "5");
    EXPECT_EQ(item.get(ItNoBgSnd), "");
    EXPECT_EQ(item.get(ItOvBgSnd), "over.au");
    EXPECT_EQ(item.get(ItNoBgImg), "a.gif");
    EXPECT_EQ(item.get(ICaption), "Home");
    EXPECT_EQ(item.get(IURL), "index.html");
    EXPECT_EQ(item.get(ITarget), "_top");
    EXPECT_EQ(item.get(IDescription), "Start");
    EXPECT_EQ(item.get(Reserved2), "0");
    EXPECT_EQ(item.get(Level), "2");
    EXPECT_EQ(item.get(StyleIndex), "");
}

TEST_F(Document, storeItemRecord_keepsTheNodeTextAndLevel)
{
    kzt::TreeNode* top = insert(nullptr);
    kzt::TreeNode* child = insert(top);
    kzt::TItemData edited = agent.GetItemData(agent.ItemIndexOf(child));
    edited.set(ICaption, " Products ");
    edited.set(Level, "");
    VantrelDocument::StoreItemRecord(agent, child, edited);
    EXPECT_EQ(child->text(), "Products");
    EXPECT_EQ(field(child, Level), "1");
    EXPECT_TRUE(treeMatchesItems(agent));
}
