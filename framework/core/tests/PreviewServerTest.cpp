#include <gtest/gtest.h>

#include "PreviewServer.h"
#include "LoopbackHttp.h"
#include "TestProduct.h"

#include <arpa/inet.h>
#include <atomic>
#include <chrono>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace kzt;
using kzt::test::TempFolder;
using kzt::test::writeFile;
using kzt::testhttp::Connection;
using kzt::testhttp::exchange;
using kzt::testhttp::Reply;
namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

std::string hostOf(const PreviewServer& server)
{
    return "127.0.0.1:" + std::to_string(server.port());
}

Reply get(const PreviewServer& server, const std::string& target, const std::string& method = "GET",
          const std::string& host = {})
{
    return exchange(server.port(), method + " " + target + " HTTP/1.1\r\nHost: " + (host.empty() ? hostOf(server) : host)
                                       + "\r\nConnection: close\r\n\r\n");
}

class PreviewServerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        fs::create_directories(m_dir / "served");
        writeFile(m_dir / "served" / "menu.js", "var menu = 1;\n");
        writeFile(m_dir / "served" / "page.html", "<html><head><title>P</title></head><body><p>Hello</p></body></html>");
        writeFile(m_dir / "served" / "old.html",
                  "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">"
                  "</head><body>caf\xe9</body></html>");
        writeFile(m_dir / "served" / "a b.gif", "GIF89a");
        writeFile(m_dir / "served" / "news.txt", "news\n");
        writeFile(m_dir / "served" / ".hidden", "hidden\n");
        fs::create_directories(m_dir / "served" / "sub");
        writeFile(m_dir / "served" / "sub" / "inner.txt", "inner\n");
        writeFile(m_dir / "outside.txt", "SECRET-OUTSIDE\n");
        fs::create_symlink(m_dir / "outside.txt", m_dir / "served" / "link.txt");
    }

    fs::path served() const { return m_dir / "served"; }
    std::string path(const PreviewServer& server, const std::string& rest) const
    {
        return "/" + server.secret() + "/" + rest;
    }

    TempFolder m_dir;
};

} // namespace

