#pragma once

#include "Records.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kzt {

// The field terminator of project and structure files.
inline constexpr std::string_view kFieldSeparator = "#$@";

struct RgbColor
{
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool operator==(const RgbColor&) const = default;
};

// Six upper-case hexadecimal digits in the order red, green, blue.
std::string ColorToHex(RgbColor color);
std::string ColorToHex(std::uint8_t red, std::uint8_t green, std::uint8_t blue);

// The inverse of ColorToHex; nothing when the text is not six hexadecimal digits.
std::optional<RgbColor> HexToColor(std::string_view text);

// Field number n (counted from 1) of a line in which every field is followed
// by the separator. A missing separator yields empty fields from there on.
std::string GetField(std::string_view line, std::size_t n, std::string_view separator = kFieldSeparator);

// The first `count` fields of such a line, in one pass over it.
TStringArray SplitFields(std::string_view line, std::size_t count, std::string_view separator = kFieldSeparator);

// Every field of such a line that its separator closes, in one pass.
TStringArray SplitAllFields(std::string_view line, std::string_view separator = kFieldSeparator);

// The same fields as views into the line, in `fields` (cleared first).
void SplitAllFields(std::string_view line, std::vector<std::string_view>& fields,
                    std::string_view separator = kFieldSeparator);

// Every field followed by the separator, the last one too.
std::string JoinFields(const TStringArray& fields, std::string_view separator = kFieldSeparator);
std::string JoinFields(const TFieldRecord& record, std::string_view separator = kFieldSeparator);
// The same, appended to `out`.
void AppendFields(std::string& out, const TFieldRecord& record, std::string_view separator = kFieldSeparator);

// Leading and trailing blanks (spaces and control characters) removed.
std::string Trim(std::string_view text);

// A decimal integer with an optional minus sign and nothing else.
std::optional<long long> ParseDecimal(std::string_view text);

// The message shown when a text that should be a number is not one.
std::string NotAnIntegerMessage(std::string_view text);

// True for a plain file name that can safely be joined to a folder: not
// empty, no folder separators of either kind, not "." or "..", no drive.
bool IsBareFileName(std::string_view name);

// Base name of a file name: the name without its last extension.
std::string BaseNameOf(std::string_view fileName);

} // namespace kzt
