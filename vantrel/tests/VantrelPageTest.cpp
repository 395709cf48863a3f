#include "DocumentText.h"
#include "VantrelTestSupport.h"

#include "vantrel/core/VantrelPage.h"

using namespace vantrel;
using namespace vantrel::test;

namespace {

// The page as the applet's contract describes it, built the plain way: every
// item's look is searched for from the first entry on.
struct ReferencePage
{
    std::string text;
    std::vector<std::string> styleIndexes;
};

std::string quoted(const std::string& value)
{
    std::string out;
    for (char c : value)
        out += c == '"' ? std::string("&quot;") : std::string(1, c);
    return out;
}

std::string pack(const kzt::TStringArray& fields, std::size_t first, std::size_t last)
{
    std::string out;
    for (std::size_t i = first; i < last; ++i)
        out += fields[i] + "#$@";
    return out;
}

ReferencePage referencePage(const kzt::TAppletData& applet, kzt::TItemArray items)
{
    std::vector<kzt::TStringArray> table;
    ReferencePage result;
    for (kzt::TItemData& item : items) {
        const kzt::TStringArray fields = item.toStrings();
        const kzt::TStringArray look(fields.begin(), fields.begin() + 60);
        std::size_t entry = 0;
        while (entry < table.size() && table[entry] != look)
            ++entry;
        if (entry == table.size())
            table.push_back(look);
        item.set(69, std::to_string(entry));
        result.styleIndexes.emplace_back(item.get(69));
    }
    std::string& page = result.text;
    page += "<HTML>\r\n";
    page += "<!-- START Vantrel 2.01 CONFIG PARAMETERS Don't modify these codes by yourself -->\r\n";
    page += "<applet code=\"vantrel20.class\" archive=\"vantrel20.jar\" width=\"" + quoted(std::string(applet.get(60)))
            + "\" height=\"" + quoted(std::string(applet.get(61))) + "\" MAYSCRIPT>\r\n";
    page += "\t<param name=\"Copyright\" value=\"" + quoted(VantrelProfile::kNotice) + "\">\r\n";
    if (applet.get(62) == "1") {
        page += "\t<param name=\"paramsrc\" value=\"" + quoted(std::string(applet.get(63))) + "\">\r\n";
    } else {
        page += "\t<param name=\"app\" value=\"" + quoted(pack(applet.toStrings(), 0, 60)) + "\">\r\n";
        for (std::size_t k = 0; k < table.size(); ++k)
            page += "\t<param name=\"is" + std::to_string(k) + "\" value=\"" + quoted(pack(table[k], 0, 60)) + "\">\r\n";
        for (std::size_t k = 0; k < items.size(); ++k)
            page += "\t<param name=\"i" + std::to_string(k) + "\" value=\"" + quoted(pack(items[k].toStrings(), 60, 74))
                    + "\">\r\n";
    }
    page += "</applet>\r\n<!-- END Vantrel 2.01 CONFIG PARAMETERS -->\r\n</HTML>\r\n";
    return result;
}

class Page : public ::testing::Test
{
protected:
    TempFolder folder;
    kzt::TkztAppletAgent agent{product(), folder.appPaths()};

    kzt::TreeNode* add(kzt::TreeNode* parent, const std::string& caption, const std::string& url = "")
    {
        kzt::TreeNode* node = VantrelDocument::InsertItem(agent, parent);
        agent.SetCaption(agent.ItemIndexOf(node), caption);
        agent.Items[agent.ItemIndexOf(node)].set(IURL, url);
        return node;
    }
};

} // namespace

TEST_F(Page, emptyDocument_writesTheFixedLinesAndTheAppValueOnly)
{
    const std::string page = agent.BuildHTMLText();
    EXPECT_EQ(page, golden("empty_page.html"));
    const std::vector<std::string> lines = linesOf(page);
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[2], "<applet code=\"vantrel20.class\" archive=\"vantrel20.jar\" width=\"200\" height=\"400\" MAYSCRIPT>");
    EXPECT_EQ(lines[4].rfind("\t<param name=\"app\" value=\"#$@0#$@0#$@0#$@#$@000000#$@", 0), 0u);
    EXPECT_EQ(lines[4].find("vantrel2_params_file"), std::string::npos);
    EXPECT_EQ(lines[4].find("#$@200#$@"), std::string::npos);
    const std::string end = "#$@20#$@1#$@1#$@1#$@\">";
    EXPECT_EQ(lines[4].substr(lines[4].size() - end.size()), end);
}

TEST_F(Page, threeEqualLooksAndOneOther_makeTwoStyles)
{
    kzt::TreeNode* a = add(nullptr, "A", "a.html");
    add(a, "B", "b.html");
    add(nullptr, "C", "c.html");
    kzt::TreeNode* d = add(nullptr, "", "d.html");
    agent.Items[agent.ItemIndexOf(d)].set(ItOvTextClr, "FF0000");
    const std::string page = agent.BuildHTMLText();
    const std::vector<std::string> lines = linesOf(page);
    ASSERT_EQ(lines.size(), 14u);
    EXPECT_EQ(lines[5].rfind("\t<param name=\"is0\" value=\"1#$@14#$@0#$@000000#$@1#$@", 0), 0u);
    EXPECT_EQ(lines[6].rfind("\t<param name=\"is1\" value=\"", 0), 0u);
    EXPECT_EQ(lines[7].rfind("\t<param name=\"i0\"", 0), 0u);
    EXPECT_NE(lines[6].find("#$@FF0000#$@"), std::string::npos);
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_EQ(agent.Items[i].get(StyleIndex), "0");
    EXPECT_EQ(agent.Items[3].get(StyleIndex), "1");
    EXPECT_EQ(lines[8], "\t<param name=\"i1\" value=\"B#$@b.html#$@_self#$@#$@0#$@0#$@0#$@1#$@1#$@0#$@40#$@5#$@80#$@20#$@\">");
    // An empty caption packs as the separator right before the link.
    EXPECT_EQ(lines[10], "\t<param name=\"i3\" value=\"#$@d.html#$@_self#$@#$@0#$@0#$@0#$@0#$@1#$@1#$@20#$@5#$@80#$@20#$@\">");
}

