#pragma once

#include "ByteScan.h"

#include <cstring>
#include <string>
#include <string_view>

namespace kzt {

// A value inside a double-quoted attribute of a generated page: a quote mark
// would end the value early, so it is written as an entity; every other byte
// goes in as stored.
inline void AppendAttributeValue(std::string& out, std::string_view value)
{
    const char* const end = value.data() + value.size();
    const char* run = value.data();
    for (const char* p; (p = ByteScan::findByte(run, end, '"')) != end; run = p + 1) {
        out.append(run, static_cast<std::size_t>(p - run));
        out += "&quot;";
    }
    out.append(run, static_cast<std::size_t>(end - run));
}

// Writes the end of a long text through a pointer, for lines made of many
// short pieces: room for at most `bound` bytes is made once, and the text is
// cut back to what was written when the writer goes. Nothing else may touch
// the text meanwhile.
class TextTail
{
public:
    TextTail(std::string& text, std::size_t bound) : m_text(text)
    {
        const std::size_t size = text.size();
        text.resize(size + bound);
        m_at = text.data() + size;
    }
    ~TextTail() { m_text.resize(static_cast<std::size_t>(m_at - m_text.data())); }
    TextTail(const TextTail&) = delete;
    TextTail& operator=(const TextTail&) = delete;

    void put(char c) { *m_at++ = c; }
    void put(std::string_view bytes)
    {
        // Most pieces are a few bytes: copied in place, not through a call.
        if (bytes.size() <= 8) {
            for (const char c : bytes)
                *m_at++ = c;
            return;
        }
        std::memcpy(m_at, bytes.data(), bytes.size());
        m_at += bytes.size();
    }

private:
    std::string& m_text;
    char* m_at;
};

} // namespace kzt
