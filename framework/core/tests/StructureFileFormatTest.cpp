#include <gtest/gtest.h>

#include "ProgressSink.h"
#include "StructureFileFormat.h"
#include "TestProduct.h"

#include <string>
#include <vector>

namespace kzt::test {
namespace {

// A product whose items are (caption, link, target, note, level) and whose
// reset keeps its last parameter, as a product with author settings would.
class MenuProduct : public ProductProfile
{
public:
    enum Field : std::size_t { Caption, Url, Target, Note, Level, Count };

    MenuProduct()
    {
        m_info.name = "Menumaker";
        m_info.version = "2.5";
        m_info.executableName = "menumaker";
        m_info.acceptedNames = {"Menumaker"};
        m_info.extension = "mnu";
        m_info.foreignFileMessage = "foreign";
        m_info.appletFieldCount = 3;
        m_info.itemFieldCount = Count;
        m_info.captionField = Caption;
        m_info.levelField = Level;
    }
    const ProductInfo& info() const override { return m_info; }
    TAppletData defaultAppletData() const override { return TAppletData(TStringArray{"menu", "12", ""}); }
    TItemData defaultItemData() const override { return TItemData(TStringArray{"Item", "", "_self", "", ""}); }
    void resetAppletData(TAppletData& data) const override
    {
        const std::string kept = data.size() > 2 ? std::string(data.get(2)) : std::string();
        data = defaultAppletData();
        data.set(2, kept);
    }
    void refreshDerivedFields(TkztAppletAgent& agent) const override { agent.UpdateItemLevels(); }
    std::string generatePage(const TkztAppletAgent&) const override { return {}; }

private:
    ProductInfo m_info;
};

const MenuProduct& product()
{
    static const MenuProduct instance;
    return instance;
}

const MenuStructureMapping withNotes{MenuProduct::Url, MenuProduct::Target, MenuProduct::Note};
const MenuStructureMapping withoutNotes{MenuProduct::Url, MenuProduct::Target, std::nullopt};

std::string header(const std::string& generator = "Menumaker", const std::string& version = "2.5")
{
    return "<Generator_Name>\r\n" + generator + "\r\n</Generator_Name>\r\n<Generator_Version>\r\n" + version
           + "\r\n</Generator_Version>\r\n<Product_Name>\r\nGeneral Menu Structure Description Format\r\n"
             "</Product_Name>\r\n<Product_Version>\r\n1.0\r\n</Product_Version>\r\n";
}

TreeNode* add(TkztAppletAgent& agent, TreeNode* parent, const std::string& caption, const std::string& url = "",
              const std::string& note = "")
{
    TreeNode* node = agent.InsertItem(parent);
    const std::size_t i = agent.ItemIndexOf(node);
    agent.SetCaption(i, caption);
    agent.Items[i].set(MenuProduct::Url, url);
    agent.Items[i].set(MenuProduct::Note, note);
    return node;
}

// A document with items and changed parameters, to see what a failure leaves.
void fillOldDocument(TkztAppletAgent& agent)
{
    agent.AppletData.set(0, "changed");
    agent.AppletData.set(2, "author setting");
    add(agent, add(agent, nullptr, "old"), "older");
}

void expectFreshDocument(const TkztAppletAgent& agent)
{
    EXPECT_TRUE(agent.Items.empty());
    EXPECT_EQ(agent.tree().count(), 1u);
    EXPECT_EQ(agent.AppletData.get(0), "menu");
    EXPECT_EQ(agent.AppletData.get(1), "12");
    EXPECT_EQ(agent.AppletData.get(2), "author setting");
}

class Recorder : public ProgressSink
{
public:
    void begin(const std::string& text, int maximum) override { events.push_back(text + "/" + std::to_string(maximum)); }
    void advance(int steps) override { total += steps; }
    void end() override { events.push_back("end"); }
    std::vector<std::string> events;
    int total = 0;
};

} // namespace

TEST(StructureFile, newDocument_writesTwelveHeaderLinesAndAnEmptySection)
{
    TempFolder dir;
    TkztAppletAgent agent(product(), dir.appPaths());
    std::string text;
    ASSERT_TRUE(StructureFileFormat::render(agent, withNotes, text));
    EXPECT_EQ(text, header() + "<Structure_Description>\r\n</Structure_Description>\r\n");
}

TEST(StructureFile, linesCarryLevelCaptionLinkTargetAndDescription_inTreeOrder)
{
    TempFolder dir;
    TkztAppletAgent agent(product(), dir.appPaths());
    TreeNode* home = add(agent, nullptr, "Home", "index.html", "Start page");
    add(agent, nullptr, "Last", "last.html");
    add(agent, add(agent, home, "Sub", "sub.html", "a note"), "Deep", "", "");
    // Stale levels are refreshed from the tree before writing.
    for (TItemData& item : agent.Items)
        item.set(MenuProduct::Level, "7");
    ASSERT_TRUE(StructureFileFormat::ExportMenuStructure(agent, withNotes, dir.path() / "m.gms"));
    EXPECT_EQ(readFile(dir.path() / "m.gms"),
              header() + "<Structure_Description>\r\n"
                         "0#$@Home#$@index.html#$@_self#$@Start page#$@\r\n"
                         "1#$@Sub#$@sub.html#$@_self#$@a note#$@\r\n"
                         "2#$@Deep#$@#$@_self#$@#$@\r\n"
                         "0#$@Last#$@last.html#$@_self#$@#$@\r\n"
                         "</Structure_Description>\r\n");
    EXPECT_TRUE(treeMatchesItems(agent));

    // A product without descriptions writes the field empty.
    std::string text;
    ASSERT_TRUE(StructureFileFormat::render(agent, withoutNotes, text));
    EXPECT_NE(text.find("0#$@Home#$@index.html#$@_self#$@#$@\r\n"), std::string::npos);
}

TEST(StructureFile, extensionIsAppendedUnlessPresentInAnyCase)
{
    EXPECT_EQ(StructureFileFormat::withStructureExtension("menu"), "menu.gms");
    EXPECT_EQ(StructureFileFormat::withStructureExtension("menu.GMS"), "menu.GMS");
    EXPECT_EQ(StructureFileFormat::withStructureExtension("/a/b/menu.Gms"), "/a/b/menu.Gms");
    EXPECT_EQ(StructureFileFormat::withStructureExtension("menu.gms.txt"), "menu.gms.txt.gms");
    EXPECT_EQ(StructureFileFormat::withStructureExtension("gms"), "gms.gms");
    EXPECT_EQ(StructureFileFormat::withStructureExtension(".gms"), ".gms");
    EXPECT_EQ(StructureFileFormat::withStructureExtension(""), ".gms");
}

TEST(StructureFile, importStartsFromDefaults_andAcceptsAnyGenerator)
{
    TempFolder dir;
    TkztAppletAgent agent(product(), dir.appPaths());
    fillOldDocument(agent);
    const std::string file = "junk before\r\n" + header("Someone Else", "9.9") + "stray line\r\n"
                             "<Structure_Description>\r\n"
                             "0#$@A#$@a.html#$@_top#$@note A#$@\r\n"
                             "1#$@A1#$@#$@#$@#$@\r\n"
                             "0#$@B#$@b.html#$@_blank#$@\r\n" // cut short: no description
                             "</Structure_Description>\r\ntrailing\r\n";
    ASSERT_TRUE(StructureFileFormat::importText(agent, withNotes, file));
    EXPECT_EQ(agent.AppletData, TAppletData(TStringArray{"menu", "12", "author setting"}));
    ASSERT_EQ(agent.Items.size(), 3u);
    EXPECT_EQ(agent.Items[0], TItemData(TStringArray{"A", "a.html", "_top", "note A", "0"}));
    EXPECT_EQ(agent.Items[1], TItemData(TStringArray{"A1", "", "", "", "1"}));
    EXPECT_EQ(agent.Items[2], TItemData(TStringArray{"B", "b.html", "_blank", "", "0"}));
    EXPECT_EQ(agent.ProductVersion, "1.0");
    EXPECT_TRUE(treeMatchesItems(agent));

    // Without descriptions the fifth field is ignored and the default stays.
    ASSERT_TRUE(StructureFileFormat::importText(agent, withoutNotes, file));
    EXPECT_EQ(agent.Items[0].get(MenuProduct::Note), "");
}

TEST(StructureFile, foreignOrEmptyFile_isRefused_andLeavesAFreshDocument)
{
    TempFolder dir;
    const std::vector<std::string> refused{
        "",
        "\r\n\r\n",
        "<Product_Name>\r\nKestrel\r\n",
        "<Warning_Info>\r\n</Warning_Info>\r\n<Product_Name>\r\nMenumaker\r\n</Product_Name>\r\n",
        "<Product_Name>\r\ngeneral menu structure description format\r\n",
        "<Product_Name>\r\n"};
    for (const std::string& file : refused) {
        TkztAppletAgent agent(product(), dir.appPaths());
        fillOldDocument(agent);
        const Status status = StructureFileFormat::importText(agent, withNotes, file);
        ASSERT_FALSE(status) << file;
        EXPECT_EQ(status.message(), "This file wasn't saved by specified format, open failed!");
        expectFreshDocument(agent);
    }
}

TEST(StructureFile, cutShortOrDamagedFile_leavesAFreshDocument)
{
    TempFolder dir;
    const std::string items = "<Structure_Description>\r\n0#$@A#$@#$@#$@#$@\r\n1#$@B#$@#$@#$@#$@\r\n";
    const std::vector<std::string> damaged{
        header().substr(0, header().find("<Product_Version>")),
        header(),
        header() + items,                                                   // no closing tag
        header() + items + "x#$@C#$@#$@#$@#$@\r\n</Structure_Description>\r\n", // level not a number
    };
    for (const std::string& file : damaged) {
        TkztAppletAgent agent(product(), dir.appPaths());
        fillOldDocument(agent);
        EXPECT_FALSE(StructureFileFormat::importText(agent, withNotes, file)) << file;
        expectFreshDocument(agent);
    }
    TkztAppletAgent agent(product(), dir.appPaths());
    fillOldDocument(agent);
    EXPECT_FALSE(StructureFileFormat::ImportMenuStructure(agent, withNotes, dir.path() / "missing.gms"));
    expectFreshDocument(agent);
}

TEST(StructureFile, levelsThatBreakTheRules_stillGiveEveryRecordOneNode)
{
    TempFolder dir;
    TkztAppletAgent agent(product(), dir.appPaths());
    const std::string file = header() + "<Structure_Description>\r\n"
                                        "2#$@A#$@#$@#$@#$@\r\n0#$@B#$@#$@#$@#$@\r\n3#$@C#$@#$@#$@#$@\r\n"
                                        "-1#$@D#$@#$@#$@#$@\r\n1#$@E#$@#$@#$@#$@\r\n"
                                        "</Structure_Description>\r\n";
    ASSERT_TRUE(StructureFileFormat::importText(agent, withNotes, file));
    EXPECT_EQ(agent.Items.size(), 5u);
    EXPECT_TRUE(treeMatchesItems(agent));
}

TEST(StructureFile, separatorOrLineBreakInAValue_isRefused_andTheOldFileKept)
{
    TempFolder dir;
    const auto path = dir.path() / "menu.gms";
    writeFile(path, "old");
    const std::vector<std::pair<MenuProduct::Field, std::string>> bad{
        {MenuProduct::Caption, "A#$@B"}, {MenuProduct::Url, "x#$@"}, {MenuProduct::Target, "#$@"},
        {MenuProduct::Note, "a\r\nb"},   {MenuProduct::Url, "a\nb"}};
    for (const auto& [field, value] : bad) {
        TkztAppletAgent agent(product(), dir.appPaths());
        add(agent, nullptr, "fine");
        agent.Items[0].set(field, value);
        EXPECT_FALSE(StructureFileFormat::ExportMenuStructure(agent, withNotes, path)) << value;
        EXPECT_EQ(readFile(path), "old");
    }
    // A separator in a field the structure file does not carry is no obstacle.
    TkztAppletAgent agent(product(), dir.appPaths());
    add(agent, nullptr, "fine");
    agent.Items[0].set(MenuProduct::Note, "#$@");
    EXPECT_TRUE(StructureFileFormat::ExportMenuStructure(agent, withoutNotes, path));
    EXPECT_EQ(agent.AppletData.size(), 3u);
}

TEST(StructureFile, exportIntoAMissingFolder_failsWithAMessage)
{
    TempFolder dir;
    TkztAppletAgent agent(product(), dir.appPaths());
    const Status status = StructureFileFormat::ExportMenuStructure(agent, withNotes, dir.path() / "no" / "m.gms");
    ASSERT_FALSE(status);
    EXPECT_NE(status.message().find("Cannot create file"), std::string::npos);
}

TEST(StructureFile, reportsSavingAndLoadingProgress)
{
    TempFolder dir;
    TkztAppletAgent agent(product(), dir.appPaths());
    Recorder recorder;
    agent.setProgress(&recorder);
    add(agent, nullptr, "A");
    add(agent, nullptr, "B");
    std::string text;
    ASSERT_TRUE(StructureFileFormat::render(agent, withNotes, text));
    EXPECT_EQ(recorder.events, (std::vector<std::string>{"Saving Data ... .../25", "end"}));
    EXPECT_EQ(recorder.total, 15);
    recorder.events.clear();
    ASSERT_TRUE(StructureFileFormat::importText(agent, withNotes, text));
    EXPECT_EQ(recorder.events, (std::vector<std::string>{"Loading Data ... .../0", "end"}));
    agent.setProgress(nullptr);
}

TEST(StructureFile, randomTreesSurviveTheRoundTrip)
{
    TempFolder dir;
    unsigned seed = 12345;
    auto next = [&seed] { return seed = seed * 1103515245u + 12345u, (seed >> 16) & 0x7FFF; };
    for (int round = 0; round < 30; ++round) {
        TkztAppletAgent agent(product(), dir.appPaths());
        std::vector<TreeNode*> nodes;
        const unsigned count = next() % 100;
        for (unsigned i = 0; i < count; ++i) {
            TreeNode* parent = nodes.empty() || next() % 3 == 0 ? nullptr : nodes[next() % nodes.size()];
            nodes.push_back(add(agent, parent, "n" + std::to_string(next()) + " <&\">", "u" + std::to_string(i),
                                i % 2 ? "" : " spaced note "));
        }
        ASSERT_TRUE(StructureFileFormat::ExportMenuStructure(agent, withNotes, dir.path() / "r.gms"));
        TkztAppletAgent back(product(), dir.appPaths());
        ASSERT_TRUE(StructureFileFormat::ImportMenuStructure(back, withNotes, dir.path() / "r.gms"));
        EXPECT_EQ(back.Items, agent.Items) << "round " << round;
        EXPECT_TRUE(treeMatchesItems(back));
    }
}

} // namespace kzt::test
