#include "KestravoTestSupport.h"

#include "kestravo/core/KestravoPage.h"
#include "TextFile.h"

using namespace kestravo;
using namespace kestravo::test;

namespace {

const KestravoProfile& product()
{
    return KestravoProfile::instance();
}

// Main A, sub A1, sub A2, sub-sub A2a, main B, sub B1.
void buildSixItems(kzt::TkztAppletAgent& agent)
{
    kzt::TreeNode* a = addItem(agent, nullptr, "A", "a.html");
    addItem(agent, a, "A1", "a1.html");
    kzt::TreeNode* a2 = addItem(agent, a, "A2", "a2.html", "_top");
    addItem(agent, a2, "A2a", "a2a.html", "_blank");
    kzt::TreeNode* b = addItem(agent, nullptr, "B", "b.html");
    addItem(agent, b, "B1", "", "_parent");
}

std::string selectLine(const std::string& page)
{
    for (std::string_view line : kzt::TextFile::splitLines(page)) {
        if (line.rfind("<SELECT", 0) == 0)
            return std::string(line);
    }
    return {};
}

kzt::TAppletData menuWithRoots(const std::string& local, const std::string& remote, const std::string& direction)
{
    kzt::TAppletData menu = product().defaultAppletData();
    menu.set(pInternalUse_RootDir_Local, local);
    menu.set(pInternalUse_RootDir_Remote, remote);
    menu.set(pInternalUse_RootDir_Local_Checked, direction);
    return menu;
}

} // namespace

TEST(KestravoStyleSheet, defaults_matchGoldenFile)
{
    const std::string css = KestravoPage::styleSheet(product().defaultAppletData());
    EXPECT_EQ(css, golden("default_style_sheet.css"));
    const auto lines = kzt::TextFile::splitLines(css);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], ".brevanekstrv{font-size:10px;font-family:Verdana, Arial, Helvetica, sans-serif;"
                        "color:#001F5B;background-color:#F2F5FF;font-weight:normal;font-style:normal;}");
    EXPECT_EQ(lines[2], ".brevanekstrvmain{color:#FFFFFF;background-color:#8099CA;}");
}

TEST(KestravoStyleSheet, onlyExactlyOneSwitchesBoldAndItalicOn)
{
    kzt::TAppletData menu = product().defaultAppletData();
    menu.set(pMenuFontWeight, "1");
    menu.set(pMenuFontStyle, "1");
    std::string first(kzt::TextFile::splitLines(KestravoPage::styleSheet(menu))[0]);
    EXPECT_NE(first.find(";font-weight:bold;font-style:italic;}"), std::string::npos) << first;
    menu.set(pMenuFontWeight, "1 ");
    menu.set(pMenuFontStyle, "true");
    first = std::string(kzt::TextFile::splitLines(KestravoPage::styleSheet(menu))[0]);
    EXPECT_NE(first.find(";font-weight:normal;font-style:normal;}"), std::string::npos) << first;
}

TEST(KestravoPage, documentWithoutItems_isTheSkeletonOnly_andStillWritesTheStyleSheet)
{
    TempDir dir;
    kzt::TkztAppletAgent agent(product(), dir.appPaths());
    ASSERT_TRUE(agent.BuildHTMLFile(dir / "empty.html"));
    EXPECT_EQ(readFile(dir / "empty.html"), golden("empty_page.html"));
    EXPECT_EQ(readFile(dir / "user" / "brevanekvrst.css"), golden("default_style_sheet.css"));
}

TEST(KestravoPage, mainAndSubItems_getAlternatingClassesAndIndentation)
{
    TempDir dir;
    kzt::TkztAppletAgent agent(product(), dir.appPaths());
    buildSixItems(agent);
    const std::string page = agent.BuildHTMLText();
    EXPECT_EQ(page, golden("six_items_page.html"));

    // The same sequence read off the select line, option by option.
    const std::string line = selectLine(page);
    const std::vector<std::pair<std::string, std::string>> expected{
        {"brevanekstrvmain", "A"},         {"brevanekstrvsub1", "&nbsp;&nbsp;&nbsp;&nbsp;A1"},
        {"brevanekstrvsub2", "&nbsp;&nbsp;&nbsp;&nbsp;A2"},
        {"brevanekstrvsub1", "&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;A2a"},
        {"brevanekstrvmain", "B"},         {"brevanekstrvsub1", "&nbsp;&nbsp;&nbsp;&nbsp;B1"}};
    std::size_t at = line.find("</OPTION>") + 9; // past the tip option
    for (const auto& [itemClass, text] : expected) {
        const std::size_t open = line.find("<OPTION class=", at);
        ASSERT_NE(open, std::string::npos);
        const std::size_t close = line.find("</OPTION>", open);
        const std::string option = line.substr(open, close - open);
        EXPECT_EQ(option.substr(14, itemClass.size() + 1), itemClass + " ");
        EXPECT_EQ(option.substr(option.find("\">") + 2), text);
        at = close;
    }
}

