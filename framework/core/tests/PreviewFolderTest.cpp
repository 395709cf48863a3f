#include <gtest/gtest.h>

#include "CommandLine.h"
#include "PreviewFolder.h"
#include "TestProduct.h"
#include "TextFile.h"

#include <csignal>
#include <fcntl.h>
#include <optional>
#include <sstream>
#include <sys/file.h>
#include <cstdlib>
#include <sys/wait.h>
#include <unistd.h>

using namespace kzt;
using kzt::test::readFile;
using kzt::test::TempFolder;
using kzt::test::TestProduct;
using kzt::test::writeFile;
namespace fs = std::filesystem;

namespace {

// Sets an environment variable for one test.
class ScopedEnvironment
{
public:
    ScopedEnvironment(const char* name, const std::string& value) : m_name(name)
    {
        if (const char* old = std::getenv(name))
            m_old = old;
        ::setenv(name, value.c_str(), 1);
    }
    ~ScopedEnvironment()
    {
        if (m_old)
            ::setenv(m_name, m_old->c_str(), 1);
        else
            ::unsetenv(m_name);
    }

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

// Another running program, in a child process: it runs `body`, reports one
// line through a pipe, and ends when told to (or is killed).
class OtherProgram
{
public:
    template <typename Body>
    explicit OtherProgram(Body body)
    {
        int up[2];
        int down[2];
        if (::pipe(up) != 0 || ::pipe(down) != 0)
            throw std::runtime_error("pipe failed");
        m_pid = ::fork();
        if (m_pid == 0) {
            ::close(up[0]);
            ::close(down[1]);
            const std::string line = body() + "\n";
            if (::write(up[1], line.data(), line.size()) < 0)
                ::_exit(3);
            char c;
            if (::read(down[0], &c, 1) < 0)
                ::_exit(3);
            // Ends as a crash would: no clean-up at exit.
            ::_exit(0);
        }
        ::close(up[1]);
        ::close(down[0]);
        m_tell = down[1];
        char c;
        while (::read(up[0], &c, 1) == 1 && c != '\n')
            m_report += c;
        ::close(up[0]);
    }
    ~OtherProgram() { end(); }

