#pragma once

// What the document benchmarks share: timing and a private folder with the
// program's folders inside, removed when the benchmark ends.

#include "AppPaths.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace bench {

inline double millisecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// Milliseconds one operation takes; a failed operation ends the benchmark.
template <typename F>
double timed(F&& f)
{
    const auto start = std::chrono::steady_clock::now();
    if (!f()) {
        std::fprintf(stderr, "operation failed\n");
        std::exit(1);
    }
    return millisecondsSince(start);
}

class Folder
{
public:
    explicit Folder(const std::string& name)
    {
        std::string pattern = (std::filesystem::temp_directory_path() / (name + "-XXXXXX")).string();
        if (!::mkdtemp(pattern.data())) {
            std::perror("mkdtemp");
            std::exit(1);
        }
        m_path = pattern;
        m_paths.shareDir = m_path / "share";
        m_paths.userDataDir = m_path / "user";
        m_paths.previewDir = m_path / "preview";
    }
    ~Folder()
    {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    const kzt::AppPaths& paths() const { return m_paths; }

private:
    std::filesystem::path m_path;
    kzt::AppPaths m_paths;
};

} // namespace bench
