// The program run by scripts and given hostile files: it never reports
// success for output that went nowhere, never ends on an uncaught exception,
// needs memory in proportion to a file, and never leaves a project worse
// than it found it.
#include "VantrelTestSupport.h"

#include <sys/stat.h>

using namespace vantrel;
using namespace vantrel::test;
using kzt::testsupport::ProgramRun;
using kzt::testsupport::shellQuoted;

namespace fs = std::filesystem;

namespace {

class VantrelHostileRun : public ::testing::Test
{
protected:
    TempFolder m_folder;
    const fs::path m_root = m_folder.path();

    void SetUp() override
    {
        for (const char* sub : {"work", "home", "share", "project", "tmp"})
            fs::create_directories(m_root / sub);
        writeFile(project(), sampleProject());
    }

    std::string environment() const
    {
        return "env HOME=" + shellQuoted((m_root / "home").string())
               + " XDG_DATA_HOME=" + shellQuoted((m_root / "home" / "data").string())
               + " XDG_CONFIG_HOME=" + shellQuoted((m_root / "home" / "config").string())
               + " VANTREL_SHARE_DIR=" + shellQuoted((m_root / "share").string())
               + " TMPDIR=" + shellQuoted((m_root / "tmp").string());
    }

    // `limits` runs first in the same shell; `redirections` replace the
    // capture of standard output.
    ProgramRun run(const std::vector<std::string>& args, const std::string& limits = "",
                   const std::string& redirections = "")
    {
        std::string command = "cd " + shellQuoted((m_root / "work").string()) + " && ";
        if (!limits.empty())
            command += limits + " && ";
        command += "timeout 60 " + environment() + " " + shellQuoted(std::string(KZT_BINARY_DIR) + "/vantrel/vantrel");
        for (const std::string& arg : args)
            command += " " + shellQuoted(arg);
        command += redirections.empty() ? " >" + shellQuoted((m_root / "stdout").string()) : " " + redirections;
        command += " 2>" + shellQuoted((m_root / "stderr").string());
        const int status = std::system(("/bin/bash -c " + shellQuoted(command)).c_str());
        ProgramRun result;
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        result.out = fs::exists(m_root / "stdout") ? readFile(m_root / "stdout") : std::string();
        result.err = readFile(m_root / "stderr");
        fs::remove(m_root / "stdout");
        return result;
    }

    static std::string sampleProject(std::size_t items = 2)
    {
        kzt::TkztAppletAgent agent(product(), kzt::AppPaths{});
        for (std::size_t i = 0; i < items; ++i) {
            VantrelDocument::InsertItem(agent, nullptr);
            agent.SetCaption(i, "Item " + std::to_string(i));
        }
        product().refreshDerivedFields(agent);
        std::string text;
        EXPECT_TRUE(product().projectFormat().render(agent, text).ok());
        return text;
    }

    fs::path project() const { return m_root / "project" / "menu.vtp"; }

    // Names in a folder that look like our temporary files.
    static std::vector<std::string> leftovers(const fs::path& folder)
    {
        std::vector<std::string> names;
        for (const std::string& name : filesIn(folder)) {
            if (kzt::TextFile::isTemporaryName(name))
                names.push_back(name);
        }
        return names;
    }
};

} // namespace

TEST_F(VantrelHostileRun, outputThatReachesNoOne_failsWithAMessage)
{
    for (const char* option : {"--build-html", "--report", "--version", "--help"}) {
        SCOPED_TRACE(option);
        std::vector<std::string> args{option};
        if (std::string(option).rfind("--build", 0) == 0 || std::string(option) == "--report")
            args.push_back(project().string());
        // Standard output closed: the output must not land in a file of ours.
        ProgramRun r = run(args, "", ">&-");
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_NE(r.err.find("vantrel: cannot write to standard output"), std::string::npos) << r.err;
        // A full device: the failure is said, not only in the exit status.
        r = run(args, "", ">/dev/full");
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_NE(r.err.find("vantrel: cannot write to standard output: No space left on device"), std::string::npos)
            << r.err;
    }
    // With standard input and error closed too, a publish still works and
    // writes only its own files.
    ProgramRun r = run({"--publish", project().string(), "--to", (m_root / "site").string()}, "", "<&- >&- 2>&-");
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(filesIn(m_root / "site"), (std::vector<std::string>{"menu.html", "menu.vtp", "menu_PublishReport.txt"}));
    EXPECT_EQ(readFile(m_root / "site" / "menu.vtp"), sampleProject());
    EXPECT_TRUE(filesIn(m_root / "tmp").empty());
}

