#include "TextEncoding.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace kzt {

namespace {

// 0x80 to 0x9F; the rest of the code page is Latin-1.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void appendUtf8(std::string& out, char32_t code)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// Reads one character at `i` of valid UTF-8 and moves past it.
char32_t nextCharacter(std::string_view bytes, std::size_t& i)
{
    const auto c = static_cast<unsigned char>(bytes[i]);
    std::size_t follow = c < 0x80 ? 0 : c < 0xE0 ? 1 : c < 0xF0 ? 2 : 3;
    char32_t code = follow == 0 ? c : follow == 1 ? (c & 0x1F) : follow == 2 ? (c & 0x0F) : (c & 0x07);
    for (std::size_t k = 1; k <= follow && i + k < bytes.size(); ++k)
        code = (code << 6) | (static_cast<unsigned char>(bytes[i + k]) & 0x3F);
    i += follow + 1;
    return code;
}

} // namespace

bool IsUtf8(std::string_view bytes)
{
    std::size_t i = 0;
    const std::size_t n = bytes.size();
    while (i < n) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        std::size_t follow = 0;
        char32_t code = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            follow = 1;
            code = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            follow = 2;
            code = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            follow = 3;
            code = c & 0x07;
        } else {
            return false;
        }
        if (i + follow >= n)
            return false;
        for (std::size_t k = 1; k <= follow; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (next & 0x3F);
        }
        static constexpr char32_t smallest[] = {0, 0x80, 0x800, 0x10000};
        if (code < smallest[follow] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += follow + 1;
    }
    return true;
}

bool IsAscii(std::string_view bytes)
{
    // A whole page is asked about at once: its high bits are gathered 32
    // bytes a step, and tested once a step.
    const char* p = bytes.data();
    const char* const end = p + bytes.size();
    constexpr std::uint64_t highs = 0x8080808080808080ull;
    while (end - p >= 32) {
        std::uint64_t words[4];
        std::memcpy(words, p, sizeof words);
        if (((words[0] | words[1] | words[2] | words[3]) & highs) != 0)
            return false;
        p += 32;
    }
    for (; p != end; ++p) {
        if (static_cast<unsigned char>(*p) >= 0x80)
            return false;
    }
    return true;
}

char32_t Windows1252ToUnicode(unsigned char byte)
{
    if (byte >= 0x80 && byte < 0xA0)
        return kHighControls[byte - 0x80];
    return byte;
}

std::optional<unsigned char> UnicodeToWindows1252(char32_t character)
{
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF))
        return static_cast<unsigned char>(character);
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == character)
            return static_cast<unsigned char>(0x80 + i);
    }
    return std::nullopt;
}

std::string Windows1252ToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 2);
    for (const char c : bytes)
        appendUtf8(out, Windows1252ToUnicode(static_cast<unsigned char>(c)));
    return out;
}

std::optional<std::string> Utf8ToWindows1252(std::string_view utf8, char32_t* missing)
{
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const char32_t code = nextCharacter(utf8, i);
        const auto byte = UnicodeToWindows1252(code);
        if (!byte) {
            if (missing)
                *missing = code;
            return std::nullopt;
        }
        out += static_cast<char>(*byte);
    }
    return out;
}

std::string FieldToUtf8(std::string_view bytes)
{
    return IsUtf8(bytes) ? std::string(bytes) : Windows1252ToUtf8(bytes);
}

std::optional<std::string> Utf8ToField(std::string_view utf8, TextEncoding encoding, char32_t* missing)
{
    if (encoding == TextEncoding::Utf8 || IsAscii(utf8))
        return std::string(utf8);
    return Utf8ToWindows1252(utf8, missing);
}

const char* EncodingName(TextEncoding encoding)
{
    return encoding == TextEncoding::Utf8 ? "UTF-8" : "Windows-1252";
}

const char* CharsetName(TextEncoding encoding)
{
    return encoding == TextEncoding::Utf8 ? "utf-8" : "windows-1252";
}

void DeclareCharset(std::string& page, TextEncoding encoding)
{
    if (IsAscii(page))
        return;
    static constexpr std::string_view kHtml = "<html>";
    std::size_t start = 0;
    while (start < page.size()) {
        const std::size_t end = page.find('\n', start);
        if (end == std::string::npos)
            return; // a last line has no ending to copy
        const std::size_t textEnd = end > start && page[end - 1] == '\r' ? end - 1 : end;
        bool isHtml = textEnd - start == kHtml.size();
        for (std::size_t k = 0; isHtml && k < kHtml.size(); ++k) {
            const char c = page[start + k];
            isHtml = (c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c) == kHtml[k];
        }
        if (isHtml) {
            const std::string ending = page.substr(textEnd, end + 1 - textEnd);
            page.insert(end + 1, std::string("<meta charset=\"") + CharsetName(encoding) + "\">" + ending);
            return;
        }
        start = end + 1;
    }
}

} // namespace kzt
