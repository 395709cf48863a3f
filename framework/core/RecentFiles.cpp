#include "RecentFiles.h"

#include "AppPaths.h"
#include "TextFile.h"

#include <algorithm>

namespace kzt {

Status RecentFiles::readLines(TStringArray& lines) const
{
    lines.clear();
    std::error_code ec;
    if (!std::filesystem::exists(m_file, ec)) {
        AppPaths::ensurePrivateFolder(m_file.parent_path());
        return TextFile::writeAtomic(m_file, "");
    }
    std::string contents;
    Status status = TextFile::read(m_file, contents);
    if (!status)
        return status;
    for (std::string_view line : TextFile::splitLines(contents)) {
        if (lines.size() == kMaximum)
            break;
        lines.emplace_back(line);
    }
    return Status::success();
}

Status RecentFiles::load(TStringArray& captions) const
{
    TStringArray lines;
    Status status = readLines(lines);
    captions.clear();
    for (const std::string& line : lines) {
        if (!line.empty())
            captions.push_back(line);
    }
    return status;
}

Status RecentFiles::add(const std::string& path) const
{
    if (path.empty())
        return Status::success();
    TStringArray lines;
    Status status = readLines(lines);
    if (!status)
        return status;
    TStringArray entries(kMaximum);
    for (std::size_t i = 0; i < lines.size(); ++i)
        entries[i] = pathOf(lines[i]);
    if (std::find(entries.begin(), entries.end(), path) != entries.end())
        return Status::success();

    std::rotate(entries.rbegin(), entries.rbegin() + 1, entries.rend());
    entries[0] = path;
    LineWriter out;
    std::size_t position = 0;
    for (const std::string& entry : entries) {
        ++position;
        if (!entry.empty())
            out.line(std::string("&").append(std::to_string(position)).append(" ").append(entry));
    }
    return TextFile::writeAtomic(m_file, out.text());
}

std::string RecentFiles::pathOf(const std::string& caption)
{
    return caption.size() > 3 ? caption.substr(3) : std::string();
}

} // namespace kzt
