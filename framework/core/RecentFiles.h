#pragma once

#include "Records.h"
#include "Status.h"

#include <filesystem>
#include <string>

namespace kzt {

// The list of the four most recently opened projects, kept in
// "recentfile.dat" as lines of "&", the position, a blank and the path, so
// that each menu entry's digit is its access key.
class RecentFiles
{
public:
    static constexpr std::size_t kMaximum = 4;

    explicit RecentFiles(std::filesystem::path file) : m_file(std::move(file)) {}

    // The menu captions, one per non-empty line; creates an empty list file
    // when there is none.
    Status load(TStringArray& captions) const;
    // Puts the path first unless it is listed already.
    Status add(const std::string& path) const;

    // The path a menu caption stands for.
    static std::string pathOf(const std::string& caption);

private:
    Status readLines(TStringArray& lines) const;

    std::filesystem::path m_file;
};

} // namespace kzt
