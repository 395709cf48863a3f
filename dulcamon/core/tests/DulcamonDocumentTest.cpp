#include "KztTestSupport.h"

#include "AppletAgent.h"
#include "AppletUtility.h"
#include "dulcamon/core/DulcamonPage.h"
#include "dulcamon/core/DulcamonProfile.h"
#include "TextFile.h"

#include <filesystem>
#include <random>

using namespace dulcamon;
using kzt::testsupport::readFile;
namespace fs = std::filesystem;

namespace {

fs::path data(const std::string& name)
{
    return fs::path(KZT_TEST_DATA_DIR) / name;
}

class DulcamonDocument : public ::testing::Test
{
protected:
    kzt::testsupport::TempFolder m_temp;
    const fs::path m_folder = m_temp.path();
    kzt::TkztAppletAgent m_agent{DulcamonProfile::instance(), m_temp.appPaths()};

    kzt::TkztAppletAgent& agent() { return m_agent; }
    // Lines of a file without their CR LF.
    std::vector<std::string> lines(const fs::path& path)
    {
        std::vector<std::string> out;
        const std::string text = readFile(path);
        for (std::string_view line : kzt::TextFile::splitLines(text))
            out.emplace_back(line);
        return out;
    }
};

const char* const kDefaultParameters = "dulcam10#$@#$@0#$@0#$@0#$@0#$@0#$@0#$@0#$@1000#$@2#$@"
                                       "arial,helvetica,times new roman#$@12#$@0#$@0#$@2#$@FDDE73#$@40#$@15#$@1#$@5#$@"
                                       "1#$@#$@";

} // namespace

TEST_F(DulcamonDocument, newDocument_savesTheDefaultParameterLine)
{
    ASSERT_TRUE(agent().WriteProjectFile(m_folder / "new.dlcg").ok());
    auto file = lines(m_folder / "new.dlcg");
    ASSERT_EQ(file.size(), 15u);
    EXPECT_EQ(file[1], "Note: This file be created and maintained by Dulcamon 1.0.");
    EXPECT_EQ(file[11], kDefaultParameters);

    // Once the menu panel has been committed the reserved field is empty.
    agent().AppletData.set(Reserved, "");
    ASSERT_TRUE(agent().WriteProjectFile(m_folder / "new.dlcg").ok());
    EXPECT_EQ(lines(m_folder / "new.dlcg")[11],
              "dulcam10#$@#$@0#$@0#$@0#$@0#$@0#$@#$@0#$@1000#$@2#$@arial,helvetica,times new roman#$@12#$@0#$@0#$@"
              "2#$@FDDE73#$@40#$@15#$@1#$@5#$@1#$@#$@");
}

TEST_F(DulcamonDocument, defaultItemWithChild_givesTheExactPageAndProject)
{
    agent().AppletData.set(Reserved, "");
    kzt::TreeNode* first = agent().InsertItem(agent().tree().root());
    agent().InsertItem(first);
    EXPECT_EQ(agent().Items[1].get(Level), "1");

    ASSERT_TRUE(agent().SaveProject(m_folder, "menu.dlcg").ok());
    EXPECT_EQ(readFile(m_folder / "menu.html"), readFile(data("default_item_with_child.html")));
    EXPECT_EQ(readFile(m_folder / "menu.dlcg"), readFile(data("default_item_with_child.dlcg")));
    EXPECT_EQ(lines(m_folder / "menu.dlcg")[14],
              "i0#$@#$@Item#$@#$@_self#$@80#$@20#$@#$@#$@408080#$@83C0C0#$@00FF00#$@008040#$@#$@0#$@");
}

TEST_F(DulcamonDocument, pageEdgeCases)
{
    // No items: the constructor is followed directly by the final call.
    auto page = kzt::TextFile::splitLines(agent().BuildHTMLText());
    ASSERT_EQ(page.size(), 15u);
    EXPECT_EQ(page[8], "dulcam10.qeLvORpin();");

    // The reserved field is never emitted; an empty colour is a lone "#".
    agent().AppletData.set(Reserved, "77");
    agent().AppletData.set(ItemBorderColor, "");
    const std::string text = agent().BuildHTMLText();
    EXPECT_NE(text.find(",0,0,0,0,0,0,0,1000,2,"), std::string::npos);
    EXPECT_NE(text.find(",2,\"#\",40,"), std::string::npos);
}

