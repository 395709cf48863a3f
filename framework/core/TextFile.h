#pragma once

#include "Status.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace kzt {

// Builds a text whose every line ends in CR LF, the line ending of every
// file the programs write.
class LineWriter
{
public:
    void line(std::string_view text)
    {
        m_text += text;
        m_text += "\r\n";
    }
    void reserve(std::size_t bytes) { m_text.reserve(bytes); }
    const std::string& text() const { return m_text; }
    std::string take() { return std::move(m_text); }

private:
    std::string m_text;
};

namespace TextFile {

// The whole file as bytes.
Status read(const std::filesystem::path& path, std::string& contents);

// Lines split at CR LF, LF or a lone CR; the terminators are dropped.
std::vector<std::string_view> splitLines(std::string_view text);

// Writes through a temporary file in the same folder and renames it over the
// target, so a failure leaves any old file whole.
Status writeAtomic(const std::filesystem::path& path, std::string_view contents);

// Copies a file the same way. Returns false when nothing was copied.
bool copyAtomic(const std::filesystem::path& from, const std::filesystem::path& to);

// "Cannot create file ..." style messages, in one place.
std::string cannotWriteMessage(const std::filesystem::path& path, int error);
std::string cannotReadMessage(const std::filesystem::path& path, int error);

} // namespace TextFile
} // namespace kzt
