#include "KztTestSupport.h"
#include "LoopbackHttp.h"
#include "ServedProgram.h"

#include <filesystem>
#include <thread>

namespace fs = std::filesystem;
using namespace kzt::testsupport;
using namespace std::chrono_literals;
using kzt::testhttp::Connection;
using kzt::testhttp::Reply;

namespace {

// "dulcamon --serve" in a child process, fetched through a real socket.
class DulcamonServe : public ::testing::Test
{
protected:
    TempFolder m_folder;
    const fs::path m_root = m_folder.path();
    const fs::path m_project = m_root / "project" / "menu.dlcg";

    void SetUp() override
    {
        for (const char* sub : {"work", "home", "share", "project", "tmp"})
            fs::create_directories(m_root / sub);
        writeFile(m_root / "share" / "dulcamon10.js", "// runtime\n");
        fs::copy_file(fs::path(KZT_TEST_DATA_DIR) / "default_item_with_child.dlcg", m_project);
    }

    std::unique_ptr<ServedProgram> serve(const std::vector<std::string>& extra = {})
    {
        std::vector<std::string> args{"--serve", m_project.string()};
        args.insert(args.end(), extra.begin(), extra.end());
        return std::make_unique<ServedProgram>("dulcamon", args, m_root / "work",
                                               std::vector<std::pair<std::string, std::string>>{
                                                   {"HOME", (m_root / "home").string()},
                                                   {"XDG_DATA_HOME", (m_root / "home" / "data").string()},
                                                   {"XDG_CONFIG_HOME", (m_root / "home" / "config").string()},
                                                   {"DULCAMON_SHARE_DIR", (m_root / "share").string()},
                                                   {"TMPDIR", (m_root / "tmp").string()}},
                                               m_root / "stderr");
    }

    // Replaces the project file as an editor would.
    void rewriteProject(const std::string& text)
    {
        writeFile(m_root / "project" / "next.tmp", text);
        fs::rename(m_root / "project" / "next.tmp", m_project);
    }
};

struct Address
{
    int port = 0;
    std::string target;
};

Address split(const std::string& url)
{
    const std::string prefix = "http://127.0.0.1:";
    Address address;
    if (url.rfind(prefix, 0) != 0)
        return address;
    const std::size_t slash = url.find('/', prefix.size());
    address.port = std::stoi(url.substr(prefix.size(), slash - prefix.size()));
    address.target = url.substr(slash);
    return address;
}

Reply fetch(const Address& address, const std::string& target = {})
{
    return kzt::testhttp::exchange(address.port, "GET " + (target.empty() ? address.target : target)
                                                     + " HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(address.port)
                                                     + "\r\nConnection: close\r\n\r\n");
}

// Fetches the page until it holds the text, for up to the time given.
bool pageShows(const Address& address, const std::string& text, std::chrono::milliseconds limit)
{
    const auto end = std::chrono::steady_clock::now() + limit;
    do {
        const Reply reply = fetch(address);
        if (reply.status == 200 && reply.body.find(text) != std::string::npos)
            return true;
        std::this_thread::sleep_for(20ms);
    } while (std::chrono::steady_clock::now() < end);
    return false;
}

} // namespace