    const std::string& report() const { return m_report; }
    void end()
    {
        if (m_pid <= 0)
            return;
        if (::write(m_tell, "x", 1) < 0)
            ::kill(m_pid, SIGKILL);
        ::close(m_tell);
        int status = 0;
        ::waitpid(m_pid, &status, 0);
        m_pid = -1;
    }

private:
    pid_t m_pid = -1;
    int m_tell = -1;
    std::string m_report;
};

} // namespace

TEST(PreviewFolder, eachRunningProgramHasItsOwn_andCannotClearAnothersPictures)
{
    TempFolder folder;
    ScopedEnvironment data("XDG_DATA_HOME", (folder / "data").string());
    const fs::path source = folder / "src";
    fs::create_directories(source);
    writeFile(source / "a.gif", "theirs");

    // The other window stages a.gif and keeps running.
    TestProduct product;
    OtherProgram other([&] {
        AppPaths started = AppPaths::forProduct("testmenu", folder / "share");
        started.previewDir = PreviewFolder::claim(started.userDataDir);
        TkztAppletAgent agent(product, started);
        agent.CopyToPreview(source / "a.gif");
        return agent.paths().previewDir.string();
    });
    const fs::path theirs = other.report();

    // Finding the folders writes nothing; the window's start-up claims.
    AppPaths paths = AppPaths::forProduct("testmenu", folder / "share");
    EXPECT_EQ(paths.previewDir, folder / "data" / "testmenu" / "preview" / std::to_string(::getpid()));
    EXPECT_FALSE(fs::exists(paths.previewDir.string() + ".lock"));
    EXPECT_EQ(PreviewFolder::claim(paths.userDataDir), paths.previewDir);
    EXPECT_EQ(PreviewFolder::pathFor(paths.userDataDir), paths.previewDir);
    EXPECT_EQ(readFile(paths.userDataDir / "preview" / (std::to_string(::getpid()) + ".lock")),
              std::to_string(::getpid()) + "\n");
    ASSERT_NE(theirs, paths.previewDir);
    ASSERT_EQ(readFile(theirs / "a.gif"), "theirs");

    // This window previews its own a.gif, then leaves the document.
    writeFile(folder / "mine.gif", "mine");
    fs::rename(folder / "mine.gif", folder / "a.gif");
    TkztAppletAgent agent(product, paths);
    agent.CopyToPreview(folder / "a.gif");
    EXPECT_EQ(readFile(paths.previewDir / "a.gif"), "mine");
    agent.ClearPreview();
    EXPECT_FALSE(fs::exists(paths.previewDir));
    EXPECT_EQ(readFile(theirs / "a.gif"), "theirs");

    // Clearing stale folders leaves a running program's alone.
    PreviewFolder::clearStale(paths.userDataDir);
    EXPECT_EQ(readFile(theirs / "a.gif"), "theirs");

    // A child forked by this program (to start a browser, say) that exits
    // does not take this program's folder with it.
    const fs::path lock = paths.previewDir.string() + ".lock";
    const pid_t child = ::fork();
    if (child == 0)
        std::exit(0);
    ::waitpid(child, nullptr, 0);
    EXPECT_TRUE(fs::exists(lock));
    EXPECT_EQ(PreviewFolder::claim(paths.userDataDir), paths.previewDir);
}

TEST(PreviewFolder, foldersOfEndedPrograms_areClearedAtStart)
{
    TempFolder folder;
    const fs::path user = folder / "user";
    const fs::path root = user / "preview";

    // A program that ended without clearing up, one that left only its
    // lock file, and one whose lock file was lost.
    OtherProgram crashed([&] {
        const fs::path mine = PreviewFolder::claim(user);
        fs::create_directories(mine);
        writeFile(mine / "a.gif", "left behind");
        return mine.string();
    });
    const fs::path leftBehind = crashed.report();
    crashed.end();
    ASSERT_TRUE(fs::exists(leftBehind / "a.gif"));
    fs::create_directories(root / "424242");
    writeFile(root / "424242" / "b.gif", "x");
    writeFile(root / "777.lock", "777\n");
    // Nothing else in the folder is ours to remove.
    writeFile(root / "notes.txt", "keep");
    fs::create_directories(root / "shots");

    const fs::path mine = PreviewFolder::claim(user);
    EXPECT_FALSE(fs::exists(leftBehind));
    EXPECT_FALSE(fs::exists(leftBehind.string() + ".lock"));
    EXPECT_FALSE(fs::exists(root / "424242"));
    EXPECT_FALSE(fs::exists(root / "424242.lock"));
    EXPECT_FALSE(fs::exists(root / "777.lock"));
    EXPECT_TRUE(fs::exists(root / "notes.txt"));
    EXPECT_TRUE(fs::exists(root / "shots"));
    EXPECT_TRUE(fs::exists(mine.string() + ".lock"));
    EXPECT_EQ(mine.parent_path(), root);
}

TEST(PreviewFolder, sameProcessIdInAnotherNamespace_takesTheNextId)
{
    TempFolder folder;
    const fs::path user = folder / "user";
    const std::string pid = std::to_string(::getpid());
    // A program elsewhere holds the lock of the id this process would take.
    OtherProgram holder([&] {
        fs::create_directories(user / "preview");
        const std::string path = (user / "preview" / (pid + ".lock")).string();
        const int fd = ::open(path.c_str(), O_RDWR | O_CREAT, 0600);
        return std::string(fd >= 0 && ::flock(fd, LOCK_EX) == 0 ? "locked" : "failed");
    });
    ASSERT_EQ(holder.report(), "locked");
    EXPECT_EQ(PreviewFolder::claim(user), user / "preview" / (pid + "-1"));
}

namespace {

// Runs a command-line job in a child process, so that its scratch folder
// is decided afresh, in `work` as its working folder.
int runJob(const TestProduct& product, const AppPaths& paths, const std::vector<std::string>& args,
           const fs::path& work, const std::string& tmpdir, std::string& err)
{
    const fs::path errFile = work.parent_path() / "stderr.txt";
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::setenv("TMPDIR", tmpdir.c_str(), 1);
        if (::chdir(work.c_str()) != 0)
            ::_exit(9);
        std::ostringstream out;
        std::ostringstream errors;
        const int code = CommandLine(product, paths).run(args, out, errors);
        writeFile(errFile, errors.str());
        std::exit(code); // removes the scratch folder as a real run does
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    err = readFile(errFile);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

TEST(ScratchFolderTest, noUsableTemporaryFolder_failsWithoutStagingIntoTheWorkingFolder)
{
    TempFolder folder;
    TestProduct product;
    AppPaths paths = folder.appPaths();
    fs::create_directories(paths.shareDir);
    writeFile(paths.shareDir / "runtime.js", "runtime");
    const fs::path work = folder / "work";
    fs::create_directories(work);
    const fs::path projects = folder / "projects";
    fs::create_directories(projects);
    writeFile(projects / "a.gif", "GIF");
    {
        TkztAppletAgent agent(product, paths);
        TreeNode* node = agent.InsertItem(nullptr);
        agent.Items[agent.ItemIndexOf(node)].set(TestProduct::Image, "a.gif");
        ASSERT_TRUE(agent.WriteProjectFile(projects / "p.tst").ok());
    }
    const std::string project = (projects / "p.tst").string();

    std::string err;
    const std::string missing = (folder / "missing").string();
    for (const auto& args : {std::vector<std::string>{"--build-html", project},
                             std::vector<std::string>{"--publish", project, "--to", (folder / "out").string()}}) {
        EXPECT_EQ(runJob(product, paths, args, work, missing, err), 1) << args[0];
        EXPECT_EQ(err, "testmenu: Cannot create a temporary folder in \"" + missing
                           + "\": No such file or directory. Set TMPDIR to a writable folder.\n");
        EXPECT_TRUE(kzt::testsupport::filesIn(work).empty()) << args[0];
    }
    EXPECT_FALSE(fs::exists(folder / "out"));

    // A relative TMPDIR would be the working folder again.
    EXPECT_EQ(runJob(product, paths, {"--build-html", project}, work, "tmp", err), 1);
    EXPECT_NE(err.find("TMPDIR=\"tmp\" is not an absolute path"), std::string::npos) << err;
    EXPECT_TRUE(kzt::testsupport::filesIn(work).empty());

    // With one, the job runs and leaves the working folder as it was.
    fs::create_directories(folder / "tmp");
    EXPECT_EQ(runJob(product, paths, {"--publish", project}, work, (folder / "tmp").string(), err), 0) << err;
    EXPECT_EQ(readFile(projects / "a.gif"), "GIF");
    EXPECT_TRUE(fs::exists(projects / "p.html"));
    EXPECT_TRUE(kzt::testsupport::filesIn(work).empty());
    EXPECT_TRUE(kzt::testsupport::filesIn(folder / "tmp").empty());
}

TEST(ScratchFolderTest, scratchWrites_replaceTheFileWhole_neverWriteThroughALink)
{
    TempFolder dir;
    writeFile(dir / "outside.txt", "kept");
    fs::create_symlink(dir / "outside.txt", dir / "page.html");
    ASSERT_TRUE(TextFile::writeScratch(dir / "page.html", "new page").ok());
    EXPECT_FALSE(fs::is_symlink(dir / "page.html"));
    EXPECT_EQ(readFile(dir / "page.html"), "new page");
    EXPECT_EQ(readFile(dir / "outside.txt"), "kept");
    ASSERT_TRUE(TextFile::writeScratch(dir / "page.html", "").ok());
    EXPECT_EQ(readFile(dir / "page.html"), "");
    // Nothing left beside it.
    std::size_t files = 0;
    for (const auto& entry : fs::directory_iterator(dir.path()))
        files += entry.path().filename().string().front() == '.';
    EXPECT_EQ(files, 0u);
    const Status missing = TextFile::writeScratch(dir / "gone" / "page.html", "x");
    EXPECT_FALSE(missing.ok());
    EXPECT_NE(missing.message().find("page.html"), std::string::npos) << missing.message();
}
