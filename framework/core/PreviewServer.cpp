#include "PreviewServer.h"

#include "AppletUtility.h"

#include <httplib.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <deque>
#include <fcntl.h>
#include <functional>
#include <sys/random.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace kzt {

namespace fs = std::filesystem;

struct PreviewServer::Shared
{
    std::mutex mutex;
    std::condition_variable changed;
    std::uint64_t version = 0;
    std::string notice;
    std::string pageNotice;
    std::size_t streams = 0;
    bool stopping = false;
};

namespace {

// Worker threads that take a connection only when one of them is free: the
// listening loop waits meanwhile, so connections beyond the cap stay in the
// kernel's queue instead of piling up here.
class BoundedTaskQueue : public httplib::TaskQueue
{
public:
    explicit BoundedTaskQueue(std::size_t workers)
    {
        for (std::size_t i = 0; i < workers; ++i)
            m_threads.emplace_back([this] { work(); });
    }

    void enqueue(std::function<void()> fn) override
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_idle > m_jobs.size() || m_shutdown; });
        m_jobs.push_back(std::move(fn));
        m_changed.notify_all();
    }

    void shutdown() override
    {
        {
            std::lock_guard lock(m_mutex);
            m_shutdown = true;
        }
        m_changed.notify_all();
        for (std::thread& thread : m_threads)
            thread.join();
    }

