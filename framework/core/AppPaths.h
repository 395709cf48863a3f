#pragma once

#include <filesystem>
#include <string>

namespace kzt {

// The folders a program uses. Shipped files are only read from the share
// folder; everything the program writes goes to the user's data folder or
// to a private scratch folder.
struct AppPaths
{
    std::filesystem::path shareDir;    // runtime files, templates, samples, help
    std::filesystem::path userDataDir; // recent files, saved templates, generated runtime files
    std::filesystem::path previewDir;  // copies made for previewing

    std::filesystem::path recentFilesPath() const { return userDataDir / "recentfile.dat"; }
    std::filesystem::path userTemplatesDir() const { return userDataDir / "templates"; }

    // Share folder: $<PRODUCT>_SHARE_DIR, else <exe folder>/../share/<product>,
    // else the source tree's copy. User folder: $XDG_DATA_HOME/<product>.
    // Preview folder: this running program's own, below the user folder;
    // the window claims it at start-up (PreviewFolder::claim), which also
    // clears those of programs that have ended. Nothing is written here.
    static AppPaths forProduct(const std::string& executableName, const std::filesystem::path& sourceShareDir);

    // Creates a folder (and its parents) readable only by the user.
    static bool ensurePrivateFolder(const std::filesystem::path& folder);
};

// A private temporary folder for this process, removed at exit: made in
// $TMPDIR, or /tmp when that is unset.
class ScratchFolder
{
public:
    // Empty when no such folder can be made; nothing may then fall back to
    // the working folder.
    static const std::filesystem::path& path();
    // Why path() is empty, as a message for the user; empty when it is not.
    static const std::string& failure();
};

} // namespace kzt
