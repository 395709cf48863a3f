#include "ServeCommand.h"

#include "AppletAgent.h"
#include "AppletUtility.h"
#include "PreviewServer.h"
#include "ProductProfile.h"

#include <cerrno>
#include <cstdint>
#include <csignal>
#include <ctime>
#include <ostream>
#include <poll.h>
#include <pthread.h>
#include <sys/inotify.h>
#include <sys/signalfd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kzt {

namespace fs = std::filesystem;

namespace {

constexpr const char* kPageName = "~preview.html";
constexpr long kPollNanoseconds = 150'000'000;
// With word of changes from the system: how long a change must rest before
// it is published, and how often the files are looked at all the same (a
// folder on a network disk may change without word).
constexpr int kSettleMilliseconds = 40;
constexpr int kSafetyLookMilliseconds = 1000;

// What a file looked like at one look: a change of any part is a change.
struct FileMark
{
    bool exists = false;
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    long long modified = 0;
    long long changed = 0;

    bool operator==(const FileMark&) const = default;
};

FileMark markOf(const fs::path& path)
{
    FileMark mark;
    struct stat st{};
    if (::stat(path.c_str(), &st) != 0)
        return mark;
    mark.exists = true;
    mark.device = st.st_dev;
    mark.inode = st.st_ino;
    mark.size = st.st_size;
    mark.modified = static_cast<long long>(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec;
    mark.changed = static_cast<long long>(st.st_ctim.tv_sec) * 1'000'000'000 + st.st_ctim.tv_nsec;
    return mark;
}

std::vector<FileMark> marksOf(const std::vector<fs::path>& paths)
{
    std::vector<FileMark> marks;
    marks.reserve(paths.size());
    for (const fs::path& path : paths)
        marks.push_back(markOf(path));
    return marks;
}

class ServeJob
{
public:
    ServeJob(CommandContext& context, fs::path project)
        : m_context(context), m_project(std::move(project)), m_folder(context.paths.previewDir)
    {
    }

    // Publishes the project into the served folder; on failure the files of
    // the last good page stay as they are.
    Status publish()
    {
        AppPaths paths = m_context.paths;
        paths.previewDir = m_folder;
        TkztAppletAgent agent(m_context.product, paths);
        m_context.prepare(agent);
        // The author sees the menu whatever the publishing option says.
        if (!agent.info().browserRuntime.empty())
            agent.SetScriptRuntime(true);
        Status status = agent.ReadProjectFile(m_project);
        if (status) {
            m_watched = watchedFiles(agent);
            agent.CopyImagesToPreview(m_project.parent_path());
            agent.CopyScriptsToPreview();
            std::string page;
            status = agent.BuildHTMLText(page);
            if (status)
                status = agent.WritePreviewPage(page);
        }
        CommandLine::printNotes(agent, m_context.err);
        return status;
    }

    // The project file and the files its items name, beside it.
    std::vector<fs::path> watchedFiles(const TkztAppletAgent& agent) const
    {
        std::vector<fs::path> paths{m_project};
        const fs::path folder = m_project.parent_path();
        for (std::size_t field : agent.info().appletFileFields) {
            const std::string_view name = agent.AppletData.get(field);
            if (IsBareFileName(name))
                paths.push_back(folder / std::string(name));
        }
        for (const std::string& name : agent.ItemFileNames(true)) {
            if (IsBareFileName(name))
                paths.push_back(folder / name);
        }
        return paths;
    }

    const std::vector<fs::path>& watched() const { return m_watched; }
    const fs::path& folder() const { return m_folder; }

private:
    CommandContext& m_context;
    fs::path m_project;
    fs::path m_folder;
    std::vector<fs::path> m_watched;
};

// SIGINT and SIGTERM are taken by sigtimedwait in the watching loop, so they
// end it cleanly, never in the middle of a write. Blocked before any thread
// starts, so the server's threads never take them either.
class SignalBlock
{
public:
    SignalBlock()
    {
        sigemptyset(&m_set);
        sigaddset(&m_set, SIGINT);
        sigaddset(&m_set, SIGTERM);
        sigaddset(&m_set, SIGHUP);
        pthread_sigmask(SIG_BLOCK, &m_set, &m_old);
    }
    ~SignalBlock()
    {
        // Drop what arrived meanwhile rather than die of it after a clean end.
        timespec none{0, 0};
        while (sigtimedwait(&m_set, nullptr, &none) > 0) {
        }
        pthread_sigmask(SIG_SETMASK, &m_old, nullptr);
    }
    SignalBlock(const SignalBlock&) = delete;
    SignalBlock& operator=(const SignalBlock&) = delete;

    // Waits up to the given time; true when a signal asks to end.
    bool wait(long nanoseconds)
    {
        timespec tick{0, nanoseconds};
        const int signal = sigtimedwait(&m_set, nullptr, &tick);
        return signal == SIGINT || signal == SIGTERM || signal == SIGHUP;
    }
    const sigset_t& set() const { return m_set; }

private:
    sigset_t m_set;
    sigset_t m_old;
};

// Word from the system (inotify) when anything in the project's folder
// changes, and the end signals as a descriptor beside it, so one wait
// covers both. Where either is missing, the caller looks at the files on
// its own clock instead.
class ChangeWatch
{
public:
    ChangeWatch(const fs::path& folder, const sigset_t& signals)
    {
        m_signals = ::signalfd(-1, &signals, SFD_NONBLOCK | SFD_CLOEXEC);
        m_changes = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        constexpr std::uint32_t kEvents = IN_CLOSE_WRITE | IN_MODIFY | IN_ATTRIB | IN_CREATE | IN_DELETE | IN_MOVED_FROM
                                          | IN_MOVED_TO | IN_DELETE_SELF | IN_MOVE_SELF;
        if (m_changes >= 0 && ::inotify_add_watch(m_changes, folder.c_str(), kEvents) < 0) {
            ::close(m_changes);
            m_changes = -1;
        }
    }
    ~ChangeWatch()
    {
        if (m_changes >= 0)
            ::close(m_changes);
        if (m_signals >= 0)
            ::close(m_signals);
    }
    ChangeWatch(const ChangeWatch&) = delete;
    ChangeWatch& operator=(const ChangeWatch&) = delete;

    bool usable() const { return m_changes >= 0 && m_signals >= 0; }

    enum class Woken { Timeout, Changed, Ended };
    Woken wait(int milliseconds)
    {
        pollfd fds[2] = {{m_signals, POLLIN, 0}, {m_changes, POLLIN, 0}};
        const int ready = ::poll(fds, 2, milliseconds);
        if (ready <= 0)
            return Woken::Timeout;
        if (fds[0].revents & POLLIN) {
            signalfd_siginfo info{};
            while (::read(m_signals, &info, sizeof info) == static_cast<ssize_t>(sizeof info)) {
                if (info.ssi_signo == SIGINT || info.ssi_signo == SIGTERM || info.ssi_signo == SIGHUP)
                    return Woken::Ended;
            }
        }
        if (fds[1].revents & POLLIN) {
            char buffer[4096];
            while (::read(m_changes, buffer, sizeof buffer) > 0) {
            }
            return Woken::Changed;
        }
        return Woken::Timeout;
    }

private:
    int m_signals = -1;
    int m_changes = -1;
};

bool parsePort(const std::string& text, int& port)
{
    if (text.empty() || text.size() > 5)
        return false;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    if (value < 1 || value > 65535)
        return false;
    port = value;
    return true;
}

int serve(CommandContext& context, const std::vector<std::string>& args, const std::string&)
{
    const ProductInfo& info = context.product.info();
    int port = 0;
    if (args.size() != 1 && !(args.size() == 3 && args[1] == "--port" && parsePort(args[2], port))) {
        context.err << "Usage: " << info.executableName << " --serve PROJECT [--port N]  (N from 1 to 65535)\n";
        return 2;
    }
    const fs::path project = fs::absolute(args[0]);
    ServeJob job(context, project);
    if (!AppPaths::ensurePrivateFolder(job.folder())) {
        context.err << info.executableName << ": Cannot create folder \"" << job.folder().string() << "\".\n";
        return 1;
    }
    const Status first = job.publish();
    if (!first) {
        context.err << first.message() << '\n';
        return 1;
    }

    SignalBlock signals;
    PreviewServer server(job.folder());
    const Status started = server.start(port);
    if (!started) {
        context.err << info.executableName << ": " << started.message() << '\n';
        return 1;
    }
    if (!info.browserRuntime.empty() && !context.scriptRuntime) {
        server.setPageNotice("The published page will not load " + info.browserRuntime
                             + ", so browsers without Java show nothing there: publish with --script-runtime "
                               "to add it.");
    }
    context.out << server.url(kPageName) << '\n';
    context.out.flush();
    if (!context.out) {
        context.err << info.executableName << ": cannot write the address of the page.\n";
        return 1;
    }

    std::vector<fs::path> watched = job.watched();
    std::vector<FileMark> published = marksOf(watched);
    std::vector<FileMark> last = published;
    ChangeWatch changes(project.parent_path(), signals.set());
    bool unsettled = false;
    for (;;) {
        if (changes.usable()) {
            // Told of changes: look soon after one, and now and then anyway.
            const ChangeWatch::Woken woken = changes.wait(unsettled ? kSettleMilliseconds : kSafetyLookMilliseconds);
            if (woken == ChangeWatch::Woken::Ended)
                break;
            if (woken == ChangeWatch::Woken::Changed) {
                unsettled = true;
                last = marksOf(watched);
                continue;
            }
        } else if (signals.wait(kPollNanoseconds)) {
            break;
        }
        const std::vector<FileMark> now = marksOf(watched);
        // Wait for a change to settle over one look, so a file caught half
        // written is not taken for a damaged project.
        const bool settled = now == last;
        unsettled = !settled;
        last = now;
        if (!settled || now == published)
            continue;
        published = now;
        const Status status = job.publish();
        if (!status) {
            context.err << info.executableName << ": " << status.message()
                        << " The page shows the last version that could be read.\n";
            server.setNotice("The project cannot be read: " + status.message()
                             + " This is the last version that could be read.");
            continue;
        }
        server.setNotice({});
        server.sendReload();
        if (job.watched() != watched) {
            watched = job.watched();
            published = marksOf(watched);
            last = published;
        }
    }
    server.stop();
    std::error_code ec;
    fs::remove_all(job.folder(), ec);
    return 0;
}

} // namespace

CommandLineOption serveOption()
{
    CommandLineOption option{"--serve", "PROJECT [--port N]",
                             "serve PROJECT's page on 127.0.0.1 (port N, or a free one), print its address, and "
                             "reload it in the browser whenever PROJECT or its files change, until interrupted",
                             1, false, serve};
    option.optionalArguments = 2;
    return option;
}

} // namespace kzt