TEST_F(Page, quoteMarksInValues_becomeEntitiesAndOtherBytesStay)
{
    kzt::TreeNode* node = add(nullptr, "Say \"hi\" & <b>bye</b>", "page.html?a=\"1\"&b=2");
    agent.Items[agent.ItemIndexOf(node)].set(ItNoBgImg, "q\"\xE9.gif");
    agent.AppletData.set(ApWidth, "2\"00");
    const std::string page = agent.BuildHTMLText();
    EXPECT_NE(page.find("width=\"2&quot;00\""), std::string::npos);
    EXPECT_NE(page.find("value=\"Say &quot;hi&quot; & <b>bye</b>#$@page.html?a=&quot;1&quot;&b=2#$@"), std::string::npos);
    EXPECT_NE(page.find("#$@q&quot;\xE9.gif#$@"), std::string::npos);
    // The parameters file is not HTML: its values are written as stored.
    const std::string file = VantrelPage::parametersFile(agent.AppletData, agent.Items);
    EXPECT_NE(file.find("\r\nSay \"hi\" & <b>bye</b>#$@page.html?a=\"1\"&b=2#$@"), std::string::npos);
}

TEST_F(Page, parametersFileOption_pageNamesTheFileWhichHoldsTheValues)
{
    kzt::TreeNode* a = add(nullptr, "Home", "index.html");
    add(a, "News", "news.html");
    kzt::TreeNode* c = add(nullptr, "Mail", "mailto:me@example.com");
    agent.Items[agent.ItemIndexOf(c)].set(ItClBrdStyle, "3");
    agent.AppletData.set(LoadAppletParamFromFile, "1");
    agent.AppletData.set(AppletParametersFileName, "menu_params.txt");
    const std::string page = agent.BuildHTMLText();
    EXPECT_EQ(page, golden("params_page.html"));
    const auto files = product().companionFiles(agent);
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0].name, "menu_params.txt");
    EXPECT_EQ(files[0].contents, golden("params_file.txt"));
    const std::vector<std::string> lines = linesOf(files[0].contents);
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 4),
              (std::vector<std::string>{"ProductName", "Vantrel", "ProductVersion", "2.01"}));
    EXPECT_EQ(page.find("iscount"), std::string::npos);

    // Only exactly "1" switches the option on.
    agent.AppletData.set(LoadAppletParamFromFile, "1 ");
    EXPECT_TRUE(product().companionFiles(agent).empty());
    EXPECT_NE(agent.BuildHTMLText().find("name=\"app\""), std::string::npos);
}

TEST_F(Page, hashedStyleLookup_givesThePageOfTheLinearSearch)
{
    std::mt19937 random(21);
    for (int round = 0; round < 60; ++round) {
        kzt::TkztAppletAgent document(product(), folder.appPaths());
        fillRandomDocument(document, random, random() % 60);
        // Looks that differ only in where one field ends and the next begins.
        if (document.Items.size() >= 2 && round % 3 == 0) {
            document.Items[0].set(4, "ab");
            document.Items[0].set(5, "c");
            for (std::size_t f = 0; f < kLookFieldCount; ++f)
                document.Items[1].set(f, document.Items[0].get(f));
            document.Items[1].set(4, "a");
            document.Items[1].set(5, "bc");
        }
        const ReferencePage expected = referencePage(document.AppletData, document.Items);
        // Style numbers left by a commit, or by hand, do not fit the looks:
        // the page works them out again.
        for (std::size_t i = 0; i < document.Items.size(); ++i)
            document.Items[i].set(StyleIndex, round % 3 == 0 ? "" : (round % 3 == 1 ? "0" : std::to_string(i + 1)));
        ASSERT_EQ(VantrelPage::page(document.AppletData, document.Items), expected.text) << "round " << round;
        // The saved page also declares the document's encoding when it holds 8-bit text.
        std::string declared = expected.text;
        kzt::DeclareCharset(declared, kzt::DocumentEncoding(document));
        ASSERT_EQ(document.BuildHTMLText(), declared) << "round " << round;
        for (std::size_t i = 0; i < document.Items.size(); ++i)
            ASSERT_EQ(document.Items[i].get(StyleIndex), expected.styleIndexes[i]);
    }
}

TEST(VantrelStyleTable, manyLooksAndManyRepeats_numberedByFirstAppearance)
{
    kzt::TItemArray items;
    for (int i = 0; i < 5000; ++i) {
        kzt::TItemData item = product().defaultItemData();
        item.set(ItNoFntSize, std::to_string((i * 7919) % 1000));
        items.push_back(item);
    }
    const StyleTable table = StyleTable::build(items);
    ASSERT_EQ(table.firstItem.size(), 1000u);
    for (std::size_t k = 0; k < table.firstItem.size(); ++k)
        EXPECT_EQ(table.firstItem[k], k);
    for (std::size_t i = 0; i < items.size(); ++i)
        EXPECT_EQ(table.entryOfItem[i], i % 1000);
}
