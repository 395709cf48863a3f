#include "VantrelTestSupport.h"

#include "ProjectFileFormat.h"
#include "vantrel/core/VantrelProjectFormat.h"

using namespace vantrel;
using namespace vantrel::test;

namespace {

std::string projectText(const std::string& version, const std::vector<kzt::TStringArray>& lines,
                        const kzt::TStringArray& applet, const std::string& name = "Vantrel")
{
    std::string text = "<Warning_Info>\r\nNote: This file be created and maintained by Vantrel 2.01.\r\n"
                       "It may cause the project file can't be opened correctly if you modify it by yourself!\r\n"
                       "</Warning_Info>\r\n<Product_Name>\r\n"
                       + name + "\r\n</Product_Name>\r\n<Product_Version>\r\n" + version
                       + "\r\n</Product_Version>\r\n<Applet_Parameters>\r\n" + kzt::JoinFields(applet)
                       + "\r\n</Applet_Parameters>\r\n<Item_Parameters>\r\n";
    for (const kzt::TStringArray& line : lines)
        text += kzt::JoinFields(line) + "\r\n";
    return text + "</Item_Parameters>\r\n";
}

class ProjectFile : public ::testing::Test
{
protected:
    TempFolder folder;
    kzt::TkztAppletAgent agent{product(), folder.appPaths()};

    kzt::Status readText(const std::string& text)
    {
        writeFile(folder / "p.vtp", text);
        return agent.ReadProjectFile(folder / "p.vtp");
    }
    std::string rendered()
    {
        std::string text;
        EXPECT_TRUE(product().projectFormat().render(agent, text).ok());
        return text;
    }
    void expectFreshDocument()
    {
        EXPECT_EQ(agent.AppletData, product().defaultAppletData());
        EXPECT_TRUE(agent.Items.empty());
        EXPECT_EQ(agent.tree().count(), 1u);
    }
};

// Levels that make a tree of `count` items in pre-order.
std::vector<int> randomLevels(std::mt19937& random, std::size_t count)
{
    std::vector<int> levels;
    for (std::size_t i = 0; i < count; ++i)
        levels.push_back(levels.empty() ? 0 : static_cast<int>(random() % (levels.back() + 2)));
    return levels;
}

} // namespace

TEST_F(ProjectFile, randomDocuments_roundTripUnchanged)
{
    std::mt19937 random(11);
    for (int round = 0; round < 30; ++round) {
        kzt::TkztAppletAgent original(product(), folder.appPaths());
        fillRandomDocument(original, random, random() % 40);
        ASSERT_TRUE(original.WriteProjectFile(folder / "r.vtp").ok());
        ASSERT_TRUE(agent.ReadProjectFile(folder / "r.vtp").ok());
        EXPECT_EQ(agent.AppletData, original.AppletData);
        EXPECT_EQ(agent.Items, original.Items);
        EXPECT_EQ(agent.ProductVersion, "2.01");
        EXPECT_TRUE(treeMatchesItems(agent));
        for (std::size_t k = 1; k < original.tree().count(); ++k)
            EXPECT_EQ(agent.tree().level(agent.tree().nodeAt(k)), original.tree().level(original.tree().nodeAt(k)));
        EXPECT_EQ(rendered(), readFile(folder / "r.vtp"));
    }
}

TEST_F(ProjectFile, oldVersions_migrateWithTheDocumentedFillValues)
{
    std::mt19937 random(12);
    for (const std::string version : {"1.0", "1.1", "1.11"}) {
        for (int round = 0; round < 10; ++round) {
            kzt::TStringArray oldApplet;
            for (int i = 0; i < 62; ++i)
                oldApplet.push_back(randomText(random, 6));
            kzt::TStringArray expectedApplet(oldApplet.begin(), oldApplet.begin() + 58);
            expectedApplet.insert(expectedApplet.end(), {"1", "1"});
            expectedApplet.insert(expectedApplet.end(), oldApplet.begin() + 58, oldApplet.end());

            std::vector<kzt::TStringArray> oldItems;
            kzt::TItemArray expectedItems;
            for (int level : randomLevels(random, random() % 12)) {
                kzt::TStringArray old;
                for (int i = 0; i < 71; ++i)
                    old.push_back(randomText(random, 5));
                old[57 + 7] = std::to_string(level); // the level, today's field 67
                kzt::TStringArray now;
                for (int state = 0; state < 3; ++state) {
                    now.insert(now.end(), old.begin() + state * 19, old.begin() + state * 19 + 19);
                    now.push_back("0");
                }
                now.insert(now.end(), old.begin() + 57, old.end());
                ASSERT_EQ(now.size(), 74u);
                oldItems.push_back(old);
                expectedItems.emplace_back(now);
            }
            ASSERT_TRUE(readText(projectText(version, oldItems, oldApplet)).ok()) << version;
            EXPECT_EQ(agent.ProductVersion, version);
            EXPECT_EQ(agent.AppletData.toStrings(), expectedApplet) << version;
            EXPECT_EQ(agent.Items, expectedItems) << version;
            EXPECT_TRUE(treeMatchesItems(agent));
            // Saved again, it is a file of today's version.
            EXPECT_EQ(linesOf(rendered())[8], "2.01");
        }
    }
}

