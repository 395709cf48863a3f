#include <gtest/gtest.h>

#include "AppletUtility.h"
#include "RecentFiles.h"
#include "TestProduct.h"

using namespace kzt;
using kzt::test::readFile;
using kzt::test::TestProduct;
using kzt::test::writeFile;
namespace fs = std::filesystem;

namespace {

class Publishing : public ::testing::Test
{
protected:
    TestProduct product;
    kzt::test::TempFolder folder;
    TkztAppletAgent agent{product, folder.appPaths()};

    void SetUp() override
    {
        fs::create_directories(agent.paths().shareDir);
        writeFile(agent.paths().shareDir / "runtime.js", "runtime");
    }
    void addItemWithImage(const std::string& image)
    {
        TreeNode* node = agent.InsertItem(agent.tree().root());
        agent.Items[agent.ItemIndexOf(node)].set(TestProduct::Image, image);
    }
    std::vector<std::string> filesIn(const fs::path& dir) const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

} // namespace

TEST_F(Publishing, report_listsRuntimeAndEachImageOnce)
{
    addItemWithImage("a.gif");
    addItemWithImage("");
    addItemWithImage("b.jpg");
    addItemWithImage("a.gif");
    const std::string rule(77, '=');
    EXPECT_EQ(agent.PublishReportText(),
              rule + "\r\nPurpose.\r\n"
                     "All necessary files be saved in the same directory the project file (*.tst) in. If you still not\r\n"
                     "save the current project, save it first! This message will aslo be saved in a text file along with\r\n"
                     "project file named \"ProjectName_PublishReport.txt\".\r\n"
                  + rule + "\r\n\r\n[Runtime]:\r\n  runtime.js\r\n\r\n[Images]:\r\n  a.gif\r\n  b.jpg\r\n\r\n\r\n" + rule
                  + "\r\nEnd of Publish Report\r\n" + rule + "\r\n");
}

TEST_F(Publishing, saveProject_writesEverythingBesideTheProject)
{
    addItemWithImage("a.gif");
    addItemWithImage("a.gif");
    addItemWithImage("missing.gif");
    const fs::path source = folder.path() / "src";
    fs::create_directories(source);
    writeFile(source / "a.gif", "GIF");
    agent.CopyImagesToPreview(source);

    const fs::path out = folder.path() / "out dir";
    fs::create_directories(out);
    ASSERT_TRUE(agent.SaveProject(out, "site.tst").ok());
    EXPECT_EQ(filesIn(out), (std::vector<std::string>{"a.gif", "runtime.js", "site.html", "site.tst",
                                                      "site_PublishReport.txt"}));
    EXPECT_EQ(readFile(out / "a.gif"), "GIF");
    EXPECT_EQ(readFile(out / "site.html"), "i0::Item\ni1::Item\ni2::Item\n");
    EXPECT_EQ(readFile(out / "site_PublishReport.txt"), agent.PublishReportText());
}

TEST_F(Publishing, namesThatAreNotBareFileNames_areNeverUsedAsPaths)
{
    const fs::path source = folder.path() / "src";
    fs::create_directories(source / "sub");
    writeFile(folder.path() / "secret.txt", "secret");
    writeFile(source / "sub" / "x.gif", "x");
    for (const char* name : {"../secret.txt", "sub/x.gif", "/etc/passwd", "..", ".", "C:x.gif", "sub\\x.gif"})
        addItemWithImage(name);
    agent.CopyImagesToPreview(source);
    EXPECT_FALSE(fs::exists(agent.paths().previewDir / "secret.txt"));
    EXPECT_FALSE(fs::exists(agent.paths().previewDir / "x.gif"));

    const fs::path out = folder.path() / "out";
    fs::create_directories(out);
    ASSERT_TRUE(agent.SaveProject(out, "p.tst").ok());
    EXPECT_EQ(filesIn(out).size(), 4u);
    // Still listed as typed, so the author sees them.
    EXPECT_NE(agent.PublishReportText().find("  ../secret.txt\r\n"), std::string::npos);

    agent.PreviewFiles.push_back("../secret.txt");
    agent.ClearPreview();
    EXPECT_TRUE(fs::exists(folder.path() / "secret.txt"));
}

TEST_F(Publishing, previewFolder_isStagedAndClearedButKeepsForeignFiles)
{
    addItemWithImage("a.gif");
    const fs::path source = folder.path() / "src";
    fs::create_directories(source);
    writeFile(source / "a.gif", "GIF");
    agent.CopyScriptsToPreview();
    agent.CopyImagesToPreview(source);
    ASSERT_TRUE(agent.WritePreviewPage(agent.BuildHTMLText()).ok());
    agent.CopyScriptsToPreview();
    EXPECT_EQ(agent.PreviewFiles,
              (TStringArray{"runtime.js", "a.gif", "~preview.html", "runtime.js"}));
    EXPECT_EQ(filesIn(agent.paths().previewDir), (std::vector<std::string>{"a.gif", "runtime.js", "~preview.html"}));
    agent.ClearPreview();
    EXPECT_TRUE(agent.PreviewFiles.empty());
    EXPECT_FALSE(fs::exists(agent.paths().previewDir));

    agent.CopyScriptsToPreview();
    writeFile(agent.paths().previewDir / "other.txt", "mine");
    agent.ClearPreview();
    EXPECT_EQ(filesIn(agent.paths().previewDir), (std::vector<std::string>{"other.txt"}));
}

TEST(RecentFilesList, keepsFourNewestAndIgnoresRepeats)
{
    kzt::test::TempFolder folder;
    const fs::path file = folder.path() / "user" / "recentfile.dat";
    RecentFiles recent(file);
    TStringArray captions;
    ASSERT_TRUE(recent.load(captions).ok());
    EXPECT_TRUE(captions.empty());
    EXPECT_TRUE(fs::exists(file));

    for (const char* path : {"/a/one.dlcg", "/b/two files.dlcg", "/c/three.dlcg", "/d/four.dlcg"})
        ASSERT_TRUE(recent.add(path).ok());
    ASSERT_TRUE(recent.add("/c/three.dlcg").ok()); // already listed: order unchanged
    ASSERT_TRUE(recent.add("").ok());
    ASSERT_TRUE(recent.load(captions).ok());
    EXPECT_EQ(captions, (TStringArray{"&1 /d/four.dlcg", "&2 /c/three.dlcg", "&3 /b/two files.dlcg", "&4 /a/one.dlcg"}));

    ASSERT_TRUE(recent.add("/e/five.dlcg").ok());
    ASSERT_TRUE(recent.load(captions).ok());
    EXPECT_EQ(captions.size(), 4u);
    EXPECT_EQ(captions.front(), "&1 /e/five.dlcg");
    EXPECT_EQ(captions.back(), "&4 /b/two files.dlcg");
    EXPECT_EQ(RecentFiles::pathOf(captions[2]), "/c/three.dlcg");
    EXPECT_EQ(readFile(file).substr(0, 17), "&1 /e/five.dlcg\r\n");
}

TEST(FieldHelpers, getFieldAndColoursFollowTheFileRules)
{
    EXPECT_EQ(GetField("a#$@b#$@c#$@", 2), "b");
    EXPECT_EQ(GetField("a#$@b#$@c", 3), "");
    EXPECT_EQ(GetField("a#$@", 5), "");
    EXPECT_EQ(GetField("#$@#$@x#$@", 3), "x");
    EXPECT_EQ(SplitFields("a|b|", 3, "|"), (TStringArray{"a", "b", ""}));
    EXPECT_EQ(JoinFields({"", "x"}), "#$@x#$@");

    EXPECT_EQ(ColorToHex(0xFD, 0xDE, 0x73), "FDDE73");
    EXPECT_EQ(HexToColor("fdde73"), (RgbColor{0xFD, 0xDE, 0x73}));
    EXPECT_FALSE(HexToColor("FDDE7").has_value());
    EXPECT_FALSE(HexToColor("#FDDE7").has_value());
    EXPECT_FALSE(HexToColor("GGGGGG").has_value());

    EXPECT_EQ(ParseDecimal("-12"), -12);
    EXPECT_FALSE(ParseDecimal("1.5").has_value());
    EXPECT_FALSE(ParseDecimal("-").has_value());
    EXPECT_FALSE(ParseDecimal("99999999999999999999999").has_value());
    EXPECT_EQ(BaseNameOf("menu.v2.dlcg"), "menu.v2");
    EXPECT_EQ(BaseNameOf("menu"), "menu");
}

TEST_F(Publishing, unstorableValue_stopsTheSaveBeforeAnyFileIsWritten)
{
    addItemWithImage("a#$@b.gif");
    const fs::path out = folder.path() / "out";
    fs::create_directories(out);
    const Status status = agent.SaveProject(out, "p.tst");
    EXPECT_FALSE(status.ok());
    EXPECT_NE(status.message().find("it is used by system!"), std::string::npos);
    EXPECT_TRUE(filesIn(out).empty());
}