TEST_F(PreviewServerTest, servesFilesWithTypesAndHeaders_onLoopbackOnly)
{
    PreviewServer server(served());
    ASSERT_TRUE(server.start().ok());
    ASSERT_GT(server.port(), 0);
    EXPECT_EQ(server.secret().size(), 32u);
    EXPECT_EQ(server.url("a b.gif"), "http://127.0.0.1:" + std::to_string(server.port()) + "/" + server.secret() + "/a%20b.gif");

    const Reply js = get(server, path(server, "menu.js"));
    EXPECT_EQ(js.status, 200);
    EXPECT_EQ(js.body, "var menu = 1;\n");
    EXPECT_EQ(js.header("Content-Type"), "text/javascript");
    EXPECT_EQ(js.header("Cache-Control"), "no-store");
    EXPECT_EQ(js.header("X-Content-Type-Options"), "nosniff");
    EXPECT_EQ(js.header("Referrer-Policy"), "no-referrer");

    const Reply gif = get(server, path(server, "a%20b.gif"), "GET", "localhost:" + std::to_string(server.port()));
    EXPECT_EQ(gif.status, 200);
    EXPECT_EQ(gif.header("Content-Type"), "image/gif");
    EXPECT_EQ(gif.body, "GIF89a");
    EXPECT_EQ(get(server, path(server, "news.txt")).header("Content-Type"), "text/plain");

    // Sent as they are, even to a browser that takes compressed bodies:
    // on the loopback compressing only costs time (seconds for a large page
    // on a busy machine).
    for (const char* name : {"menu.js", "page.html"}) {
        const Reply plain = exchange(server.port(), "GET " + path(server, name) + " HTTP/1.1\r\nHost: " + hostOf(server)
                                                        + "\r\nAccept-Encoding: gzip, deflate, br\r\nConnection: close\r\n\r\n");
        EXPECT_EQ(plain.status, 200);
        EXPECT_EQ(plain.header("Content-Encoding"), "") << name;
        EXPECT_EQ(plain.header("Content-Length"), std::to_string(plain.body.size())) << name;
    }
    EXPECT_EQ(exchange(server.port(), "GET " + path(server, "menu.js") + " HTTP/1.1\r\nHost: " + hostOf(server)
                                          + "\r\nAccept-Encoding: gzip\r\nConnection: close\r\n\r\n")
                  .body,
              "var menu = 1;\n");

    // HEAD: the same head, no body.
    const Reply head = get(server, path(server, "menu.js"), "HEAD");
    EXPECT_EQ(head.status, 200);
    EXPECT_EQ(head.header("Content-Length"), "14");
    EXPECT_EQ(head.body, "");

    // Bound to 127.0.0.1 alone: another address of this machine, even
    // another loopback one, finds nobody listening (all addresses would).
    const int probe = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(server.port()));
    address.sin_addr.s_addr = htonl(0x7f000002);
    EXPECT_NE(::connect(probe, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(probe);
}

TEST_F(PreviewServerTest, pagesGetTheReloadScriptAndTheirCharset_filesStayAsTheyAre)
{
    PreviewServer server(served());
    ASSERT_TRUE(server.start().ok());
    const Reply page = get(server, path(server, "page.html"));
    EXPECT_EQ(page.status, 200);
    EXPECT_EQ(page.header("Content-Type"), "text/html; charset=utf-8");
    EXPECT_NE(page.body.find("new EventSource(\"/" + server.secret() + "/.events\")"), std::string::npos);
    // Sent as a whole page: a document type, its encoding and a viewport.
    EXPECT_EQ(page.body.rfind("<!DOCTYPE html>\n<html><meta charset=\"utf-8\">\n"
                              "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
                              "<head><title>P</title><script>",
                              0),
              0u)
        << page.body;
    EXPECT_NE(page.body.find("</script></head><body><p>Hello</p></body></html>"), std::string::npos);
    EXPECT_EQ(kzt::test::readFile(served() / "page.html"),
              "<html><head><title>P</title></head><body><p>Hello</p></body></html>");

    const Reply old = get(server, path(server, "old.html"));
    EXPECT_EQ(old.header("Content-Type"), "text/html; charset=windows-1252");
    EXPECT_NE(old.body.find("caf\xe9"), std::string::npos);
    // Its own declaration stands; no second one.
    EXPECT_EQ(old.body.find("<meta charset"), std::string::npos);
    EXPECT_EQ(old.body.rfind("<!DOCTYPE html>\n<html><meta name=\"viewport\"", 0), 0u) << old.body;

    EXPECT_EQ(PreviewServer::declaredCharset("<meta charset='ISO-8859-1'>"), "iso-8859-1");
    EXPECT_EQ(PreviewServer::declaredCharset("<p>charset=koi8-r</p>"), "");
    EXPECT_EQ(PreviewServer::declaredCharset(std::string(1100, ' ') + "<meta charset=koi8-r>"), "");
    // A page without head or body still gets it, at the end.
    EXPECT_EQ(PreviewServer::withReloadScript("<p>x", "s", 0).rfind("<p>x<script>", 0), 0u);
}

TEST(PreviewServerWholePage, addsWhatAPageLacks_keepsWhatItHas)
{
    const std::string viewport = "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">";
    // The programs' pages: <HTML> on a line of its own, CR LF line ends.
    EXPECT_EQ(PreviewServer::wholePage("<HTML>\r\n<body>x</body>\r\n</HTML>\r\n", "utf-8"),
              "<!DOCTYPE html>\r\n<HTML>\r\n<meta charset=\"utf-8\">\r\n" + viewport
                  + "\r\n<body>x</body>\r\n</HTML>\r\n");
    // A page that declares its encoding keeps it, and the lines go after its <HTML> line.
    EXPECT_EQ(PreviewServer::wholePage("<HTML>\r\n<meta charset=\"windows-1252\">\r\n<p>caf\xe9\r\n", "windows-1252"),
              "<!DOCTYPE html>\r\n<HTML>\r\n" + viewport + "\r\n<meta charset=\"windows-1252\">\r\n<p>caf\xe9\r\n");
    // A whole page already: left as it is.
    const std::string whole = "<!doctype html>\n<html lang=\"en\">\n<meta charset=\"utf-8\">\n"
                              "<meta name=\"viewport\" content=\"width=400\">\n<p>x\n";
    EXPECT_EQ(PreviewServer::wholePage(whole, "utf-8"), whole);
    // A document type of its own is kept; the rest is added after <html>.
    EXPECT_EQ(PreviewServer::wholePage("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\">\n<html>\n<p>x", "utf-8"),
              "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\">\n<html>\n<meta charset=\"utf-8\">\n" + viewport
                  + "\n<p>x");
    // No <html> tag at all, a byte order mark first: the lines go at the top, after the mark.
    EXPECT_EQ(PreviewServer::wholePage("\xEF\xBB\xBF<p>x", "utf-8"),
              "\xEF\xBB\xBF<!DOCTYPE html>\n<meta charset=\"utf-8\">\n" + viewport + "\n<p>x");
    // <htmlx> is not <html>; an empty page still becomes a page.
    EXPECT_EQ(PreviewServer::wholePage("<htmlx>", "utf-8").rfind("<!DOCTYPE html>\n<meta charset", 0), 0u);
    EXPECT_EQ(PreviewServer::wholePage("", "utf-8"), "<!DOCTYPE html>\n<meta charset=\"utf-8\">\n" + viewport + "\n");
}

TEST_F(PreviewServerTest, refusesWrongSecretHostMethodAndListings)
{
    PreviewServer server(served());
    ASSERT_TRUE(server.start().ok());
    std::string wrong = server.secret();
    wrong[0] = wrong[0] == 'a' ? 'b' : 'a';
    EXPECT_EQ(get(server, "/" + wrong + "/menu.js").status, 404);
    EXPECT_EQ(get(server, "/menu.js").status, 404);
    EXPECT_EQ(get(server, "/").status, 404);
    EXPECT_EQ(get(server, "/" + server.secret()).status, 404);
    EXPECT_EQ(get(server, "/" + server.secret() + "/").status, 404);
    EXPECT_EQ(get(server, path(server, "missing.html")).status, 404);
    EXPECT_EQ(get(server, path(server, "sub")).status, 404);
    // What browsers ask for by themselves gets an empty answer, not an error in the page's console.
    const Reply icon = get(server, "/favicon.ico");
    EXPECT_EQ(icon.status, 204);
    EXPECT_EQ(icon.body, "");

    const std::string port = std::to_string(server.port());
    for (const std::string& host : std::vector<std::string>{"evil.example:" + port, "127.0.0.1", "localhost", "127.0.0.1:1",
                                                            "127.0.0.2:" + port, "[::1]:" + port, "localhost.:" + port}) {
        const Reply reply = get(server, path(server, "menu.js"), "GET", host);
        EXPECT_EQ(reply.status, 403) << host;
        EXPECT_EQ(reply.body.find("var menu"), std::string::npos) << host;
    }
    const Reply noHost =
        exchange(server.port(), "GET " + path(server, "menu.js") + " HTTP/1.0\r\nConnection: close\r\n\r\n");
    EXPECT_NE(noHost.status, 200);
    const Reply twoHosts = exchange(server.port(), "GET " + path(server, "menu.js") + " HTTP/1.1\r\nHost: evil.example\r\nHost: "
                                                       + hostOf(server) + "\r\nConnection: close\r\n\r\n");
    EXPECT_EQ(twoHosts.status, 403);

    for (const char* method : {"POST", "PUT", "DELETE", "OPTIONS", "PATCH"}) {
        const Reply reply = exchange(server.port(), std::string(method) + " " + path(server, "menu.js")
                                                        + " HTTP/1.1\r\nHost: " + hostOf(server)
                                                        + "\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
        EXPECT_TRUE(reply.status == 405 || reply.status == 400) << method << " " << reply.status;
        EXPECT_EQ(reply.body.find("var menu"), std::string::npos);
    }
    EXPECT_EQ(fs::file_size(served() / "menu.js"), 14u);
}

TEST_F(PreviewServerTest, refusesEveryFormOfDotDotSeparatorsAndNonBareNames)
{
    PreviewServer server(served());
    ASSERT_TRUE(server.start().ok());
    const std::string s = "/" + server.secret() + "/";
    for (const std::string& target : std::vector<std::string>{
             s + "../outside.txt", s + "%2e%2e/outside.txt", s + "%2E%2E/outside.txt", s + ".%2e/outside.txt",
          s + "..%2foutside.txt", s + "..%2Foutside.txt", s + "%2e%2e%2foutside.txt", s + "..%5coutside.txt",
          s + "..\\outside.txt", s + "%252e%252e%252foutside.txt", s + "..", s + "%2e%2e", s + ".",
          s + "sub/inner.txt", s + "sub%2finner.txt", s + "sub%5cinner.txt", s + "link.txt", s + ".hidden",
          s + "%2ehidden", s + "menu.js%00.txt", s + "C:outside.txt", s + "%zz", s + "menu.js%",
          "/" + server.secret() + "%2f..%2foutside.txt", "/..%2f" + server.secret() + "/menu.js",
          "http://evil.example" + s + "menu.js", "/" + server.secret() + "/./menu.js",
          "/" + server.secret() + "//menu.js"}) {
        const Reply reply = get(server, target);
        EXPECT_NE(reply.status, 200) << target;
        EXPECT_EQ(reply.body.find("SECRET-OUTSIDE"), std::string::npos) << target;
        EXPECT_EQ(reply.body.find("inner"), std::string::npos) << target;
        EXPECT_EQ(reply.body.find("hidden\n"), std::string::npos) << target;
    }
    // Still serving afterwards, and a query string does not matter.
    EXPECT_EQ(get(server, s + "menu.js?x=1").status, 200);
}

TEST_F(PreviewServerTest, askedPortIsUsed_aTakenOneFailsWithAMessage)
{
    PreviewServer first(served());
    ASSERT_TRUE(first.start().ok());
    PreviewServer second(served());
    const Status status = second.start(first.port());
    ASSERT_FALSE(status.ok());
    EXPECT_NE(status.message().find("127.0.0.1:" + std::to_string(first.port())), std::string::npos);
    const int port = first.port();
    first.stop();
    PreviewServer third(served());
    ASSERT_TRUE(third.start(port).ok());
    EXPECT_EQ(third.port(), port);
    EXPECT_EQ(get(third, "/" + third.secret() + "/menu.js").status, 200);
}

TEST_F(PreviewServerTest, manyConcurrentClientsAllServed_throughFewWorkers)
{
    PreviewServer::Limits limits;
    limits.connections = 3;
    PreviewServer server(served(), limits);
    ASSERT_TRUE(server.start().ok());
    std::atomic<int> good{0};
    std::vector<std::thread> clients;
    for (int i = 0; i < 48; ++i) {
        clients.emplace_back([&] {
            const Reply reply = get(server, path(server, "menu.js"));
            if (reply.status == 200 && reply.body == "var menu = 1;\n")
                ++good;
        });
    }
    for (std::thread& client : clients)
        client.join();
    EXPECT_EQ(good.load(), 48);
}

TEST_F(PreviewServerTest, eventStreamsAreCapped_carryReloadsAndNotices)
{
    PreviewServer::Limits limits;
    limits.eventStreams = 2;
    limits.heartbeat = 100ms;
    PreviewServer server(served(), limits);
    ASSERT_TRUE(server.start().ok());
    const std::string request =
        "GET " + path(server, ".events") + " HTTP/1.1\r\nHost: " + hostOf(server) + "\r\nAccept: text/event-stream\r\n\r\n";
    auto first = std::make_unique<Connection>(server.port());
    Connection second(server.port());
    first->send(request);
    // As a browser asks: the events must still come one by one, not held back by compression.
    second.send(request.substr(0, request.size() - 2) + "Accept-Encoding: gzip, deflate, br\r\n\r\n");
    EXPECT_NE(first->readUntil("data: 0\n").find("event: version\ndata: 0\n"), std::string::npos);
    const std::string opened = second.readUntil("data: 0\n");
    EXPECT_NE(opened.find("Content-Type: text/event-stream"), std::string::npos);
    EXPECT_NE(opened.find("Cache-Control: no-store"), std::string::npos);
    EXPECT_EQ(server.openEventStreams(), 2u);

    // One page too many.
    const Reply refused = exchange(server.port(), request.substr(0, request.size() - 2) + "Connection: close\r\n\r\n");
    EXPECT_EQ(refused.status, 503);
    // Files are still served while the streams are full.
    EXPECT_EQ(get(server, path(server, "menu.js")).status, 200);

    server.sendReload();
    EXPECT_NE(first->readUntil("data: 1\n").find("event: version\ndata: 1\n"), std::string::npos);
    EXPECT_NE(second.readUntil("data: 1\n").find("event: version\ndata: 1\n"), std::string::npos);
    server.setNotice("The project cannot be read.\nSecond line");
    EXPECT_NE(second.readUntil("Second line").find("event: notice\ndata: The project cannot be read.\ndata: Second line\n"),
              std::string::npos);

    // A page that goes away frees its place.
    first.reset();
    const auto end = std::chrono::steady_clock::now() + 10s;
    while (server.openEventStreams() > 1 && std::chrono::steady_clock::now() < end)
        std::this_thread::sleep_for(10ms);
    EXPECT_EQ(server.openEventStreams(), 1u);
    Connection third(server.port());
    third.send(request);
    EXPECT_NE(third.readUntil("data: 1\n").find("event: version\ndata: 1\n"), std::string::npos);

    // Stopping ends the open streams rather than waiting for them.
    const auto before = std::chrono::steady_clock::now();
    server.stop();
    EXPECT_LT(std::chrono::steady_clock::now() - before, 3s);
}

TEST_F(PreviewServerTest, aClientThatStopsReadingIsDropped)
{
    // Larger than what the kernel buffers between the two ends.
    writeFile(served() / "big.gif", std::string(16u << 20, 'x'));
    PreviewServer::Limits limits;
    limits.connections = 2;
    limits.ioTimeout = 300ms;
    PreviewServer server(served(), limits);
    ASSERT_TRUE(server.start().ok());
    const std::string request = "GET " + path(server, "big.gif") + " HTTP/1.1\r\nHost: " + hostOf(server) + "\r\n\r\n";
    Connection stuck1(server.port(), 4096);
    Connection stuck2(server.port(), 4096);
    stuck1.send(request);
    stuck2.send(request);
    // Both workers are now busy writing to clients that take nothing. A
    // third client is served once they are dropped.
    const auto before = std::chrono::steady_clock::now();
    const Reply reply = get(server, path(server, "menu.js"));
    EXPECT_EQ(reply.status, 200);
    EXPECT_LT(std::chrono::steady_clock::now() - before, 8s);
}
