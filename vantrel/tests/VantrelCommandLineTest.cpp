#include "VantrelTestSupport.h"

using namespace vantrel;
using namespace vantrel::test;

namespace fs = std::filesystem;

namespace {

// Runs the built program as a script would, from an empty working folder,
// with its per-user folders and a share folder of the test's own.
class Program
{
public:
    Program()
    {
        fs::create_directories(m_dir / "work");
        fs::create_directories(m_dir / "share");
        fs::create_directories(m_dir / "tmp");
    }

    kzt::testsupport::ProgramRun run(const std::vector<std::string>& args)
    {
        return kzt::testsupport::runProgram("vantrel", args, m_dir / "work",
                                            {{"HOME", (m_dir / "home").string()},
                                             {"XDG_DATA_HOME", (m_dir / "data").string()},
                                             {"XDG_CONFIG_HOME", (m_dir / "config").string()},
                                             {"VANTREL_SHARE_DIR", (m_dir / "share").string()},
                                             {"TMPDIR", (m_dir / "tmp").string()}},
                                            m_dir.path());
    }

    fs::path operator/(const std::string& name) const { return m_dir / name; }

private:
    TempFolder m_dir;
};

std::string sampleProject()
{
    kzt::TkztAppletAgent agent(product(), kzt::AppPaths{});
    kzt::TreeNode* a = VantrelDocument::InsertItem(agent, nullptr);
    agent.SetCaption(0, "Home");
    agent.Items[0].set(IURL, "index.html");
    agent.Items[0].set(ItNoBgImg, "home.gif");
    VantrelDocument::InsertItem(agent, a);
    agent.SetCaption(1, "News");
    agent.Items[1].set(ItOvBgSnd, "tick.au");
    agent.AppletData.set(ApBgImg, "back.gif");
    product().refreshDerivedFields(agent);
    std::string text;
    EXPECT_TRUE(product().projectFormat().render(agent, text).ok());
    return text;
}

} // namespace

TEST(VantrelCommandLine, versionHelpAndUsage)
{
    Program program;
    kzt::testsupport::ProgramRun r = program.run({"--version"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "Vantrel 2.01\n");
    r = program.run({"--help"});
    EXPECT_EQ(r.exitCode, 0);
    // The editor opens without an option; the help says so.
    EXPECT_NE(r.out.find("Usage: vantrel [PROJECT.vtp]"), std::string::npos);
    EXPECT_NE(r.out.find("the editor opens"), std::string::npos);
    EXPECT_EQ(r.out.find("This build has no editor window yet"), std::string::npos);
    EXPECT_NE(r.out.find("--publish PROJECT [--to DIR]"), std::string::npos);
    r = program.run({"--publish"});
    EXPECT_EQ(r.exitCode, 2);
    r = program.run({"--frobnicate"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "vantrel: unknown option --frobnicate\nTry 'vantrel --help'.\n");
    EXPECT_TRUE(filesIn(program / "work").empty());
}

TEST(VantrelCommandLine, buildReportAndPublish_fromAnEmptyWorkingFolder)
{
    Program program;
    fs::create_directories(program / "project");
    writeFile(program / "project" / "menu.vtp", sampleProject());
    writeFile(program / "project" / "home.gif", "GIF");
    writeFile(program / "project" / "back.gif", "GIF back");
    writeFile(program / "share" / "vantrel20.class", "stand-in class");

    kzt::testsupport::ProgramRun r = program.run({"--build-html", (program / "project" / "menu.vtp").string()});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out.rfind("<HTML>\r\n", 0), 0u);
    EXPECT_NE(r.out.find("\t<param name=\"i1\" value=\"News#$@"), std::string::npos);
    const std::string page = r.out;

    r = program.run({"--report", (program / "project" / "menu.vtp").string()});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("  back.gif\r\n  home.gif\r\n\r\n[Audio File(s)]"), std::string::npos);
    EXPECT_NE(r.out.find("\r\n  tick.au\r\n\r\n====="), std::string::npos);

    r = program.run({"--publish", (program / "project" / "menu.vtp").string(), "--to", (program / "site").string()});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(filesIn(program / "site"), (std::vector<std::string>{"back.gif", "home.gif", "menu.html", "menu.vtp",
                                                                   "menu_PublishReport.txt", "vantrel20.class"}));
    EXPECT_EQ(readFile(program / "site" / "menu.html"), page);
    EXPECT_EQ(readFile(program / "site" / "menu.vtp"), sampleProject());
    EXPECT_EQ(readFile(program / "site" / "back.gif"), "GIF back");

    EXPECT_TRUE(filesIn(program / "work").empty());
    EXPECT_FALSE(fs::exists(program / "data"));
    EXPECT_TRUE(filesIn(program / "tmp").empty());
    EXPECT_EQ(filesIn(program / "share"), (std::vector<std::string>{"vantrel20.class"}));
}