TEST(KestravoPage, levelsComeFromTheTree_notFromStaleRecords)
{
    TempDir dir;
    kzt::TkztAppletAgent agent(product(), dir.appPaths());
    buildSixItems(agent);
    for (kzt::TItemData& item : agent.Items)
        item.set(Level, "");
    EXPECT_EQ(agent.BuildHTMLText(), golden("six_items_page.html"));
    EXPECT_TRUE(treeMatchesItems(agent));
}

TEST(KestravoPage, selectElementStaysOnOneLine_withManyItems)
{
    TempDir dir;
    kzt::TkztAppletAgent agent(product(), dir.appPaths());
    kzt::TreeNode* parent = nullptr;
    for (int i = 0; i < 2000; ++i) {
        kzt::TreeNode* node = addItem(agent, i % 7 == 0 ? nullptr : parent, "Item " + std::to_string(i));
        if (i % 3 == 0)
            parent = node;
    }
    const std::string page = agent.BuildHTMLText();
    const auto lines = kzt::TextFile::splitLines(page);
    std::size_t selectLines = 0;
    for (std::string_view line : lines) {
        if (line.find("<OPTION") != std::string_view::npos) {
            ++selectLines;
            EXPECT_EQ(line.rfind("<SELECT name=brevanekstrvselect class=brevanekstrv style=\"width:200px\" ", 0),
                      0u);
            EXPECT_TRUE(line.ends_with("</SELECT>"));
        }
    }
    EXPECT_EQ(selectLines, 1u);
    const std::string line = selectLine(page);
    std::size_t options = 0;
    for (std::size_t at = 0; (at = line.find("<OPTION ", at)) != std::string::npos; ++at)
        ++options;
    EXPECT_EQ(options, 2001u);
    EXPECT_EQ(lines[lines.size() - 1], "</HTML>");
}

TEST(KestravoPage, authorTextIsText_aLessThanSignIsEncodedAndEntitiesStay)
{
    TempDir dir;
    kzt::TkztAppletAgent agent(product(), dir.appPaths());
    agent.AppletData.set(pTipMessage, "Pick <one> & go <!-- &eacute;");
    addItem(agent, nullptr, "Fish & <b>Chips</b>", "a.html?x=\"1\"&y=2", "my\"frame");
    addItem(agent, nullptr, "<img src=x onerror=alert(1)></script><script>alert(2)</script>", "b.html");
    addItem(agent, nullptr, "Caf\xC3\xA9 &amp; <!--", "c.html");
    const std::string page = agent.BuildHTMLText();
    const std::string line = selectLine(page);
    EXPECT_NE(line.find("selected>Pick &lt;one> & go &lt;!-- &eacute;</OPTION>"), std::string::npos) << line;
    EXPECT_NE(line.find("<OPTION class=brevanekstrvmain value=\"a.html?x=&quot;1&quot;&y=2\" "
                        "target=\"my&quot;frame\">Fish & &lt;b>Chips&lt;/b></OPTION>"),
              std::string::npos)
        << line;
    EXPECT_NE(line.find(">&lt;img src=x onerror=alert(1)>&lt;/script>&lt;script>alert(2)&lt;/script></OPTION>"),
              std::string::npos)
        << line;
    EXPECT_NE(line.find(">Caf\xC3\xA9 &amp; &lt;!--</OPTION>"), std::string::npos) << line;
    // No markup of the author's is left: every tag on the line is one of ours.
    for (std::size_t at = 0; (at = line.find('<', at)) != std::string::npos; ++at) {
        const std::string_view rest = std::string_view(line).substr(at);
        EXPECT_TRUE(rest.starts_with("<SELECT ") || rest.starts_with("<OPTION ") || rest.starts_with("</OPTION>")
                    || rest.starts_with("</SELECT>"))
            << rest.substr(0, 20);
    }
    EXPECT_EQ(page.find("<!-- &"), std::string::npos);
}