TEST_F(ProjectFile, version11File_opensWithScrollAndOneSubMenuCheckedAndNoTransparency)
{
    kzt::TStringArray applet = product().defaultAppletData().toStrings();
    applet.erase(applet.begin() + VSBScrollAuto, applet.begin() + ApWidth);
    applet[58] = "333";
    applet[59] = "444";
    applet[VSBScrollAuto - 1] = "2";
    kzt::TStringArray item(71, "5");
    item[57] = "Old item";
    item[57 + 7] = "0";
    ASSERT_TRUE(readText(projectText("1.1", {item}, applet)).ok());
    EXPECT_EQ(agent.AppletData.get(VSBScrollAuto), "1");
    EXPECT_EQ(agent.AppletData.get(OpenOneSubMenuOnly), "1");
    EXPECT_EQ(agent.AppletData.get(ApWidth), "333");
    EXPECT_EQ(agent.AppletData.get(ApHeight), "444");
    EXPECT_EQ(agent.AppletData.get(ShowCursorType), "2");
    EXPECT_EQ(agent.AppletData.get(LoadAppletParamFromFile), "0");
    EXPECT_EQ(agent.AppletData.get(AppletParametersFileName), "vantrel2_params_file");
    for (std::size_t state : kStates) {
        EXPECT_EQ(agent.Items[0].get(state + BgImgTransparent), "0");
        EXPECT_EQ(agent.Items[0].get(state + BrdClr), "5");
    }
    EXPECT_EQ(agent.Items[0].get(ICaption), "Old item");
    EXPECT_EQ(agent.tree().nodeAt(1)->text(), "Old item");
}

TEST_F(ProjectFile, currentVersions_readAlikeAndSaveAs201)
{
    std::mt19937 random(13);
    kzt::TkztAppletAgent original(product(), folder.appPaths());
    fillRandomDocument(original, random, 15);
    std::string file;
    ASSERT_TRUE(product().projectFormat().render(original, file).ok());
    for (const std::string version : {"2.0", "2.02", "3.5", ""}) {
        std::string text = file;
        text.replace(text.find("\r\n2.01\r\n"), 8, "\r\n" + version + "\r\n");
        ASSERT_TRUE(readText(text).ok()) << version;
        EXPECT_EQ(agent.ProductVersion, version);
        EXPECT_EQ(agent.AppletData, original.AppletData) << version;
        EXPECT_EQ(agent.Items, original.Items) << version;
        EXPECT_EQ(rendered(), file) << version;
    }
}

TEST_F(ProjectFile, unknownVersionWithShortLines_readsAsTodaysLayoutWithEveryField)
{
    kzt::TStringArray applet = product().defaultAppletData().toStrings();
    applet.resize(62);
    kzt::TStringArray item = product().defaultItemData().toStrings();
    item.resize(71);
    ASSERT_TRUE(readText(projectText("1.2", {item}, applet)).ok());
    EXPECT_EQ(agent.AppletData.size(), 64u);
    EXPECT_EQ(agent.Items[0].size(), 74u);
    EXPECT_EQ(agent.AppletData.get(ApBgClr), "000000");
    EXPECT_EQ(linesOf(rendered())[8], "2.01");
}

