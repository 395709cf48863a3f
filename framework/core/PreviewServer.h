#pragma once

#include "Status.h"

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace httplib {
class Server;
}

namespace kzt {

// Serves the files of one private preview folder to a browser on this
// machine, and tells the open pages to reload when the document changes.
//
// Only 127.0.0.1 is listened on, and only requests for
// http://127.0.0.1:PORT/SECRET/NAME (or localhost:PORT) are answered, where
// SECRET is made anew for each server and NAME is a bare file name of the
// folder: another page in the browser can neither guess the address nor
// reach it through a name of its own that resolves here. HTML pages get one
// small script, added as they are sent and never written into a file, that
// listens on an event stream and reloads the page when told to.
class PreviewServer
{
public:
    struct Limits
    {
        // Connections served at once; more wait in the listening queue.
        std::size_t connections = 16;
        // Open event streams (one per open page); more are refused.
        std::size_t eventStreams = 8;
        // A client that sends or takes nothing for this long is dropped.
        std::chrono::milliseconds ioTimeout{5000};
        // How often an idle event stream is written to, so a closed page is noticed.
        std::chrono::milliseconds heartbeat{2000};
        // An event stream ends after this long and the page opens a new one,
        // so a client that never reads cannot keep one for ever.
        std::chrono::milliseconds streamLifetime{120000};
        // The largest file served.
        std::uint64_t maximumFileBytes = 256ull * 1024 * 1024;
    };

    explicit PreviewServer(std::filesystem::path folder);
    PreviewServer(std::filesystem::path folder, Limits limits);
    ~PreviewServer();
    PreviewServer(const PreviewServer&) = delete;
    PreviewServer& operator=(const PreviewServer&) = delete;

    // Listens on 127.0.0.1:port, on a free port when port is 0.
    Status start(int port = 0);
    // Ends the event streams and the server; start() may not be called again.
    void stop();

    bool running() const { return m_thread.joinable(); }
    int port() const { return m_port; }
    const std::string& secret() const { return m_secret; }
    const std::filesystem::path& folder() const { return m_folder; }
    // The address of a file of the folder.
    std::string url(const std::string& fileName) const;

    // Every open page reloads. Call it after the new files are in place.
    void sendReload();
    // A line the open pages show in a small box, empty for none: why the
    // page shown is not the document's latest, for example.
    void setNotice(const std::string& text);
    // A standing line shown with it on every page (the page as published
    // will differ from the one shown).
    void setPageNotice(const std::string& text);

    // How many reloads were sent.
    std::uint64_t version() const;
    std::size_t openEventStreams() const;

    // The name of the event stream below the secret; never a file name of
    // the folder, since names starting with a dot are not served.
    static constexpr const char* kEventsName = ".events";

    // The charset a page declares in a <meta> element near its start, empty
    // when it declares none.
    static std::string declaredCharset(const std::string& page);
    // The page as a whole page of its own, as a browser on any screen wants
    // it: a document type, the encoding it is sent in and a viewport, each
    // added only where the page lacks it. The generated pages are snippets
    // for the author's own page, so this is done as they are sent.
    static std::string wholePage(const std::string& page, const std::string& charset);
    // The page with the reload script added.
    static std::string withReloadScript(const std::string& page, const std::string& secret, std::uint64_t version);

    // What the server's threads share with it; defined in the source.
    struct Shared;

private:
    std::filesystem::path m_folder;
    Limits m_limits;
    std::string m_secret;
    int m_port = 0;
    std::shared_ptr<Shared> m_shared;
    std::unique_ptr<httplib::Server> m_server;
    std::thread m_thread;
};

} // namespace kzt