TEST_F(DulcamonDocument, quotesBackslashesAndScriptEnds_cannotBreakThePage)
{
    kzt::TreeNode* node = agent().InsertItem(agent().tree().root());
    agent().SetCaption(agent().ItemIndexOf(node), "Say \"hi\" C:\\x </script><b>&amp;");
    agent().Items[0].set(Description, "caf\xC3\xA9 \xE9 '<'");
    const std::string text = agent().BuildHTMLText();
    EXPECT_NE(text.find("\"i0\",\"\",\"Say \\\"hi\\\" C:\\\\x <\\/script><b>&amp;\","), std::string::npos) << text;
    EXPECT_NE(text.find("\"caf\xC3\xA9 \xE9 '<'\");"), std::string::npos);
    EXPECT_EQ(text.find("</script><b>"), std::string::npos);
}

TEST_F(DulcamonDocument, commentOpenersInAnyStringCannotHideTheScript)
{
    kzt::TreeNode* node = agent().InsertItem(agent().tree().root());
    agent().SetCaption(agent().ItemIndexOf(node), "<!--<script>");
    agent().Items[0].set(Url, "a.html#<!--");
    agent().Items[0].set(Description, "<!-- <! -- <!- <!--- <");
    agent().AppletData.set(Filter, "<!--");
    const std::string text = agent().BuildHTMLText();
    EXPECT_NE(text.find("\"i0\",\"\",\"<\\!--<script>\",\"a.html#<\\!--\","), std::string::npos) << text;
    EXPECT_NE(text.find(",\"<\\!-- <! -- <!- <\\!--- <\");"), std::string::npos) << text;
    EXPECT_NE(text.find(",\"<\\!--\");"), std::string::npos) << text;
    // Between the script tags only our own comment markers may remain: none.
    const std::size_t from = text.find("<script type='text/javascript'>");
    const std::size_t to = text.find("</script>", from);
    ASSERT_NE(to, std::string::npos);
    EXPECT_EQ(text.substr(from, to - from).find("<!--"), std::string::npos) << text;
}

TEST_F(DulcamonDocument, moving_renumbersIdentifiersByPosition)
{
    kzt::TreeNode* a = agent().InsertItem(agent().tree().root());
    agent().SetCaption(0, "A");
    kzt::TreeNode* b = agent().InsertItem(agent().tree().root());
    agent().SetCaption(1, "B");
    agent().InsertItem(b);
    agent().SetCaption(2, "B1");
    (void)a;
    ASSERT_TRUE(agent().MoveItemUp(b));
    const std::string text = agent().BuildHTMLText();
    EXPECT_NE(text.find("qeLvorpiN(\"i0\",\"\",\"B\""), std::string::npos);
    EXPECT_NE(text.find("qeLvorpiN(\"i1\",\"i0\",\"B1\""), std::string::npos);
    EXPECT_NE(text.find("qeLvorpiN(\"i2\",\"\",\"A\""), std::string::npos);
}

TEST_F(DulcamonDocument, report_listsNormalThenMouseOverImagesOnce)
{
    for (int i = 0; i < 3; ++i)
        agent().InsertItem(agent().tree().root());
    agent().Items[0].set(NormalBgImage, "n.gif");
    agent().Items[0].set(OverBgImage, "n.gif");
    agent().Items[1].set(NormalBgImage, "m.gif");
    agent().Items[1].set(OverBgImage, "o.gif");
    agent().Items[2].set(OverBgImage, "m.gif");
    const std::string report = agent().PublishReportText();
    EXPECT_NE(report.find("[Javascript menu script file(s)]:\r\n  dulcamon10.js\r\n\r\n"
                          "[Image File(s)]: They should be copied to the same directory the script file in!\r\n"
                          "  n.gif\r\n  m.gif\r\n  o.gif\r\n\r\n\r\n====="),
              std::string::npos)
        << report;
    EXPECT_EQ(report.find("This message contain the information about how to publish the Javascript menu. "
                          "Please read it carefully!\r\n"),
              79u);
}

namespace {

// The quoting rules written out one byte at a time, as a model to compare with.
std::string quotedByteByByte(std::string_view value)
{
    std::string out = "\"";
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
        if (c == '<' && (value.substr(i + 1, 1) == "/" || value.substr(i + 1, 3) == "!--"))
            out += '\\';
    }
    return out + "\"";
}

} // namespace

TEST(DulcamonQuoting, anyMixOfQuotesBackslashesAndTagStarts_isQuotedByTheRules)
{
    std::mt19937 random(3);
    const char alphabet[] = {'"', '\\', '<', '/', '!', '-', 'a'};
    for (int round = 0; round < 20000; ++round) {
        std::string value(random() % 24, ' ');
        for (char& c : value)
            c = alphabet[random() % sizeof alphabet];
        std::string out = "x";
        DulcamonPage::appendQuoted(out, value);
        ASSERT_EQ(out, "x" + quotedByteByByte(value)) << value;
    }
}