TEST_F(ProjectFile, levels_rebuildTheTreeAndStayParallelToTheItems)
{
    std::vector<kzt::TStringArray> items;
    for (const char* level : {"0", "1", "2", "1", "0"}) {
        kzt::TStringArray item = product().defaultItemData().toStrings();
        item[Level] = level;
        item[ICaption] = std::string("L") + level + "-" + std::to_string(items.size());
        items.push_back(item);
    }
    ASSERT_TRUE(readText(projectText("2.01", items, product().defaultAppletData().toStrings())).ok());
    const kzt::ItemTree& tree = agent.tree();
    EXPECT_EQ(tree.nodeAt(1)->parent(), tree.root());
    EXPECT_EQ(tree.nodeAt(2)->parent(), tree.nodeAt(1));
    EXPECT_EQ(tree.nodeAt(3)->parent(), tree.nodeAt(2));
    EXPECT_EQ(tree.nodeAt(4)->parent(), tree.nodeAt(1));
    EXPECT_EQ(tree.nodeAt(5)->parent(), tree.root());
    EXPECT_TRUE(treeMatchesItems(agent));

    // A level more than one deeper than the previous one is placed one deeper;
    // the records and the tree stay parallel.
    items[2][Level] = "5";
    items[3][Level] = "-3";
    ASSERT_TRUE(readText(projectText("2.01", items, product().defaultAppletData().toStrings())).ok());
    EXPECT_EQ(agent.Items[2].get(Level), "2");
    EXPECT_EQ(agent.Items[3].get(Level), "0");
    EXPECT_EQ(tree.nodeAt(3)->parent(), tree.nodeAt(2));
    EXPECT_EQ(tree.nodeAt(4)->parent(), tree.root());
    EXPECT_TRUE(treeMatchesItems(agent));
}

TEST_F(ProjectFile, refusedOrDamagedFiles_leaveAFreshDocumentWithAMessage)
{
    std::mt19937 random(14);
    kzt::TkztAppletAgent original(product(), folder.appPaths());
    fillRandomDocument(original, random, 6);
    std::string good;
    ASSERT_TRUE(product().projectFormat().render(original, good).ok());

    auto loadSomething = [&] { ASSERT_TRUE(readText(good).ok()); };

    loadSomething();
    std::string foreign = good;
    foreign.replace(foreign.find("\r\nVantrel\r\n"), 11, "\r\nKestravo\r\n");
    kzt::Status status = readText(foreign);
    EXPECT_EQ(status.message(), "This file wasn't saved by Vantrel 2.01, open failed!");
    expectFreshDocument();

    for (const char* marker : {"<Product_Version>", "<Applet_Parameters>", "<Item_Parameters>", "</Item_Parameters>"}) {
        loadSomething();
        status = readText(good.substr(0, good.find(marker)));
        EXPECT_FALSE(status.ok()) << marker;
        EXPECT_EQ(status.message(), kzt::ProjectFileFormat::incompleteMessage()) << marker;
        expectFreshDocument();
    }

    loadSomething();
    std::string badLevel = good;
    const std::size_t itemLine = badLevel.find("<Item_Parameters>\r\n") + 19;
    kzt::TStringArray fields = kzt::SplitAllFields(linesOf(badLevel.substr(itemLine))[0]);
    fields[Level] = "one";
    badLevel.replace(itemLine, badLevel.find("\r\n", itemLine) - itemLine, kzt::JoinFields(fields));
    status = readText(badLevel);
    EXPECT_FALSE(status.ok());
    EXPECT_NE(status.message().find("one"), std::string::npos);
    expectFreshDocument();

    // Binary rubbish is refused the same way.
    loadSomething();
    std::string rubbish("\0\xff\r\n", 4);
    rubbish += "<Product_Name>\r\nVantrel\r\n<Product_Version>";
    rubbish += std::string(3, '\0');
    EXPECT_FALSE(readText(rubbish).ok());
    expectFreshDocument();
}

TEST(VantrelSplit, linearSplitGivesWhatTheFieldByFieldSearchGives)
{
    std::mt19937 random(15);
    for (int round = 0; round < 300; ++round) {
        std::string line;
        const int pieces = static_cast<int>(random() % 90);
        for (int i = 0; i < pieces; ++i)
            line += random() % 3 ? randomText(random, 4) + "#$@" : std::string(random() % 2 ? "#$" : "@#$@");
        kzt::TStringArray split = kzt::SplitAllFields(line);
        split.resize(ItemFieldCount);
        for (std::size_t n = 1; n <= ItemFieldCount; ++n)
            ASSERT_EQ(split[n - 1], kzt::GetField(line, n)) << line << " field " << n;
    }
}
