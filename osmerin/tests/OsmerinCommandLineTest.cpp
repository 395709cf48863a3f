#include "OsmerinTestSupport.h"

#include "ProjectFileFormat.h"

#include <set>

using namespace osmerin;
using namespace osmerin::test;

namespace fs = std::filesystem;

namespace {

// Runs the built program as a script would: in its own working folder, with
// its per-user folders and a share folder of stand-ins inside the test's
// temporary folder.
class Program
{
public:
    Program()
    {
        fs::create_directories(m_dir / "work");
        m_dir.appPaths();
    }

    kzt::testsupport::ProgramRun run(const std::vector<std::string>& args)
    {
        return kzt::testsupport::runProgram("osmerin", args, m_dir / "work",
                                            {{"XDG_DATA_HOME", (m_dir / "data").string()},
                                             {"XDG_CONFIG_HOME", (m_dir / "config").string()},
                                             {"OSMERIN_SHARE_DIR", (m_dir / "share").string()},
                                             {"TMPDIR", m_dir.path().string()}},
                                            m_dir.path());
    }

    fs::path operator/(const std::string& name) const { return m_dir / name; }
    bool workFolderEmpty() const { return filesIn(m_dir / "work").empty(); }

private:
    TempDir m_dir;
};

// A project with an image item and a text-file item whose files lie beside it.
std::string writeNewsProject(const fs::path& folder)
{
    TempDir scratch;
    kzt::TkztAppletAgent agent(product(), scratch.appPaths());
    std::size_t i = addItem(agent, "Photo");
    agent.Items[i].set(ItemContentType, "1");
    agent.Items[i].set(ItemImageFilename, "photo.gif");
    agent.Items[i].set(ItemTextFilename, "old.txt");
    i = addItem(agent, "Words");
    agent.Items[i].set(ItemText, JoinItemText({"Two", "lines"}));
    i = addItem(agent, "Story");
    agent.Items[i].set(ItemContentType, "2");
    agent.Items[i].set(ItemTextFilename, "story.txt");
    product().refreshDerivedFields(agent);
    fs::create_directories(folder);
    EXPECT_TRUE(agent.WriteProjectFile(folder / "news.osn").ok());
    writeFile(folder / "photo.gif", "GIF89a stand-in");
    writeFile(folder / "story.txt", "A story\r\n");
    writeFile(folder / "old.txt", "Old text\r\n");
    return agent.BuildHTMLText();
}

} // namespace