TEST_F(DulcamonServe, printsTheAddress_followsChanges_keepsTheLastGoodPage_endsCleanly)
{
    auto program = serve();
    const std::string url = program->firstLine();
    ASSERT_EQ(url.rfind("http://127.0.0.1:", 0), 0u) << url << program->err();
    const Address address = split(url);
    ASSERT_GT(address.port, 0);
    EXPECT_EQ(address.target.size(), 1 + 32 + 1 + std::string("~preview.html").size()) << url;

    const Reply first = fetch(address);
    ASSERT_EQ(first.status, 200);
    EXPECT_EQ(first.header("Content-Type"), "text/html; charset=utf-8");
    EXPECT_NE(first.body.find("new EventSource("), std::string::npos);
    const std::string secretFolder = address.target.substr(0, address.target.rfind('/') + 1);
    EXPECT_EQ(fetch(address, secretFolder + "dulcamon10.js").body, "// runtime\n");

    // A stream is open, as in a browser, to see the reload and the notice.
    Connection events(address.port);
    events.send("GET " + secretFolder + ".events HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(address.port) + "\r\n\r\n");
    ASSERT_NE(events.readUntil("data: 0\n").find("event: version\ndata: 0\n"), std::string::npos);

    const std::string original = readFile(m_project);
    std::string changed = original;
    changed.replace(changed.find("#$@Item#$@"), 10, "#$@Fresh caption#$@");
    const auto before = std::chrono::steady_clock::now();
    rewriteProject(changed);
    EXPECT_NE(events.readUntil("data: 1\n").find("event: version\ndata: 1\n"), std::string::npos);
    EXPECT_LT(std::chrono::steady_clock::now() - before, 1s);
    EXPECT_TRUE(pageShows(address, "Fresh caption", 100ms));

    // A damaged project: the page stays, the author learns why.
    rewriteProject("not a project\r\n");
    EXPECT_NE(events.readUntil("cannot be read").find("event: notice\ndata: The project cannot be read"), std::string::npos);
    const Reply kept = fetch(address);
    EXPECT_EQ(kept.status, 200);
    EXPECT_NE(kept.body.find("Fresh caption"), std::string::npos);
    EXPECT_NE(program->err().find("The page shows the last version that could be read."), std::string::npos)
        << program->err();

    // Mended: a new page, and the notice goes.
    changed.replace(changed.find("Fresh caption"), 13, "Mended caption");
    rewriteProject(changed);
    EXPECT_TRUE(pageShows(address, "Mended caption", 2s));
    EXPECT_NE(events.readUntil("data: 2\n").find("event: version\ndata: 2\n"), std::string::npos);

    // The private folder lives in the scratch folder and goes with the program.
    EXPECT_FALSE(filesIn(m_root / "tmp").empty());
    EXPECT_EQ(program->stop(SIGTERM), 0);
    EXPECT_EQ(filesIn(m_root / "tmp"), std::vector<std::string>{});
    EXPECT_EQ(filesIn(m_root / "project"), std::vector<std::string>{"menu.dlcg"});
    Connection after(address.port);
    EXPECT_FALSE(after.connected());
}

TEST_F(DulcamonServe, interruptEndsCleanly_askedPortUsed_badUsageAndMissingProjectRefused)
{
    // A free port to ask for.
    int freePort = 0;
    {
        const int s = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address);
        socklen_t length = sizeof address;
        ::getsockname(s, reinterpret_cast<sockaddr*>(&address), &length);
        freePort = ntohs(address.sin_port);
        ::close(s);
    }
    auto program = serve({"--port", std::to_string(freePort)});
    const std::string url = program->firstLine();
    EXPECT_EQ(url.rfind("http://127.0.0.1:" + std::to_string(freePort) + "/", 0), 0u) << url << program->err();
    EXPECT_EQ(fetch(split(url)).status, 200);
    EXPECT_EQ(program->stop(SIGINT), 0);
    EXPECT_EQ(filesIn(m_root / "tmp"), std::vector<std::string>{});

    const auto env = std::vector<std::pair<std::string, std::string>>{
        {"HOME", (m_root / "home").string()}, {"DULCAMON_SHARE_DIR", (m_root / "share").string()},
        {"TMPDIR", (m_root / "tmp").string()}};
    EXPECT_EQ(runProgram("dulcamon", {"--serve", m_project.string(), "--port", "0"}, m_root / "work", env, m_root).exitCode, 2);
    EXPECT_EQ(runProgram("dulcamon", {"--serve", m_project.string(), "--port"}, m_root / "work", env, m_root).exitCode, 2);
    EXPECT_EQ(runProgram("dulcamon", {"--serve", m_project.string(), "--to", "x"}, m_root / "work", env, m_root).exitCode, 2);
    const ProgramRun missing =
        runProgram("dulcamon", {"--serve", (m_root / "none.dlcg").string()}, m_root / "work", env, m_root);
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.out, "");
    EXPECT_NE(missing.err.find("none.dlcg"), std::string::npos);
    const ProgramRun help = runProgram("dulcamon", {"--help"}, m_root / "work", env, m_root);
    EXPECT_NE(help.out.find("--serve PROJECT [--port N]"), std::string::npos);
}
