// The drop-down builder under projects and surroundings that try to make it
// publish the wrong thing: programs running at the same time, menus nested so
// deeply that the page would explode, special files.
#include "KestravoTestSupport.h"

#include "kestravo/core/KestravoPage.h"

#include <cstdlib>
#include <sys/inotify.h>
#include <sys/stat.h>

using namespace kestravo;
using namespace kestravo::test;
namespace fs = std::filesystem;

namespace {

class KestravoHostileInput : public ::testing::Test
{
protected:
    TempDir m_dir;
    const fs::path m_root = m_dir.path();

    void SetUp() override
    {
        for (const char* sub : {"work", "share", "tmp", "a", "b"})
            fs::create_directories(m_root / sub);
        writeFile(m_root / "share" / "brevanekvrst.js", "// kestravo runtime\r\n");
    }

    std::vector<std::pair<std::string, std::string>> environment() const
    {
        return {{"XDG_DATA_HOME", (m_root / "data").string()},
                {"XDG_CONFIG_HOME", (m_root / "config").string()},
                {"KESTRAVO_SHARE_DIR", (m_root / "share").string()},
                {"TMPDIR", (m_root / "tmp").string()}};
    }

    kzt::testsupport::ProgramRun run(const std::vector<std::string>& args, const std::string& limits = "")
    {
        return kzt::testsupport::runProgram("kestravo", args, m_root / "work", environment(), m_root,
                                            limits + (limits.empty() ? "" : " && ") + "timeout 60");
    }

    // The command that runs kestravo with this test's folders, for a shell.
    std::string command(const std::vector<std::string>& args) const
    {
        std::string line = "env";
        for (const auto& [variable, value] : environment())
            line += " " + variable + "=" + kzt::testsupport::shellQuoted(value);
        line += " " + kzt::testsupport::shellQuoted(std::string(KZT_BINARY_DIR) + "/kestravo/kestravo");
        for (const std::string& arg : args)
            line += " " + kzt::testsupport::shellQuoted(arg);
        return line;
    }
};

// A project of `count` items; with `chain` each item is a child of the one
// before it, else all are main items.
std::string project(const std::string& fontSize, std::size_t count, bool chain)
{
    std::string text = golden("new_document.ksdm");
    text.replace(text.find("#$@10#$@0#$@0#$@"), 16, "#$@" + fontSize + "#$@0#$@0#$@");
    std::string items;
    for (std::size_t i = 0; i < count; ++i)
        items += "Item#$@#$@_self#$@" + std::to_string(chain ? i : 0) + "#$@#$@\r\n";
    text.insert(text.find("</Item_Parameters>"), items);
    return text;
}

} // namespace

TEST_F(KestravoHostileInput, twoPublishesAtTheSameTime_eachGetItsOwnStyleSheet)
{
    writeFile(m_root / "a" / "menu.ksdm", project("11", 3, false));
    writeFile(m_root / "b" / "menu.ksdm", project("22", 3, false));
    kzt::TAppletData menuA = KestravoProfile::instance().defaultAppletData();
    kzt::TAppletData menuB = menuA;
    menuA.set(pMenuFontSize, "11");
    menuB.set(pMenuFontSize, "22");
    const std::string expectedA = KestravoPage::styleSheet(menuA);
    const std::string expectedB = KestravoPage::styleSheet(menuB);
    ASSERT_NE(expectedA, expectedB);

    // A publish never opens the per-user copy that other running programs
    // write too: the style sheet it publishes comes from its own document.
    fs::create_directories(m_root / "data" / "kestravo");
    const int watcher = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ASSERT_GE(watcher, 0);
    ASSERT_GE(::inotify_add_watch(watcher, (m_root / "data" / "kestravo").c_str(), IN_OPEN | IN_ACCESS), 0);
    const auto single = run({"--publish", (m_root / "a" / "menu.ksdm").string()});
    ASSERT_EQ(single.exitCode, 0) << single.err;
    alignas(inotify_event) char buffer[64 * 1024];
    const ssize_t got = ::read(watcher, buffer, sizeof buffer);
    for (ssize_t offset = 0; got > 0 && offset < got;) {
        const auto* event = reinterpret_cast<const inotify_event*>(buffer + offset);
        EXPECT_NE(std::string(event->len ? event->name : ""), KestravoProfile::kStyleSheetFile)
            << "the shared style sheet was opened";
        offset += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
    }
    ::close(watcher);

    // And, run side by side many times, neither ever publishes the other's.
    const std::string both = "cd " + kzt::testsupport::shellQuoted((m_root / "work").string()) + " && ("
                             + command({"--publish", (m_root / "a" / "menu.ksdm").string()}) + " & "
                             + command({"--publish", (m_root / "b" / "menu.ksdm").string()}) + " & wait)";
    int wrong = 0;
    for (int round = 0; round < 30; ++round) {
        fs::remove(m_root / "a" / "brevanekvrst.css");
        fs::remove(m_root / "b" / "brevanekvrst.css");
        ASSERT_EQ(std::system(both.c_str()), 0);
        wrong += readFile(m_root / "a" / "brevanekvrst.css") != expectedA;
        wrong += readFile(m_root / "b" / "brevanekvrst.css") != expectedB;
    }
    EXPECT_EQ(wrong, 0);
}