TEST(VantrelCommandLine, oldProjectPublishesAsCurrentVersion_foreignOneFails)
{
    Program program;
    std::string text = sampleProject();
    text.replace(text.find("\r\n2.01\r\n"), 8, "\r\n1.11\r\n");
    // Today's applet line cut to the old layout.
    const std::size_t start = text.find("<Applet_Parameters>\r\n") + 21;
    const std::size_t end = text.find("\r\n", start);
    kzt::TStringArray applet = kzt::SplitAllFields(std::string_view(text).substr(start, end - start));
    applet.erase(applet.begin() + VSBScrollAuto, applet.begin() + ApWidth);
    text.replace(start, end - start, kzt::JoinFields(applet));
    // No items, so the item layout does not matter here.
    text.erase(text.find("<Item_Parameters>\r\n") + 19, text.find("</Item_Parameters>") - text.find("<Item_Parameters>\r\n") - 19);
    writeFile(program / "old.vtp", text);
    kzt::testsupport::ProgramRun r = program.run({"--publish", (program / "old.vtp").string()});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::vector<std::string> lines = linesOf(readFile(program / "old.vtp"));
    EXPECT_EQ(lines[8], "2.01");
    EXPECT_EQ(kzt::SplitAllFields(lines[11]).size(), 64u);

    std::string foreign = sampleProject();
    foreign.replace(foreign.find("\r\nVantrel\r\n"), 11, "\r\nOsmerin\r\n");
    writeFile(program / "foreign.vtp", foreign);
    r = program.run({"--publish", (program / "foreign.vtp").string(), "--to", (program / "out").string()});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "This file wasn't saved by Vantrel 2.01, open failed!\n");
    EXPECT_EQ(readFile(program / "foreign.vtp"), foreign);
}

TEST(VantrelCommandLine, parametersFileOption_fileGoesBesideThePageAndNowhereElse)
{
    Program program;
    std::string text = sampleProject();
    text.replace(text.find("#$@0#$@vantrel2_params_file#$@"), 30, "#$@1#$@menu.params#$@");
    writeFile(program / "menu.vtp", text);
    kzt::testsupport::ProgramRun r = program.run({"--build-html", (program / "menu.vtp").string()});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("\t<param name=\"paramsrc\" value=\"menu.params\">\r\n</applet>"), std::string::npos);
    r = program.run({"--publish", (program / "menu.vtp").string(), "--to", (program / "site").string()});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(filesIn(program / "site"),
              (std::vector<std::string>{"menu.html", "menu.params", "menu.vtp", "menu_PublishReport.txt"}));
    EXPECT_EQ(readFile(program / "site" / "menu.params").rfind("ProductName\r\nVantrel\r\nProductVersion\r\n2.01\r\napp\r\n", 0),
              0u);
    EXPECT_TRUE(filesIn(program / "work").empty());
    EXPECT_TRUE(filesIn(program / "share").empty());
    EXPECT_TRUE(filesIn(program / "tmp").empty());
    EXPECT_FALSE(fs::exists(program / "data"));
}

