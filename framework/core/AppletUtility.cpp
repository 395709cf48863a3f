#include "AppletUtility.h"

#include "ByteScan.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace kzt {

namespace {

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

void appendHexByte(std::string& out, std::uint8_t value)
{
    static const char digits[] = "0123456789ABCDEF";
    out += digits[value >> 4];
    out += digits[value & 0x0F];
}

} // namespace

std::string ColorToHex(RgbColor color)
{
    std::string out;
    out.reserve(6);
    appendHexByte(out, color.red);
    appendHexByte(out, color.green);
    appendHexByte(out, color.blue);
    return out;
}

std::string ColorToHex(std::uint8_t red, std::uint8_t green, std::uint8_t blue)
{
    return ColorToHex(RgbColor{red, green, blue});
}

std::optional<RgbColor> HexToColor(std::string_view text)
{
    if (text.size() != 6)
        return std::nullopt;
    int values[6];
    for (int i = 0; i < 6; ++i) {
        values[i] = hexValue(text[static_cast<std::size_t>(i)]);
        if (values[i] < 0)
            return std::nullopt;
    }
    return RgbColor{static_cast<std::uint8_t>(values[0] * 16 + values[1]),
                    static_cast<std::uint8_t>(values[2] * 16 + values[3]),
                    static_cast<std::uint8_t>(values[4] * 16 + values[5])};
}

std::string GetField(std::string_view line, std::size_t n, std::string_view separator)
{
    if (n == 0)
        return {};
    TStringArray fields = SplitFields(line, n, separator);
    return fields.back();
}

TStringArray SplitFields(std::string_view line, std::size_t count, std::string_view separator)
{
    TStringArray fields(count);
    std::size_t pos = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t hit = line.find(separator, pos);
        if (hit == std::string_view::npos)
            break;
        fields[i] = std::string(line.substr(pos, hit - pos));
        pos = hit + separator.size();
    }
    return fields;
}

TStringArray SplitAllFields(std::string_view line, std::string_view separator)
{
    TStringArray fields;
    std::size_t pos = 0;
    for (;;) {
        const std::size_t hit = line.find(separator, pos);
        if (hit == std::string_view::npos)
            return fields;
        fields.emplace_back(line.substr(pos, hit - pos));
        pos = hit + separator.size();
    }
}

void SplitAllFields(std::string_view line, std::vector<std::string_view>& fields, std::string_view separator)
{
    fields.clear();
    // An empty separator closes no field.
    if (separator.empty())
        return;
    // Every place the separator's first byte stands, left to right, is where
    // the separator may start; the first that holds it ends the field.
    const char* const end = line.data() + line.size();
    const char* field = line.data();
    const char* p = field;
    // Most fields are a few bytes: the rest of the separator is compared in
    // place rather than through a library call.
    const auto restMatches = [&](const char* at) {
        for (std::size_t k = 1; k < separator.size(); ++k) {
            if (at[k] != separator[k])
                return false;
        }
        return true;
    };
#if defined(__SSE2__)
    // A line holds a separator every few bytes: each sixteen bytes are
    // compared at once, and every place the first byte stands in them is
    // looked at in turn.
    const __m128i first = _mm_set1_epi8(separator.front());
    while (end - p >= 16) {
        const char* const block = p;
        auto mask = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(block)), first)));
        for (; mask != 0; mask &= mask - 1) {
            const char* const at = block + std::countr_zero(mask);
            // Inside a separator just taken.
            if (at < p)
                continue;
            if (static_cast<std::size_t>(end - at) < separator.size())
                return;
            if (!restMatches(at))
                continue;
            fields.emplace_back(field, static_cast<std::size_t>(at - field));
            p = at + separator.size();
            field = p;
        }
        p = std::max(p, block + 16);
    }
#endif
    for (;;) {
        p = ByteScan::findByte(p, end, separator.front());
        if (static_cast<std::size_t>(end - p) < separator.size())
            return;
        if (!restMatches(p)) {
            ++p;
            continue;
        }
        fields.emplace_back(field, static_cast<std::size_t>(p - field));
        p += separator.size();
        field = p;
    }
}

void AppendFields(std::string& out, const TFieldRecord& record, std::string_view separator)
{
    // The line's exact length is known: make room once and copy into it.
    const std::size_t at = out.size();
    out.resize(at + record.values().size() + record.size() * separator.size());
    record.joinInto(out.data() + at, separator);
}

std::string JoinFields(const TFieldRecord& record, std::string_view separator)
{
    std::string out;
    out.reserve(record.values().size() + record.size() * separator.size());
    AppendFields(out, record, separator);
    return out;
}

std::string JoinFields(const TStringArray& fields, std::string_view separator)
{
    std::size_t total = 0;
    for (const std::string& f : fields)
        total += f.size() + separator.size();
    std::string out;
    out.reserve(total);
    for (const std::string& f : fields) {
        out += f;
        out += separator;
    }
    return out;
}

std::string Trim(std::string_view text)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && static_cast<unsigned char>(text[begin]) <= ' ')
        ++begin;
    while (end > begin && static_cast<unsigned char>(text[end - 1]) <= ' ')
        --end;
    return std::string(text.substr(begin, end - begin));
}

std::optional<long long> ParseDecimal(std::string_view text)
{
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i >= text.size())
        return std::nullopt;
    long long value = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9')
            return std::nullopt;
        if (value > 100000000000000000LL)
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return negative ? -value : value;
}

std::string NotAnIntegerMessage(std::string_view text)
{
    std::string message = "'";
    message += text;
    message += "' is not a valid integer value";
    return message;
}

bool IsBareFileName(std::string_view name)
{
    if (name.empty() || name == "." || name == "..")
        return false;
    if (name.find('/') != std::string_view::npos || name.find('\\') != std::string_view::npos)
        return false;
    if (name.find('\0') != std::string_view::npos)
        return false;
    // "C:name" is relative to a drive's current folder on the author's old system.
    if (name.size() >= 2 && name[1] == ':')
        return false;
    return true;
}

std::string BaseNameOf(std::string_view fileName)
{
    const std::size_t dot = fileName.rfind('.');
    if (dot == std::string_view::npos)
        return std::string(fileName);
    return std::string(fileName.substr(0, dot));
}

} // namespace kzt
