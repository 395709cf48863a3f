#pragma once

#include "ByteScan.h"

#include <string_view>
#include <vector>

namespace kzt {

// Walks the lines of a tagged file, looking only for the tags a reader needs.
// Lines end at CR LF, LF or a lone CR, as TextFile::splitLines splits them;
// a text is walked in place, without an index of its lines.
class LineCursor
{
public:
    explicit LineCursor(std::string_view text) : m_text(text) {}
    explicit LineCursor(std::vector<std::string_view> lines) : m_lines(std::move(lines)), m_indexed(true) {}

    bool skipTo(std::string_view tag)
    {
        std::string_view line;
        while (next(line)) {
            if (line == tag)
                return true;
        }
        return false;
    }
    bool next(std::string_view& line)
    {
        if (m_indexed) {
            if (m_next >= m_lines.size())
                return false;
            line = m_lines[m_next++];
            return true;
        }
        if (m_position >= m_text.size())
            return false;
        const std::size_t end = ByteScan::find<'\r', '\n'>(m_text, m_position);
        if (end == std::string_view::npos) {
            line = m_text.substr(m_position);
            m_position = m_text.size();
            return true;
        }
        line = m_text.substr(m_position, end - m_position);
        m_position = end + 1;
        if (m_text[end] == '\r' && m_position < m_text.size() && m_text[m_position] == '\n')
            ++m_position;
        return true;
    }

private:
    std::string_view m_text;
    std::size_t m_position = 0;
    std::vector<std::string_view> m_lines;
    std::size_t m_next = 0;
    bool m_indexed = false;
};

} // namespace kzt