TEST_F(KestravoHostileInput, aDeeplyNestedMenu_isRefusedWithAMessage_notWithGigabytes)
{
    // 7,500 items, each a child of the one before: a project of about 200 KB
    // whose page would repeat the indent some 28 million times.
    const fs::path deep = m_root / "a" / "deep.ksdm";
    writeFile(deep, project("10", 7500, true));
    EXPECT_LT(fs::file_size(deep), 256u * 1024);
    // A gigabyte of address space is far more than a refusal needs.
    for (const char* option : {"--build-html", "--publish"}) {
        SCOPED_TRACE(option);
        const auto r = run({option, deep.string()}, "ulimit -v 1000000");
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_NE(r.err.find("MB, more than the 256 MB a page may take."), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
    }
    EXPECT_FALSE(fs::exists(m_root / "a" / "deep.html"));

    // A menu nested a thousand deep still makes its (12 MB) page.
    const fs::path nested = m_root / "b" / "nested.ksdm";
    writeFile(nested, project("10", 1000, true));
    const auto r = run({"--build-html", nested.string()}, "ulimit -v 1000000");
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_GT(r.out.size(), 12u * 1000 * 1000);
}

TEST_F(KestravoHostileInput, theSizeBound_neverUnderstatesThePage)
{
    kzt::TkztAppletAgent agent(KestravoProfile::instance(), m_dir.appPaths());
    agent.AppletData.set(pInternalUse_RootDir_Local, "a");
    agent.AppletData.set(pInternalUse_RootDir_Remote, "\"\"\"\"\"\"\"\"");
    kzt::TreeNode* parent = nullptr;
    for (int i = 0; i < 50; ++i)
        parent = addItem(agent, i % 7 ? parent : nullptr, "\"caption\"", "aaaa\"a\"aAa", "\"_top\"");
    agent.AppletData.set(pTipMessage, "\"tip\"");
    agent.AppletData.set(pMenuWidth, "\"\"\"");
    const std::string page = agent.BuildHTMLText();
    EXPECT_GE(KestravoPage::sizeBound(agent), page.size());
    EXPECT_LT(KestravoPage::sizeBound(agent), 20 * page.size());
}

TEST_F(KestravoHostileInput, specialFiles_areRefusedAtOnce)
{
    const fs::path fifo = m_root / "a" / "pipe.ksdm";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const fs::path gms = m_root / "a" / "pipe.gms";
    ASSERT_EQ(::mkfifo(gms.c_str(), 0600), 0);
    for (const fs::path& path : {fifo, m_root / "b"}) {
        const auto r = run({"--publish", path.string()});
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_EQ(r.err, "\"" + path.string() + "\" is not a regular file.\n");
    }
    const auto r = run({"--import-gms", gms.string(), (m_root / "b" / "menu.ksdm").string()});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "\"" + gms.string() + "\" is not a regular file.\n");
    EXPECT_TRUE(kzt::testsupport::filesIn(m_root / "tmp").empty());
    EXPECT_TRUE(kzt::testsupport::filesIn(m_root / "b").empty());
}
