#pragma once

#include <string_view>
#include <vector>

namespace kzt {

// Walks the lines of a tagged file, looking only for the tags a reader needs.
class LineCursor
{
public:
    explicit LineCursor(std::vector<std::string_view> lines) : m_lines(std::move(lines)) {}

    bool skipTo(std::string_view tag)
    {
        while (m_next < m_lines.size()) {
            if (m_lines[m_next++] == tag)
                return true;
        }
        return false;
    }
    bool next(std::string_view& line)
    {
        if (m_next >= m_lines.size())
            return false;
        line = m_lines[m_next++];
        return true;
    }

private:
    std::vector<std::string_view> m_lines;
    std::size_t m_next = 0;
};

} // namespace kzt