private:
    void work()
    {
        std::unique_lock lock(m_mutex);
        for (;;) {
            ++m_idle;
            m_changed.notify_all();
            m_changed.wait(lock, [this] { return !m_jobs.empty() || m_shutdown; });
            --m_idle;
            if (m_jobs.empty())
                return;
            std::function<void()> job = std::move(m_jobs.front());
            m_jobs.pop_front();
            lock.unlock();
            job();
            job = nullptr;
            lock.lock();
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<std::function<void()>> m_jobs;
    std::vector<std::thread> m_threads;
    std::size_t m_idle = 0;
    bool m_shutdown = false;
};

std::string makeSecret()
{
    unsigned char bytes[16];
    std::size_t got = 0;
    while (got < sizeof bytes) {
        const ssize_t n = ::getrandom(bytes + got, sizeof bytes - got, 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    if (got < sizeof bytes)
        throw std::runtime_error("no random numbers for the preview address");
    static const char digits[] = "0123456789abcdef";
    std::string secret;
    for (unsigned char b : bytes) {
        secret += digits[b >> 4];
        secret += digits[b & 15];
    }
    return secret;
}

std::string lower(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// Decodes %XX escapes; fails on a malformed one, and on any escape of a
// path separator, a dot, a percent sign or a control character, so no
// spelling of "..", "/" or "\" gets through, nor a second round of decoding.
bool decodeName(std::string_view raw, std::string& name)
{
    name.clear();
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] != '%') {
            name += raw[i];
            continue;
        }
        if (i + 2 >= raw.size())
            return false;
        const int high = hexValue(raw[i + 1]);
        const int low = hexValue(raw[i + 2]);
        if (high < 0 || low < 0)
            return false;
        const char c = static_cast<char>(high * 16 + low);
        if (c == '/' || c == '\\' || c == '.' || c == '%' || static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            return false;
        name += c;
        i += 2;
    }
    return true;
}

bool sameText(std::string_view a, std::string_view b)
{
    // Compares every byte, however early they differ.
    if (a.size() != b.size())
        return false;
    unsigned char difference = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
        difference |= static_cast<unsigned char>(a[i] ^ b[i]);
    return difference == 0;
}

std::string contentTypeOf(const std::string& name)
{
    const std::size_t dot = name.rfind('.');
    const std::string ext = dot == std::string::npos ? std::string() : lower(name.substr(dot + 1));
    static const std::pair<const char*, const char*> types[] = {
        {"js", "text/javascript"},   {"css", "text/css"},          {"txt", "text/plain"},
        {"gif", "image/gif"},        {"jpg", "image/jpeg"},        {"jpeg", "image/jpeg"},
        {"png", "image/png"},        {"svg", "image/svg+xml"},     {"ico", "image/x-icon"},
        {"bmp", "image/bmp"},        {"webp", "image/webp"},       {"au", "audio/basic"},
        {"wav", "audio/wav"},        {"mid", "audio/midi"},        {"midi", "audio/midi"},
        {"mp3", "audio/mpeg"},       {"json", "application/json"}, {"xml", "application/xml"},
        {"class", "application/java-vm"}, {"jar", "application/java-archive"},
        {"zip", "application/zip"},  {"pdf", "application/pdf"},
    };
    for (const auto& [extension, type] : types) {
        if (ext == extension)
            return type;
    }
    return "application/octet-stream";
}

bool isHtml(const std::string& name)
{
    const std::size_t dot = name.rfind('.');
    if (dot == std::string::npos)
        return false;
    const std::string ext = lower(name.substr(dot + 1));
    return ext == "html" || ext == "htm";
}

enum class ReadResult { Read, Missing, TooLarge, Failed };

ReadResult readRegularFile(const fs::path& path, std::uint64_t maximum, std::string& contents)
{
    // Never through a link, never anything but a plain file.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return errno == ENOENT || errno == ELOOP || errno == ENOTDIR ? ReadResult::Missing : ReadResult::Failed;
    struct stat st{};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return ReadResult::Missing;
    }
    if (static_cast<std::uint64_t>(st.st_size) > maximum) {
        ::close(fd);
        return ReadResult::TooLarge;
    }
    contents.resize(static_cast<std::size_t>(st.st_size));
    std::size_t got = 0;
    while (got < contents.size()) {
        const ssize_t n = ::read(fd, contents.data() + got, contents.size() - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    ::close(fd);
    contents.resize(got);
    return ReadResult::Read;
}

void refuse(httplib::Response& res, int status, const char* text)
{
    res.status = status;
    res.set_content(std::string(text) + "\n", "text/plain; charset=utf-8");
}

// A body sent as it is. Given whole, a text would be compressed for a
// browser that accepts it, which on the loopback only costs time: a large
// page took seconds to compress on a busy machine. A body of known length
// from a provider goes out untouched.
void sendBody(httplib::Response& res, std::string body, const std::string& type)
{
    if (body.empty()) {
        res.set_content(body, type);
        return;
    }
    auto bytes = std::make_shared<const std::string>(std::move(body));
    res.set_content_provider(bytes->size(), type,
                             [bytes](std::size_t offset, std::size_t length, httplib::DataSink& sink) {
                                 if (offset >= bytes->size())
                                     return false;
                                 return sink.write(bytes->data() + offset, std::min(length, bytes->size() - offset));
                             });
}

// One event of the stream; a line break inside a text would end the field.
std::string event(const std::string& name, const std::string& data)
{
    std::string out = "event: " + name + "\n";
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = data.find_first_of("\r\n", start);
        out += "data: ";
        out.append(data, start, end == std::string::npos ? std::string::npos : end - start);
        out += '\n';
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return out + "\n";
}

std::string noticeText(const std::string& pageNotice, const std::string& notice)
{
    if (pageNotice.empty())
        return notice;
    if (notice.empty())
        return pageNotice;
    return notice + "\n" + pageNotice;
}

// Counts an open event stream for as long as its response lives.
class StreamTicket
{
public:
    explicit StreamTicket(std::shared_ptr<PreviewServer::Shared> shared) : m_shared(std::move(shared)) {}
    ~StreamTicket()
    {
        std::lock_guard lock(m_shared->mutex);
        --m_shared->streams;
    }
    StreamTicket(const StreamTicket&) = delete;
    StreamTicket& operator=(const StreamTicket&) = delete;

private:
    std::shared_ptr<PreviewServer::Shared> m_shared;
};

} // namespace

PreviewServer::PreviewServer(fs::path folder) : PreviewServer(std::move(folder), Limits{}) {}

PreviewServer::PreviewServer(fs::path folder, Limits limits)
    : m_folder(std::move(folder)), m_limits(limits), m_secret(makeSecret()), m_shared(std::make_shared<Shared>())
{
    m_limits.connections = std::max<std::size_t>(m_limits.connections, 2);
    // Pages must still load while every page holds its stream.
    m_limits.eventStreams = std::min(m_limits.eventStreams, m_limits.connections - 1);
}

PreviewServer::~PreviewServer()
{
    stop();
}

std::string PreviewServer::url(const std::string& fileName) const
{
    static const char digits[] = "0123456789ABCDEF";
    std::string encoded;
    for (unsigned char c : fileName) {
        if (std::isalnum(c) || c == '-' || c == '_' || c == '.' || c == '~') {
            encoded += static_cast<char>(c);
        } else {
            encoded += '%';
            encoded += digits[c >> 4];
            encoded += digits[c & 15];
        }
    }
    return "http://127.0.0.1:" + std::to_string(m_port) + "/" + m_secret + "/" + encoded;
}

std::uint64_t PreviewServer::version() const
{
    std::lock_guard lock(m_shared->mutex);
    return m_shared->version;
}

std::size_t PreviewServer::openEventStreams() const
{
    std::lock_guard lock(m_shared->mutex);
    return m_shared->streams;
}

void PreviewServer::sendReload()
{
    {
        std::lock_guard lock(m_shared->mutex);
        ++m_shared->version;
    }
    m_shared->changed.notify_all();
}

void PreviewServer::setNotice(const std::string& text)
{
    {
        std::lock_guard lock(m_shared->mutex);
        m_shared->notice = text;
    }
    m_shared->changed.notify_all();
}

void PreviewServer::setPageNotice(const std::string& text)
{
    {
        std::lock_guard lock(m_shared->mutex);
        m_shared->pageNotice = text;
    }
    m_shared->changed.notify_all();
}

std::string PreviewServer::declaredCharset(const std::string& page)
{
    // Where browsers look for it: a <meta> within the first 1024 bytes.
    const std::string head = lower(std::string_view(page).substr(0, 1024));
    std::size_t at = 0;
    while ((at = head.find("<meta", at)) != std::string::npos) {
        const std::size_t end = head.find('>', at);
        const std::string tag = head.substr(at, end == std::string::npos ? std::string::npos : end - at);
        at += 5;
        const std::size_t key = tag.find("charset");
        if (key == std::string::npos)
            continue;
        std::size_t i = key + 7;
        while (i < tag.size() && std::isspace(static_cast<unsigned char>(tag[i])))
            ++i;
        if (i >= tag.size() || tag[i] != '=')
            continue;
        ++i;
        while (i < tag.size() && (std::isspace(static_cast<unsigned char>(tag[i])) || tag[i] == '"' || tag[i] == '\''))
            ++i;
        std::string label;
        while (i < tag.size()
               && (std::isalnum(static_cast<unsigned char>(tag[i])) || tag[i] == '-' || tag[i] == '_' || tag[i] == ':'
                   || tag[i] == '.'))
            label += tag[i++];
        if (!label.empty())
            return label;
    }
    return {};
}

std::string PreviewServer::wholePage(const std::string& page, const std::string& charset)
{
    std::size_t start = 0;
    if (page.compare(0, 3, "\xEF\xBB\xBF") == 0)
        start = 3;
    std::size_t first = start;
    while (first < page.size() && std::isspace(static_cast<unsigned char>(page[first])))
        ++first;
    const std::string head = lower(std::string_view(page).substr(first, 4096));
    const std::size_t lineEnd = page.find('\n', first);
    const std::string newline = lineEnd != std::string::npos && lineEnd > 0 && page[lineEnd - 1] == '\r' ? "\r\n" : "\n";

    // Where the added lines go: after the <html> tag's line, else at the top.
    const bool typed = head.starts_with("<!doctype");
    std::size_t at = first;
    if (typed) {
        const std::size_t end = page.find('>', first);
        at = end == std::string::npos ? page.size() : end + 1;
    }
    std::size_t tag = head.find("<html");
    if (tag != std::string::npos && tag + 5 < head.size() && (head[tag + 5] == '>' || std::isspace(static_cast<unsigned char>(head[tag + 5])))) {
        const std::size_t end = page.find('>', first + tag);
        if (end != std::string::npos && end < first + 1024)
            at = end + 1;
    }
    if (page.compare(at, newline.size(), newline) == 0)
        at += newline.size();

    std::string added;
    if (declaredCharset(page).empty())
        added += "<meta charset=\"" + charset + "\">" + newline;
    const bool hasViewport = head.find("name=\"viewport\"") != std::string::npos
                             || head.find("name='viewport'") != std::string::npos
                             || head.find("name=viewport") != std::string::npos;
    if (!hasViewport)
        added += "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">" + newline;

    std::string out;
    out.reserve(page.size() + added.size() + 32);
    if (!typed) {
        out.append(page, 0, start);
        out += "<!DOCTYPE html>" + newline;
        out.append(page, start, at - start);
    } else {
        out.append(page, 0, at);
    }
    out += added;
    out.append(page, at, std::string::npos);
    return out;
}

std::string PreviewServer::withReloadScript(const std::string& page, const std::string& secret, std::uint64_t version)
{
    // Plain ASCII, so it reads the same in every page encoding. A page in a
    // frame of another preview page leaves the reloading to the top page.
    const std::string script =
        "<script>(function(){"
        "try{if(window.top!==window&&window.top.kztPreview)return;}catch(e){}"
        "window.kztPreview=1;var box=null,seen=\"" + std::to_string(version) + "\";"
        "function show(t){if(!document.body){document.addEventListener(\"DOMContentLoaded\",function(){show(t);});return;}"
        "if(!box){box=document.createElement(\"div\");box.id=\"kzt-preview-notice\";box.setAttribute(\"role\",\"status\");"
        "box.style.cssText=\"position:fixed;z-index:2147483647;left:8px;bottom:8px;max-width:40em;margin:0;"
        "padding:6px 10px;font:13px/1.4 sans-serif;color:#222;background:#fff8d0;border:1px solid #b08000;"
        "white-space:pre-wrap;text-align:left\";}"
        "box.textContent=t;if(t)document.body.appendChild(box);else if(box.parentNode)box.parentNode.removeChild(box);}"
        "var s=new EventSource(\"/" + secret + "/" + kEventsName + "\");"
        "s.addEventListener(\"version\",function(e){if(e.data!==seen){s.close();location.reload();}});"
        "s.addEventListener(\"notice\",function(e){show(e.data);});"
        "})();</script>";
    const std::string lowered = lower(page);
    std::size_t at = lowered.find("</head>");
    if (at == std::string::npos)
        at = lowered.rfind("</body>");
    if (at == std::string::npos)
        return page + script;
    std::string out;
    out.reserve(page.size() + script.size());
    out.append(page, 0, at);
    out += script;
    out.append(page, at, std::string::npos);
    return out;
}

Status PreviewServer::start(int port)
{
    if (m_server)
        return Status::failure("The preview server is already running.");
    auto server = std::make_unique<httplib::Server>();
    const Limits limits = m_limits;
    server->new_task_queue = [limits] { return new BoundedTaskQueue(limits.connections); };
    // Only the address we bind to may take our port: no SO_REUSEPORT.
    server->set_socket_options([](socket_t sock) {
        const int yes = 1;
        ::setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    });
    server->set_read_timeout(limits.ioTimeout);
    server->set_write_timeout(limits.ioTimeout);
    server->set_keep_alive_timeout(std::max<time_t>(1, static_cast<time_t>(limits.ioTimeout.count() / 1000)));
    server->set_payload_max_length(64 * 1024);
    server->set_default_headers({{"Cache-Control", "no-store"},
                                 {"X-Content-Type-Options", "nosniff"},
                                 // The secret must not travel to sites the page links to.
                                 {"Referrer-Policy", "no-referrer"}});

    std::shared_ptr<Shared> shared = m_shared;
    const fs::path folder = m_folder;
    const std::string secret = m_secret;
    server->set_pre_routing_handler([this, shared, folder, secret, limits](const httplib::Request& req,
                                                                            httplib::Response& res) {
        if (req.method != "GET" && req.method != "HEAD") {
            res.set_header("Allow", "GET, HEAD");
            refuse(res, 405, "Only GET and HEAD are served.");
            return httplib::Server::HandlerResponse::Handled;
        }
        const std::string host = lower(req.get_header_value("Host"));
        std::string portText(1, ':');
        portText += std::to_string(m_port);
        if (req.get_header_value_count("Host") != 1 || (host != "127.0.0.1" + portText && host != "localhost" + portText)) {
            refuse(res, 403, "Wrong Host.");
            return httplib::Server::HandlerResponse::Handled;
        }
        std::string_view target = req.target;
        target = target.substr(0, target.find_first_of("?#"));
        // Browsers ask for it on their own; nothing, rather than an error in the page's console.
        if (target == "/favicon.ico") {
            res.status = 204;
            return httplib::Server::HandlerResponse::Handled;
        }
        // "/SECRET/NAME" and nothing else.
        const std::string prefix = "/" + secret + "/";
        if (target.size() <= prefix.size() || !sameText(target.substr(0, prefix.size()), prefix)) {
            refuse(res, 404, "Not found.");
            return httplib::Server::HandlerResponse::Handled;
        }
        std::string name;
        if (!decodeName(target.substr(prefix.size()), name) || !IsBareFileName(name)
            || name.find_first_of("/\\") != std::string::npos) {
            refuse(res, 400, "Not a file name.");
            return httplib::Server::HandlerResponse::Handled;
        }
        if (name == kEventsName) {
            std::unique_lock lock(shared->mutex);
            if (shared->streams >= limits.eventStreams || shared->stopping) {
                lock.unlock();
                refuse(res, 503, "Too many open pages.");
                return httplib::Server::HandlerResponse::Handled;
            }
            if (req.method == "HEAD") {
                res.set_header("Content-Type", "text/event-stream");
                return httplib::Server::HandlerResponse::Handled;
            }
            ++shared->streams;
            lock.unlock();
            auto ticket = std::make_shared<StreamTicket>(shared);
            struct StreamState
            {
                bool started = false;
                std::uint64_t version = 0;
                std::string notice;
                std::chrono::steady_clock::time_point end;
            };
            auto state = std::make_shared<StreamState>();
            state->end = std::chrono::steady_clock::now() + limits.streamLifetime;
            // Exactly this type: the library compresses (and so holds back)
            // any other text for a browser that accepts gzip.
            res.set_chunked_content_provider(
                "text/event-stream", [shared, ticket, state, limits](std::size_t, httplib::DataSink& sink) {
                    std::string out;
                    {
                        std::unique_lock wait(shared->mutex);
                        if (state->started) {
                            const auto deadline =
                                std::min(state->end, std::chrono::steady_clock::now() + limits.heartbeat);
                            shared->changed.wait_until(wait, deadline, [&] {
                                return shared->stopping || shared->version != state->version
                                       || noticeText(shared->pageNotice, shared->notice) != state->notice;
                            });
                            if (shared->stopping || std::chrono::steady_clock::now() >= state->end)
                                return false;
                        } else {
                            // A page that lost its stream asks again soon.
                            out += "retry: 500\n\n";
                        }
                        const std::string notice = noticeText(shared->pageNotice, shared->notice);
                        if (!state->started || shared->version != state->version)
                            out += event("version", std::to_string(shared->version));
                        if (!state->started || notice != state->notice)
                            out += event("notice", notice);
                        state->version = shared->version;
                        state->notice = notice;
                        state->started = true;
                    }
                    if (out.empty())
                        out = ": still here\n\n";
                    return sink.is_writable() && sink.write(out.data(), out.size());
                });
            return httplib::Server::HandlerResponse::Handled;
        }
        if (name.front() == '.') {
            refuse(res, 404, "Not found.");
            return httplib::Server::HandlerResponse::Handled;
        }
        // The version first: a page newer than its version only reloads once more.
        std::uint64_t version = 0;
        {
            std::lock_guard lock(shared->mutex);
            version = shared->version;
        }
        std::string contents;
        switch (readRegularFile(folder / name, limits.maximumFileBytes, contents)) {
        case ReadResult::Read:
            break;
        case ReadResult::Missing:
            refuse(res, 404, "Not found.");
            return httplib::Server::HandlerResponse::Handled;
        case ReadResult::TooLarge:
            refuse(res, 413, "Too large to preview.");
            return httplib::Server::HandlerResponse::Handled;
        case ReadResult::Failed:
            refuse(res, 500, "Cannot read the file.");
            return httplib::Server::HandlerResponse::Handled;
        }
        res.status = 200;
        if (isHtml(name)) {
            std::string charset = declaredCharset(contents);
            if (charset.empty())
                charset = "utf-8";
            sendBody(res, withReloadScript(wholePage(contents, charset), secret, version), "text/html; charset=" + charset);
        } else {
            // No charset for other texts: they are in whatever encoding the
            // author wrote them, and the page that loads them knows which.
            sendBody(res, std::move(contents), contentTypeOf(name));
        }
        return httplib::Server::HandlerResponse::Handled;
    });

    int bound = 0;
    if (port == 0) {
        bound = server->bind_to_any_port("127.0.0.1");
    } else if (port > 0 && port < 65536 && server->bind_to_port("127.0.0.1", port)) {
        bound = port;
    } else {
        bound = -1;
    }
    if (bound <= 0) {
        return Status::failure(port == 0 ? std::string("Cannot listen on 127.0.0.1 for the preview.")
                                         : "Cannot listen on 127.0.0.1:" + std::to_string(port)
                                               + " for the preview: the port is taken or not allowed.");
    }
    m_port = bound;
    m_server = std::move(server);
    auto ended = std::make_shared<std::atomic<bool>>(false);
    m_thread = std::thread([server = m_server.get(), ended] {
        server->listen_after_bind();
        *ended = true;
    });
    // The library's stop() does nothing until the loop runs: wait for it, so
    // a stop right after the start cannot leave the loop waiting for ever.
    while (!m_server->is_running() && !*ended)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return Status::success();
}

void PreviewServer::stop()
{
    if (!m_server)
        return;
    {
        std::lock_guard lock(m_shared->mutex);
        m_shared->stopping = true;
    }
    m_shared->changed.notify_all();
    m_server->stop();
    if (m_thread.joinable())
        m_thread.join();
}

} // namespace kzt