TEST_F(VantrelHostileRun, emptyTargetFolder_isAUsageError)
{
    const std::string before = readFile(project());
    const ProgramRun r = run({"--publish", project().string(), "--to", ""});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("Usage: vantrel --publish PROJECT [--to DIR]"), std::string::npos) << r.err;
    EXPECT_EQ(filesIn(m_root / "project"), (std::vector<std::string>{"menu.vtp"}));
    EXPECT_EQ(readFile(project()), before);
}

TEST_F(VantrelHostileRun, projectGivenThroughALink_isSavedWhereTheLinkLeadsAndTheLinkStays)
{
    fs::create_directories(m_root / "links");
    fs::create_symlink(project(), m_root / "links" / "menu.vtp");
    const ProgramRun r = run({"--publish", (m_root / "links" / "menu.vtp").string()});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(fs::is_symlink(m_root / "links" / "menu.vtp"));
    EXPECT_EQ(filesIn(m_root / "links"), (std::vector<std::string>{"menu.vtp"}));
    EXPECT_EQ(filesIn(m_root / "project"),
              (std::vector<std::string>{"menu.html", "menu.vtp", "menu_PublishReport.txt"}));
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(project())));
}

TEST_F(VantrelHostileRun, fileSizeLimit_failsTheWriteCleansUpAndExitsOne)
{
    // A page of some 600 KB under a limit of 100 KB; the signal is not
    // ignored by the shell, so only the program itself can keep it from killing.
    writeFile(project(), sampleProject(2000));
    const ProgramRun r = run({"--publish", project().string(), "--to", (m_root / "site").string()}, "ulimit -f 100");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("File too large"), std::string::npos) << r.err;
    EXPECT_TRUE(leftovers(m_root / "site").empty());
    EXPECT_TRUE(filesIn(m_root / "tmp").empty());
}

TEST_F(VantrelHostileRun, namesTooLongForTheFileSystem_checkedBeforeWritingOrSkippedWithANote)
{
    // An item picture whose name no file can have: the rest is published.
    std::string text = sampleProject();
    const std::string longName = std::string(300, 'p') + ".gif";
    kzt::TkztAppletAgent agent(product(), kzt::AppPaths{});
    writeFile(m_root / "scratch.vtp", text);
    ASSERT_TRUE(agent.ReadProjectFile(m_root / "scratch.vtp").ok());
    agent.Items[0].set(ItNoBgImg, longName);
    ASSERT_TRUE(product().projectFormat().render(agent, text).ok());
    writeFile(project(), text);
    ProgramRun r = run({"--publish", project().string(), "--to", (m_root / "site").string()});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.err.find("was not copied: its name is too long for this file system."), std::string::npos) << r.err;
    EXPECT_EQ(filesIn(m_root / "site"), (std::vector<std::string>{"menu.html", "menu.vtp", "menu_PublishReport.txt"}));

    // A project whose report name would be too long: nothing is written.
    const fs::path longProject = m_root / "project" / (std::string(240, 'm') + ".vtp");
    writeFile(longProject, sampleProject());
    r = run({"--publish", longProject.string(), "--to", (m_root / "site2").string()});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("is too long for the folder"), std::string::npos) << r.err;
    EXPECT_TRUE(filesIn(m_root / "site2").empty());
}

TEST_F(VantrelHostileRun, emptyItemLines_costAFewTimesTheFileNotGigabytes)
{
    // 4 MB of empty item lines, each of which was a whole item.
    std::string text = sampleProject(0);
    const std::size_t items = text.find("</Item_Parameters>");
    text.insert(items, std::string(4u << 20, '\n'));
    writeFile(project(), text);
    // Under a limit a few times the program's own size, every job ends with
    // a message, never with an abort.
    for (const char* option : {"--report", "--build-html", "--publish"}) {
        SCOPED_TRACE(option);
        const ProgramRun r = run({option, project().string()}, "ulimit -v 1000000");
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_NE(r.err.find("its item lines are too short to be items"), std::string::npos) << r.err.substr(0, 400);
        EXPECT_EQ(r.out, "");
    }
    EXPECT_EQ(filesIn(m_root / "project"), (std::vector<std::string>{"menu.vtp"}));

    // A file of many real items still opens.
    writeFile(project(), sampleProject(20000));
    const ProgramRun r = run({"--report", project().string()}, "ulimit -v 1000000");
    EXPECT_EQ(r.exitCode, 0) << r.err;
}
