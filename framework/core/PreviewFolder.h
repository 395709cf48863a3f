#pragma once

#include <filesystem>

namespace kzt {

// Each running program stages its previews in a folder of its own,
// <user data>/preview/<id>, so one window's New or Exit never deletes what
// another staged and a Save never publishes another window's picture. A
// lock file beside the folder, <id>.lock, holds the program's process id
// and stays locked while the program runs; a folder whose lock nobody holds
// belongs to a program that has ended and is cleared.
class PreviewFolder
{
public:
    // This program's preview folder below the user data folder. The first
    // call for a folder takes the lock and clears the folders of programs no
    // longer running; later calls give the same path. When the lock cannot
    // be taken (no user folder) the path is still a private one, unlocked.
    // A window calls this at start-up; command-line jobs, which stage in
    // scratch, never do.
    static std::filesystem::path claim(const std::filesystem::path& userDataDir);

    // The folder claim() gives in the usual case, without touching the disk.
    static std::filesystem::path pathFor(const std::filesystem::path& userDataDir);

    // Removes the preview folders, and their lock files, of programs no
    // longer running; the folders of running programs stay.
    static void clearStale(const std::filesystem::path& userDataDir);
};

} // namespace kzt