TEST(VantrelCommandLine, scriptRuntime_onAddsOneLineTheScriptAndItsReportEntry_offLeavesAllAsBefore)
{
    Program program;
    fs::create_directories(program / "project");
    const fs::path project = program / "project" / "menu.vtp";
    writeFile(project, sampleProject());
    writeFile(program / "project" / "home.gif", "GIF");
    writeFile(program / "project" / "back.gif", "GIF back");
    writeFile(program / "share" / "vantrel20.class", "stand-in class");
    writeFile(program / "share" / "vantrel20.js", "/* runtime */");

    kzt::testsupport::ProgramRun off = program.run({"--build-html", project.string()});
    ASSERT_EQ(off.exitCode, 0) << off.err;
    EXPECT_EQ(off.out.find("<script"), std::string::npos);
    kzt::testsupport::ProgramRun on = program.run({"--build-html", project.string(), "--script-runtime"});
    ASSERT_EQ(on.exitCode, 0) << on.err;
    std::string expected = off.out;
    const std::string close = "</applet>\r\n";
    expected.insert(expected.find(close) + close.size(), "<script src=\"vantrel20.js\"></script>\r\n");
    EXPECT_EQ(on.out, expected);
    // The last switch holds, wherever it stands.
    kzt::testsupport::ProgramRun last =
        program.run({"--script-runtime", "--build-html", project.string(), "--no-script-runtime"});
    ASSERT_EQ(last.exitCode, 0) << last.err;
    EXPECT_EQ(last.out, off.out);

    kzt::testsupport::ProgramRun reportOff = program.run({"--report", project.string()});
    kzt::testsupport::ProgramRun reportOn = program.run({"--report", "--script-runtime", project.string()});
    ASSERT_EQ(reportOn.exitCode, 0) << reportOn.err;
    EXPECT_EQ(reportOff.out.find("vantrel20.js"), std::string::npos);
    std::string reportExpected = reportOff.out;
    const std::string lastRuntime = "  vantrel20_2.class\r\n";
    reportExpected.insert(reportExpected.find(lastRuntime) + lastRuntime.size(), "  vantrel20.js\r\n");
    EXPECT_EQ(reportOn.out, reportExpected);

    ASSERT_EQ(program.run({"--publish", project.string(), "--to", (program / "plain").string()}).exitCode, 0);
    EXPECT_EQ(filesIn(program / "plain"), (std::vector<std::string>{"back.gif", "home.gif", "menu.html", "menu.vtp",
                                                                    "menu_PublishReport.txt", "vantrel20.class"}));
    EXPECT_EQ(readFile(program / "plain" / "menu.html"), off.out);
    ASSERT_EQ(program.run({"--script-runtime", "--publish", project.string(), "--to", (program / "site").string()})
                  .exitCode,
              0);
    EXPECT_EQ(filesIn(program / "site"),
              (std::vector<std::string>{"back.gif", "home.gif", "menu.html", "menu.vtp", "menu_PublishReport.txt",
                                        "vantrel20.class", "vantrel20.js"}));
    EXPECT_EQ(readFile(program / "site" / "menu.html"), on.out);
    EXPECT_EQ(readFile(program / "site" / "vantrel20.js"), "/* runtime */");
    EXPECT_EQ(readFile(program / "site" / "menu_PublishReport.txt"), reportOn.out);
    // The project file does not carry the setting.
    EXPECT_EQ(readFile(program / "site" / "menu.vtp"), readFile(program / "plain" / "menu.vtp"));

    kzt::testsupport::ProgramRun help = program.run({"--help"});
    EXPECT_NE(help.out.find("--script-runtime | --no-script-runtime"), std::string::npos);
}

TEST(VantrelCommandLine, scriptRuntime_agentSwitchListsTheScriptOnce)
{
    kzt::TkztAppletAgent agent(product(), kzt::AppPaths{});
    EXPECT_FALSE(agent.ScriptRuntime());
    agent.SetScriptRuntime(true);
    agent.SetScriptRuntime(true);
    EXPECT_EQ(agent.ScriptFiles,
              (kzt::TStringArray{"vantrel20.jar", "vantrel20.class", "vantrel20_2.class", "vantrel20.js"}));
    agent.Items.clear();
    EXPECT_NE(product().generatePage(agent).find("</applet>\r\n<script src=\"vantrel20.js\"></script>\r\n<!-- END"),
              std::string::npos);
    agent.SetScriptRuntime(false);
    EXPECT_EQ(agent.ScriptFiles, (kzt::TStringArray{"vantrel20.jar", "vantrel20.class", "vantrel20_2.class"}));
    EXPECT_EQ(product().generatePage(agent).find("<script"), std::string::npos);
}