TEST(KestravoPathConversion, localToWebAndBack_ignoringLetterCase)
{
    const kzt::TAppletData upload = menuWithRoots("file:///C|/site/", "/web/", "0");
    EXPECT_EQ(KestravoPage::convertPath("FILE:///c|/site/a.html", upload), "/web/a.html");
    EXPECT_EQ(KestravoPage::convertPath("file:///C|/site/x/file:///c|/SITE/b.html", upload), "/web/x//web/b.html");
    EXPECT_EQ(KestravoPage::convertPath("/web/a.html", upload), "/web/a.html");

    const kzt::TAppletData local = menuWithRoots("file:///C|/site/", "/web/", "1");
    EXPECT_EQ(KestravoPage::convertPath("http://host/WEB/a.html", local), "http://hostfile:///C|/site/a.html");
    EXPECT_EQ(KestravoPage::convertPath("FILE:///c|/site/a.html", local), "FILE:///c|/site/a.html");

    // Anything but "1" is the upload direction.
    EXPECT_EQ(KestravoPage::convertPath("file:///C|/site/a.html", menuWithRoots("file:///C|/site/", "/web/", "")),
              "/web/a.html");
}

TEST(KestravoPathConversion, onlyOneRootSet_leavesLinksUnchanged)
{
    EXPECT_EQ(KestravoPage::convertPath("file:///C|/site/a.html", menuWithRoots("file:///C|/site/", "", "0")),
              "file:///C|/site/a.html");
    EXPECT_EQ(KestravoPage::convertPath("/web/a.html", menuWithRoots("", "/web/", "1")), "/web/a.html");
    EXPECT_EQ(KestravoPage::convertPath("/web/a.html", menuWithRoots("   ", "/web/", "1")), "/web/a.html");
}

TEST(KestravoPathConversion, rootsAreUsedUntrimmed)
{
    // A blank typed after a root is part of what is searched and inserted.
    const kzt::TAppletData menu = menuWithRoots("C:/site ", "/web", "0");
    EXPECT_EQ(KestravoPage::convertPath("C:/site/a.html", menu), "C:/site/a.html");
    EXPECT_EQ(KestravoPage::convertPath("c:/SITE x.html", menu), "/webx.html");
    const kzt::TAppletData back = menuWithRoots("C:/site ", "/web", "1");
    EXPECT_EQ(KestravoPage::convertPath("/web/a.html", back), "C:/site /a.html");
}

TEST(KestravoPathConversion, appliesToThePageButNotToTheRecords)
{
    TempDir dir;
    kzt::TkztAppletAgent agent(product(), dir.appPaths());
    agent.AppletData = menuWithRoots("file:///C|/site/", "/web/", "0");
    addItem(agent, nullptr, "A", "FILE:///c|/site/a.html");
    EXPECT_NE(selectLine(agent.BuildHTMLText()).find("value=\"/web/a.html\""), std::string::npos);
    EXPECT_EQ(agent.Items[0].get(pURL), "FILE:///c|/site/a.html");
}

TEST(KestravoPathConversion, replacingIgnoringCase_matchesAPositionByPositionSearch)
{
    const auto model = [](std::string_view text, std::string_view from, std::string_view to) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        std::string out;
        for (std::size_t i = 0; i < text.size();) {
            bool same = !from.empty() && i + from.size() <= text.size();
            for (std::size_t k = 0; same && k < from.size(); ++k)
                same = lower(text[i + k]) == lower(from[k]);
            if (same) {
                out += to;
                i += from.size();
            } else {
                out += text[i++];
            }
        }
        return out;
    };
    std::mt19937 random(9);
    const char alphabet[] = {'a', 'A', 'b', 'B', '/'};
    const auto randomText = [&](std::size_t size) {
        std::string text(size, ' ');
        for (char& c : text)
            c = alphabet[random() % sizeof alphabet];
        return text;
    };
    for (int round = 0; round < 20000; ++round) {
        const std::string text = randomText(random() % 16);
        const std::string from = randomText(random() % 4);
        ASSERT_EQ(KestravoPage::replaceIgnoringCase(text, from, "<X>"), model(text, from, "<X>")) << text << ' ' << from;
    }
}
