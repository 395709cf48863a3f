#include "AppPaths.h"

#include "PreviewFolder.h"

#include <cctype>
#include <cerrno>
#include <cstring>
#include <cstdlib>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

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

void removeScratch()
{
    std::error_code ec;
    if (!g_scratch.empty())
        fs::remove_all(g_scratch, ec);
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
    std::string pattern = base + "/kzt-XXXXXX";
    if (!::mkdtemp(pattern.data())) {
        g_scratchFailure = "Cannot create a temporary folder in \"" + base + "\": " + std::strerror(errno)
                           + ". Set TMPDIR to a writable folder.";
        return;
    }
    g_scratch = pattern;
    std::atexit(removeScratch);
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