TEST(OsmerinCommandLine, versionHelpAndUsage)
{
    Program program;
    kzt::testsupport::ProgramRun r = program.run({"--version"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "Osmerin 1.0\n");
    r = program.run({"--help"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_NE(r.out.find("osmerin --publish PROJECT [--to DIR]"), std::string::npos);
    EXPECT_NE(r.out.find("[PROJECT.osn]"), std::string::npos);
    EXPECT_EQ(program.run({"--report"}).exitCode, 2);
    EXPECT_EQ(program.run({"--publish", "a.osn", "--to"}).exitCode, 2);
    r = program.run({"--frobnicate"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "osmerin: unknown option --frobnicate\nTry 'osmerin --help'.\n");
    EXPECT_TRUE(program.workFolderEmpty());
}

TEST(OsmerinCommandLine, buildHtmlAndReport_printAndWriteNothing)
{
    Program program;
    const std::string page = writeNewsProject(program / "project");
    const std::string project = (program / "project" / "news.osn").string();
    kzt::testsupport::ProgramRun r = program.run({"--build-html", project});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, page);
    r = program.run({"--report", project});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("File(s)]: They should be copied to the same directory the applet class file in!\r\n"
                         "  photo.gif\r\n\r\n"),
              std::string::npos);
    EXPECT_NE(r.out.find("  story.txt\r\n\r\n====="), std::string::npos);
    EXPECT_EQ(filesIn(program / "project"), (std::vector<std::string>{"news.osn", "old.txt", "photo.gif", "story.txt"}));
    EXPECT_FALSE(fs::exists(program / "data"));
    EXPECT_TRUE(program.workFolderEmpty());
}

TEST(OsmerinCommandLine, publish_savesIntoTheFolderLikeTheWindowWould)
{
    Program program;
    const std::string page = writeNewsProject(program / "project");
    const std::string project = (program / "project" / "news.osn").string();
    const std::string before = readFile(project);
    const kzt::testsupport::ProgramRun r = program.run({"--publish", project, "--to", (program / "site").string()});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(filesIn(program / "site"),
              (std::vector<std::string>{"b.class", "news.html", "news.osn", "news_PublishReport.txt", "old.txt",
                                        "osmeral.class", "osmeral.jar", "photo.gif", "story.txt"}));
    EXPECT_EQ(readFile(program / "site" / "news.html"), page);
    EXPECT_EQ(readFile(program / "site" / "news.osn"), before);
    EXPECT_EQ(readFile(program / "site" / "photo.gif"), "GIF89a stand-in");
    EXPECT_EQ(readFile(program / "site" / "b.class"), "stand-in b.class");
    EXPECT_TRUE(program.workFolderEmpty());

    // In place: the project is rewritten with the same bytes.
    ASSERT_EQ(program.run({"--publish", project}).exitCode, 0);
    EXPECT_EQ(readFile(project), before);
    EXPECT_TRUE(fs::exists(program / "project" / "news_PublishReport.txt"));
}

TEST(OsmerinCommandLine, damagedProject_exitsOneWithItsMessageAndWritesNothing)
{
    Program program;
    writeNewsProject(program / "project");
    const fs::path project = program / "project" / "news.osn";
    std::string contents = readFile(project);
    const std::string count = "--------------- Item Parameter Description Start ---------------\r\n3\r\n";
    contents.replace(contents.find(count), count.size(),
                     "--------------- Item Parameter Description Start ---------------\r\n4\r\n");
    writeFile(project, contents);
    for (const char* option : {"--build-html", "--report", "--publish"}) {
        const kzt::testsupport::ProgramRun r = program.run({option, project.string()});
        EXPECT_EQ(r.exitCode, 1) << option;
        EXPECT_EQ(r.out, "") << option;
        EXPECT_EQ(r.err, "This file is damaged: it counts 4 items but its structure holds 3, open failed!\n") << option;
    }
    EXPECT_EQ(readFile(project), contents);
    EXPECT_EQ(filesIn(program / "project"), (std::vector<std::string>{"news.osn", "old.txt", "photo.gif", "story.txt"}));
    const kzt::testsupport::ProgramRun r = program.run({"--report", (program / "missing.osn").string()});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("missing.osn"), std::string::npos);
    EXPECT_TRUE(program.workFolderEmpty());
}

TEST(OsmerinShipped, templatesOpenWholeAndTheSampleWasBuilt)
{
    const fs::path share = fs::path(KZT_BINARY_DIR) / "share" / "osmerin";
    std::set<std::string> kinds;
    std::size_t templates = 0;
    TempDir dir;
    for (const std::string& name : filesIn(share / "templates")) {
        if (!name.ends_with(".osn"))
            continue;
        ++templates;
        const fs::path path = share / "templates" / name;
        kzt::TkztAppletAgent agent(product(), dir.appPaths());
        ASSERT_TRUE(agent.ReadProjectFile(path).ok()) << name;
        EXPECT_TRUE(listMatchesTree(agent)) << name;
        EXPECT_FALSE(agent.Items.empty()) << name;
        // Frames and scroll buttons shown, and the files as Save would write them.
        EXPECT_NE(agent.AppletData.get(AppletBorderStyle), "0") << name;
        EXPECT_EQ(agent.AppletData.get(ShowScrollBtnFlag), "1") << name;
        std::string rendered;
        ASSERT_TRUE(product().projectFormat().render(agent, rendered).ok());
        EXPECT_EQ(rendered, readFile(path)) << name;
        const std::string page = agent.BuildHTMLText();
        EXPECT_EQ(rendered, readFile(path)) << name << ": derived fields were stale";
        for (const kzt::TItemData& item : agent.Items) {
            kinds.emplace(item.get(ItemContentType));
            for (std::size_t field : {ItemImageFilename, ItemTextFilename}) {
                if (!item.get(field).empty()) {
                    EXPECT_TRUE(fs::is_regular_file(share / "templates" / item.get(field)))
                        << name << ": " << item.get(field);
                }
            }
        }
        EXPECT_NE(page.find("<param name=\"0\""), std::string::npos);
    }
    EXPECT_GE(templates, 4u);
    EXPECT_EQ(kinds, (std::set<std::string>{"0", "1", "2"}));

    const std::string sample = readFile(share / "samples" / "index.html");
    ASSERT_FALSE(sample.empty());
    // A whole page of its own: document type, encoding and viewport before the program's page.
    EXPECT_EQ(sample.rfind("<!DOCTYPE html>\r\n<HTML>\r\n<meta charset=\"utf-8\">\r\n"
                           "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\r\n"
                           "<applet code=\"osmeral.class\"",
                           0),
              0u);
    EXPECT_TRUE(fs::exists(share / "samples" / "sunrise.gif"));
    EXPECT_TRUE(fs::exists(share / "samples" / "weather.txt"));
    // The sample loads the browser script runtime, so View Sample shows a working news box.
    EXPECT_NE(sample.find("</applet>\r\n<script src=\"osmeral.js\"></script>\r\n</HTML>\r\n"), std::string::npos);
    EXPECT_TRUE(fs::exists(share / "samples" / "osmeral.js"));
    EXPECT_TRUE(fs::exists(share / "osmeral.js"));
    for (const char* runtime : {"osmeral.jar", "osmeral.class", "b.class"}) {
        EXPECT_FALSE(fs::exists(share / "samples" / runtime));
        EXPECT_FALSE(fs::exists(share / runtime));
    }
}

TEST(OsmerinCommandLine, scriptRuntime_onAddsOneLineTheScriptAndItsReportEntry_offLeavesAllAsBefore)
{
    Program program;
    const std::string page = writeNewsProject(program / "project");
    const std::string project = (program / "project" / "news.osn").string();
    writeFile(program / "share" / "osmeral.js", "/* news runtime */");

    kzt::testsupport::ProgramRun r = program.run({"--build-html", project, "--no-script-runtime"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, page);
    r = program.run({"--script-runtime", "--build-html", project});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    std::string expected = page;
    expected.insert(expected.find("</applet>\r\n") + 11, "<script src=\"osmeral.js\"></script>\r\n");
    EXPECT_EQ(r.out, expected);

    const std::string reportOff = program.run({"--report", project}).out;
    const std::string reportOn = program.run({"--report", project, "--script-runtime"}).out;
    EXPECT_EQ(reportOff.find("osmeral.js"), std::string::npos);
    std::string reportExpected = reportOff;
    reportExpected.insert(reportExpected.find("  b.class\r\n") + 11, "  osmeral.js\r\n");
    EXPECT_EQ(reportOn, reportExpected);

    ASSERT_EQ(program.run({"--publish", project, "--to", (program / "site").string(), "--script-runtime"}).exitCode, 0);
    EXPECT_EQ(filesIn(program / "site"),
              (std::vector<std::string>{"b.class", "news.html", "news.osn", "news_PublishReport.txt", "old.txt",
                                        "osmeral.class", "osmeral.jar", "osmeral.js", "photo.gif", "story.txt"}));
    EXPECT_EQ(readFile(program / "site" / "news.html"), expected);
    EXPECT_EQ(readFile(program / "site" / "osmeral.js"), "/* news runtime */");
    EXPECT_EQ(readFile(program / "site" / "news_PublishReport.txt"), reportOn);
    ASSERT_EQ(program.run({"--publish", project, "--to", (program / "plain").string()}).exitCode, 0);
    EXPECT_FALSE(fs::exists(program / "plain" / "osmeral.js"));
    EXPECT_EQ(readFile(program / "plain" / "news.html"), page);
    EXPECT_TRUE(program.workFolderEmpty());
}
