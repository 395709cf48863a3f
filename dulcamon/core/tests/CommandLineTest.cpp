#include "KztTestSupport.h"

#include <filesystem>

namespace fs = std::filesystem;
using namespace kzt::testsupport;

namespace {

// Runs the program the way an author's script would, in an empty working
// folder, with its own home folders.
class DulcamonCommandLine : public ::testing::Test
{
protected:
    TempFolder m_folder;
    const fs::path m_root = m_folder.path();

    void SetUp() override
    {
        for (const char* sub : {"work", "home", "share", "project"})
            fs::create_directories(m_root / sub);
        writeFile(m_root / "share" / "dulcamon10.js", "// runtime\n");
    }

    ProgramRun run(const std::vector<std::string>& args)
    {
        return runProgram("dulcamon", args, m_root / "work",
                          {{"HOME", (m_root / "home").string()},
                           {"XDG_DATA_HOME", (m_root / "home" / "data").string()},
                           {"XDG_CONFIG_HOME", (m_root / "home" / "config").string()},
                           {"DULCAMON_SHARE_DIR", (m_root / "share").string()}},
                          m_root);
    }
    fs::path fixture(const std::string& name) { return fs::path(KZT_TEST_DATA_DIR) / name; }
};

} // namespace

TEST_F(DulcamonCommandLine, helpVersionAndBadUsage)
{
    ProgramRun help = run({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("--publish PROJECT [--to DIR]"), std::string::npos);
    ProgramRun version = run({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, "Dulcamon 1.0\n");
    EXPECT_EQ(run({"--frobnicate"}).exitCode, 2);
    EXPECT_EQ(run({"--build-html"}).exitCode, 2);
    EXPECT_EQ(run({"--publish", "a.dlcg", "--to"}).exitCode, 2);
    EXPECT_EQ(run({"--report", "a.dlcg", "b.dlcg"}).exitCode, 2);
}

TEST_F(DulcamonCommandLine, buildHtmlAndReport_printExactlyWhatSaveWrites)
{
    const fs::path project = m_root / "project" / "menu.dlcg";
    fs::copy_file(fixture("default_item_with_child.dlcg"), project);
    ProgramRun page = run({"--build-html", project.string()});
    EXPECT_EQ(page.exitCode, 0) << page.err;
    EXPECT_EQ(page.out, readFile(fixture("default_item_with_child.html")));

    ProgramRun report = run({"--report", project.string()});
    EXPECT_EQ(report.exitCode, 0);
    EXPECT_NE(report.out.find("  dulcamon10.js\r\n"), std::string::npos);
    EXPECT_EQ(filesIn(m_root / "project"), std::vector<std::string>{"menu.dlcg"});
}

TEST_F(DulcamonCommandLine, foreignOrMissingProject_failsWithTheProgramsMessage)
{
    const fs::path foreign = m_root / "project" / "other.dlcg";
    std::string text = readFile(fixture("default_item_with_child.dlcg"));
    text.replace(text.find("\r\nDulcamon\r\n"), 12, "\r\nSomething\r\n");
    writeFile(foreign, text);
    ProgramRun refused = run({"--publish", foreign.string()});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.err, "This file wasn't saved by Dulcamon 1.0, open failed!\n");
    EXPECT_EQ(filesIn(m_root / "project"), std::vector<std::string>{"other.dlcg"});

    ProgramRun missing = run({"--build-html", (m_root / "nothing.dlcg").string()});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("nothing.dlcg"), std::string::npos);
}

TEST_F(DulcamonCommandLine, publishToAnotherFolder_copiesEachImageOnceAndTouchesNothingElse)
{
    std::string text = readFile(fixture("default_item_with_child.dlcg"));
    // Both items use the same normal image; the child has its own mouse-over image.
    text.replace(text.find("#$@20#$@#$@#$@408080"), 20, "#$@20#$@a b.gif#$@#$@408080");
    text.replace(text.find("#$@20#$@#$@#$@408080"), 20, "#$@20#$@a b.gif#$@over.gif#$@408080");
    const fs::path project = m_root / "project" / "site menu.dlcg";
    writeFile(project, text);
    writeFile(m_root / "project" / "a b.gif", "GIF89a");
    writeFile(m_root / "project" / "over.gif", "GIF89a-over");

    ProgramRun publish = run({"--publish", project.string(), "--to", (m_root / "out").string()});
    ASSERT_EQ(publish.exitCode, 0) << publish.err;
    EXPECT_EQ(filesIn(m_root / "out"), (std::vector<std::string>{"a b.gif", "dulcamon10.js", "over.gif",
                                                                  "site menu.dlcg", "site menu.html",
                                                                  "site menu_PublishReport.txt"}));
    EXPECT_EQ(readFile(m_root / "out" / "over.gif"), "GIF89a-over");
    EXPECT_EQ(readFile(m_root / "out" / "site menu.dlcg"), text);
    const std::string report = readFile(m_root / "out" / "site menu_PublishReport.txt");
    EXPECT_NE(report.find("in!\r\n  a b.gif\r\n  over.gif\r\n\r\n"), std::string::npos);

    // Nothing in the working folder, no recent-files list, no preview folder.
    EXPECT_TRUE(filesIn(m_root / "work").empty());
    EXPECT_FALSE(fs::exists(m_root / "home" / "data" / "dulcamon" / "recentfile.dat"));
    EXPECT_FALSE(fs::exists(m_root / "home" / "data" / "dulcamon" / "preview"));

    // Publishing in place rewrites the same files.
    ProgramRun inPlace = run({"--publish", project.string()});
    ASSERT_EQ(inPlace.exitCode, 0) << inPlace.err;
    EXPECT_EQ(filesIn(m_root / "project").size(), 6u);
}

TEST_F(DulcamonCommandLine, noUsableTemporaryFolder_failsInsteadOfStagingIntoTheWorkingFolder)
{
    std::string text = readFile(fixture("default_item_with_child.dlcg"));
    text.replace(text.find("#$@20#$@#$@#$@408080"), 20, "#$@20#$@a.gif#$@#$@408080");
    const fs::path project = m_root / "project" / "menu.dlcg";
    writeFile(project, text);
    writeFile(m_root / "project" / "a.gif", "GIF89a");

    const fs::path missing = m_root / "no such folder";
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--build-html", project.string()},
          std::vector<std::string>{"--publish", project.string(), "--to", (m_root / "out").string()}}) {
        const ProgramRun job = runProgram("dulcamon", args, m_root / "work",
                                          {{"HOME", (m_root / "home").string()},
                                           {"XDG_DATA_HOME", (m_root / "home" / "data").string()},
                                           {"DULCAMON_SHARE_DIR", (m_root / "share").string()},
                                           {"TMPDIR", missing.string()}},
                                          m_root);
        EXPECT_EQ(job.exitCode, 1) << args[0];
        EXPECT_EQ(job.err, "dulcamon: Cannot create a temporary folder in \"" + missing.string()
                               + "\": No such file or directory. Set TMPDIR to a writable folder.\n");
        EXPECT_TRUE(job.out.empty());
        EXPECT_TRUE(filesIn(m_root / "work").empty()) << args[0];
    }
    EXPECT_FALSE(fs::exists(m_root / "out"));
    EXPECT_EQ(filesIn(m_root / "project"), (std::vector<std::string>{"a.gif", "menu.dlcg"}));
}
