#include "AppPaths.h"

#include "PreviewFolder.h"

#include <cctype>
#include <cerrno>
#include <cstring>
#include <cstdlib>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <mutex>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace kzt {

namespace fs = std::filesystem;

namespace {

std::string environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

fs::path homeFolder()
{
    const std::string home = environment("HOME");
    return home.empty() ? fs::path("/tmp") : fs::path(home);
}

fs::path executableFolder()
{
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::path() : exe.parent_path();
}

} // namespace

AppPaths AppPaths::forProduct(const std::string& executableName, const fs::path& sourceShareDir)
{
    AppPaths paths;
    std::string variable;
    for (char c : executableName)
        variable += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    variable += "_SHARE_DIR";

    std::error_code ec;
    const std::string overridden = environment(variable.c_str());
    const fs::path beside = executableFolder() / ".." / "share" / executableName;
    if (!overridden.empty())
        paths.shareDir = overridden;
    else if (!executableFolder().empty() && fs::is_directory(beside, ec))
        paths.shareDir = fs::weakly_canonical(beside, ec);
    else
        paths.shareDir = sourceShareDir;

    const std::string dataHome = environment("XDG_DATA_HOME");
    const fs::path base = dataHome.empty() || fs::path(dataHome).is_relative()
                              ? homeFolder() / ".local" / "share"
                              : fs::path(dataHome);
    paths.userDataDir = base / executableName;
    paths.previewDir = PreviewFolder::pathFor(paths.userDataDir);
    return paths;
}

bool AppPaths::ensurePrivateFolder(const fs::path& folder)
{
    std::error_code ec;
    if (fs::is_directory(folder, ec))
        return true;
    if (!folder.parent_path().empty() && folder.parent_path() != folder)
        fs::create_directories(folder.parent_path(), ec);
    if (::mkdir(folder.c_str(), 0700) == 0)
        return true;
    return fs::is_directory(folder, ec);
}

namespace {

fs::path g_scratch;
std::string g_scratchFailure;
std::once_flag g_scratchOnce;
const char* const kScratchPrefix = "kzt-";
const char* const kScratchLock = ".lock";

void removeScratch()
{
    std::error_code ec;
    if (!g_scratch.empty())
        fs::remove_all(g_scratch, ec);
}

bool isScratchName(const std::string& name)
{
    // "kzt-" and the six characters mkdtemp picks.
    if (name.size() != 10 || name.rfind(kScratchPrefix, 0) != 0)
        return false;
    for (std::size_t i = 4; i < name.size(); ++i) {
        const char c = name[i];
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')))
            return false;
    }
    return true;
}

// Every running program holds a lock on the ".lock" file of its scratch
// folder for as long as it lives. A folder of ours whose lock nobody holds
// belongs to a run that was killed; it is removed. A folder without a lock
// file is left alone unless it is old (its program may be starting up).
void removeScratchOfKilledRuns(const fs::path& base)
{
    DIR* dir = ::opendir(base.c_str());
    if (!dir)
        return;
    const uid_t me = ::geteuid();
    const std::time_t now = std::time(nullptr);
    std::vector<fs::path> dead;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name(entry->d_name);
        if (!isScratchName(name))
            continue;
        const fs::path folder = base / name;
        if (folder == g_scratch)
            continue;
        struct stat info {};
        if (::lstat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != me)
            continue;
        const int lock = ::open((folder / kScratchLock).c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
        if (lock < 0) {
            if (errno == ENOENT && now - info.st_mtime > 24 * 60 * 60)
                dead.push_back(folder);
            continue;
        }
        if (::flock(lock, LOCK_EX | LOCK_NB) == 0)
            dead.push_back(folder);
        ::close(lock);
    }
    ::closedir(dir);
    std::error_code ec;
    for (const fs::path& folder : dead)
        fs::remove_all(folder, ec);
}

void makeScratch()
{
    std::string base = environment("TMPDIR");
    if (base.empty())
        base = "/tmp";
    // A relative folder would put scratch files into the working folder.
    if (fs::path(base).is_relative()) {
        g_scratchFailure = "Cannot create a temporary folder: TMPDIR=\"" + base
                           + "\" is not an absolute path. Set TMPDIR to a writable folder.";
        return;
    }
    std::string pattern = base + "/" + kScratchPrefix + "XXXXXX";
    if (!::mkdtemp(pattern.data())) {
        g_scratchFailure = "Cannot create a temporary folder in \"" + base + "\": " + std::strerror(errno)
                           + ". Set TMPDIR to a writable folder.";
        return;
    }
    g_scratch = pattern;
    // Held until the process ends, however it ends; never inherited by the
    // programs it starts.
    const int lock = ::open((g_scratch / kScratchLock).c_str(),
                            O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (lock >= 0)
        ::flock(lock, LOCK_EX);
    std::atexit(removeScratch);
    removeScratchOfKilledRuns(base);
}

} // namespace

const fs::path& ScratchFolder::path()
{
    std::call_once(g_scratchOnce, makeScratch);
    return g_scratch;
}

const std::string& ScratchFolder::failure()
{
    std::call_once(g_scratchOnce, makeScratch);
    return g_scratchFailure;
}

} // namespace kzt
