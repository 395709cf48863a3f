#include "PreviewFolder.h"

#include "AppPaths.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <map>
#include <mutex>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kzt {

namespace fs = std::filesystem;

namespace {

struct Claim
{
    fs::path folder;
    fs::path lockFile;
    int fd = -1;
    // A child forked from the program inherits its claims but owns none.
    pid_t owner = 0;
};

std::mutex g_mutex;
std::map<fs::path, Claim> g_claims; // by preview root

fs::path lockFileOf(const fs::path& root, const std::string& id)
{
    return root / (id + ".lock");
}

// True when the open file is still the one the path names, so a lock on it
// is a lock on the live lock file and not on one unlinked meanwhile.
bool stillAtPath(int fd, const fs::path& path)
{
    struct stat opened {};
    struct stat named {};
    if (::fstat(fd, &opened) != 0 || ::lstat(path.c_str(), &named) != 0)
        return false;
    return opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

// Opens and locks an id's lock file without waiting. -1 when another
// program holds it or it cannot be opened.
int lockId(const fs::path& root, const std::string& id)
{
    const fs::path path = lockFileOf(root, id);
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd < 0)
            return -1;
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            ::close(fd);
            return -1;
        }
        if (stillAtPath(fd, path))
            return fd;
        // Cleared by another program between open and lock: try again.
        ::close(fd);
    }
    return -1;
}

// Ids are a process id, optionally followed by "-" and a number.
bool isPreviewId(const std::string& id)
{
    if (id.empty() || id.front() == '-' || id.back() == '-')
        return false;
    bool dash = false;
    for (char c : id) {
        if (c == '-') {
            if (dash)
                return false;
            dash = true;
        } else if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}

bool ownId(const fs::path& root, const std::string& id)
{
    const auto it = g_claims.find(root);
    return it != g_claims.end() && it->second.owner == ::getpid() && it->second.folder.filename() == id;
}

void clearStaleLocked(const fs::path& root)
{
    std::error_code ec;
    std::map<std::string, bool> ids;
    for (fs::directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        std::string id = name;
        if (name.size() > 5 && name.ends_with(".lock"))
            id = name.substr(0, name.size() - 5);
        if (isPreviewId(id) && !ownId(root, id))
            ids[id] = true;
    }
    for (const auto& [id, unused] : ids) {
        (void)unused;
        const int fd = lockId(root, id);
        if (fd < 0)
            continue; // its program still runs
        std::error_code removeError;
        fs::remove_all(root / id, removeError);
        ::unlink(lockFileOf(root, id).c_str());
        ::close(fd);
    }
}

void releaseClaims()
{
    std::lock_guard<std::mutex> guard(g_mutex);
    for (auto& [root, claim] : g_claims) {
        (void)root;
        if (claim.fd < 0 || claim.owner != ::getpid())
            continue;
        std::error_code ec;
        // Empty by now when the window cleared its preview; anything else
        // is cleared by the next program that starts.
        fs::remove(claim.folder, ec);
        if (stillAtPath(claim.fd, claim.lockFile))
            ::unlink(claim.lockFile.c_str());
        ::close(claim.fd);
        claim.fd = -1;
    }
}

} // namespace

fs::path PreviewFolder::claim(const fs::path& userDataDir)
{
    const fs::path root = userDataDir / "preview";
    std::lock_guard<std::mutex> guard(g_mutex);
    if (const auto it = g_claims.find(root); it != g_claims.end()) {
        if (it->second.owner == ::getpid())
            return it->second.folder;
        g_claims.erase(it);
    }

    const std::string pid = std::to_string(::getpid());
    Claim claim;
    claim.owner = ::getpid();
    claim.folder = root / pid;
    if (AppPaths::ensurePrivateFolder(userDataDir) && AppPaths::ensurePrivateFolder(root)) {
        // Another program may hold the same process id in another process
        // namespace sharing this folder; then take the next free id.
        for (int n = 0; n < 100 && claim.fd < 0; ++n) {
            const std::string id = n == 0 ? pid : pid + "-" + std::to_string(n);
            claim.fd = lockId(root, id);
            if (claim.fd >= 0) {
                claim.folder = root / id;
                claim.lockFile = lockFileOf(root, id);
            }
        }
    }
    if (claim.fd >= 0) {
        const std::string text = pid + "\n";
        if (::ftruncate(claim.fd, 0) == 0 && ::write(claim.fd, text.data(), text.size()) < 0) {
            // The lock matters, not its text.
        }
        // What a program that held this id before left behind is not ours.
        std::error_code ec;
        fs::remove_all(claim.folder, ec);
        static std::once_flag registered;
        std::call_once(registered, [] { std::atexit(releaseClaims); });
    }
    g_claims.emplace(root, claim);
    if (claim.fd >= 0)
        clearStaleLocked(root);
    return claim.folder;
}

fs::path PreviewFolder::pathFor(const fs::path& userDataDir)
{
    {
        std::lock_guard<std::mutex> guard(g_mutex);
        const auto it = g_claims.find(userDataDir / "preview");
        if (it != g_claims.end() && it->second.owner == ::getpid())
            return it->second.folder;
    }
    return userDataDir / "preview" / std::to_string(::getpid());
}

void PreviewFolder::clearStale(const fs::path& userDataDir)
{
    std::lock_guard<std::mutex> guard(g_mutex);
    clearStaleLocked(userDataDir / "preview");
}

} // namespace kzt
