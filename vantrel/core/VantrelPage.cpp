#include "vantrel/core/VantrelPage.h"

#include "AppletUtility.h"
#include "ByteScan.h"
#include "PageText.h"
#include "TextFile.h"
#include "vantrel/core/VantrelFields.h"
#include "vantrel/core/VantrelProfile.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string_view>

namespace vantrel {

namespace {

constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();

std::string_view fieldOf(const kzt::TFieldRecord& fields, std::size_t index)
{
    return index < fields.size() ? fields.get(index) : std::string_view();
}

// The bytes of the look fields, back to back; empty when the record is
// too short to hold them all.
std::string_view lookBytes(const kzt::TFieldRecord& fields)
{
    if (fields.size() < kLookFieldCount)
        return {};
    const std::string_view last = fields.get(kLookFieldCount - 1);
    return fields.values().substr(0, static_cast<std::size_t>(last.data() + last.size() - fields.values().data()));
}

// A hash of the look fields: their bytes eight at a time, then where each
// field ends, so that moving a boundary between two fields changes the hash
// as a rule.
std::uint64_t lookHash(const kzt::TFieldRecord& fields)
{
    constexpr std::uint64_t prime = 0x100000001B3ull;
    std::uint64_t hash = 0xCBF29CE484222325ull;
    const auto mix = [&](std::uint64_t value) {
        hash = (hash ^ value) * prime;
        hash ^= hash >> 31;
    };
    if (fields.size() < kLookFieldCount) {
        for (std::size_t i = 0; i < kLookFieldCount; ++i) {
            for (unsigned char c : fieldOf(fields, i))
                mix(c);
            mix(0x1F);
        }
        return hash;
    }
    const std::string_view bytes = lookBytes(fields);
    std::size_t at = 0;
    for (; at + 8 <= bytes.size(); at += 8) {
        std::uint64_t word;
        std::memcpy(&word, bytes.data() + at, sizeof word);
        mix(word);
    }
    for (; at < bytes.size(); ++at)
        mix(static_cast<unsigned char>(bytes[at]));
    for (std::size_t i = 0; i < kLookFieldCount; ++i)
        mix(fields.get(i).size());
    return hash ^ (hash >> 29);
}

bool sameLook(const kzt::TFieldRecord& a, const kzt::TFieldRecord& b)
{
    if (a.size() >= kLookFieldCount && b.size() >= kLookFieldCount) {
        // Equal bytes with equal boundaries are equal fields.
        return lookBytes(a) == lookBytes(b) && a.sameBoundaries(b, kLookFieldCount);
    }
    for (std::size_t i = 0; i < kLookFieldCount; ++i) {
        if (fieldOf(a, i) != fieldOf(b, i))
            return false;
    }
    return true;
}

// A number's decimal digits, with no string made for them.
class Digits
{
public:
    explicit Digits(std::size_t value) : m_end(std::to_chars(m_text, m_text + sizeof m_text, value).ptr) {}
    std::string_view view() const { return {m_text, static_cast<std::size_t>(m_end - m_text)}; }

private:
    char m_text[24];
    char* m_end;
};

// A value inside a double-quoted attribute: a quote mark would end the value
// early, so it is written as an entity; every other byte as stored.
void appendAttribute(std::string& out, std::string_view value)
{
    kzt::AppendAttributeValue(out, value);
}

using Append = void (*)(std::string&, std::string_view);

void appendRaw(std::string& out, std::string_view value)
{
    out.append(value);
}

void appendPacked(std::string& out, const kzt::TFieldRecord& fields, std::size_t first, std::size_t last,
                  Append append = appendRaw)
{
    // A record without a quote mark needs no field looked at for one.
    if (append == appendAttribute && kzt::ByteScan::findByte(fields.values().data(),
                                                             fields.values().data() + fields.values().size(), '"')
                                         == fields.values().data() + fields.values().size())
        append = appendRaw;
    for (std::size_t i = first; i < last; ++i) {
        append(out, fieldOf(fields, i));
        out += kzt::kFieldSeparator;
    }
}

// An item's own fields, with its entry number in the StyleIndex place.
void appendPackedItem(std::string& out, const kzt::TFieldRecord& fields, std::size_t entry, Append append)
{
    appendPacked(out, fields, ICaption, StyleIndex, append);
    out += Digits(entry).view();
    out += kzt::kFieldSeparator;
    appendPacked(out, fields, StyleIndex + 1, ItemFieldCount, append);
}

// The room an item's parameter line may take at most: every byte a quote
// mark made an entity, every field with its separator, the name and number.
std::size_t itemParamBound(const kzt::TFieldRecord& fields, std::size_t quotes)
{
    return 64 + fields.values().size() + 5 * quotes + 3 * ItemFieldCount;
}

std::size_t quoteCount(std::string_view bytes)
{
    std::size_t count = 0;
    const char* const end = bytes.data() + bytes.size();
    for (const char* p = bytes.data(); (p = kzt::ByteScan::findByte(p, end, '"')) != end; ++p)
        ++count;
    return count;
}

// An item's line of the page's parameter list, "i" and its number, written
// as appendParam with appendPackedItem and appendAttribute would write it,
// through one writer rather than a call a piece.
void appendItemParam(std::string& text, std::size_t k, const kzt::TFieldRecord& fields, std::size_t entry)
{
    const std::size_t quotes = quoteCount(fields.values());
    kzt::TextTail out(text, itemParamBound(fields, quotes));
    const auto field = [&](std::size_t i) {
        const std::string_view value = fieldOf(fields, i);
        if (quotes == 0) {
            out.put(value);
        } else {
            for (const char c : value) {
                if (c == '"')
                    out.put("&quot;");
                else
                    out.put(c);
            }
        }
        out.put(kzt::kFieldSeparator);
    };
    out.put("\t<param name=\"i");
    out.put(Digits(k).view());
    out.put("\" value=\"");
    for (std::size_t i = ICaption; i < StyleIndex; ++i)
        field(i);
    out.put(Digits(entry).view());
    out.put(kzt::kFieldSeparator);
    for (std::size_t i = StyleIndex + 1; i < ItemFieldCount; ++i)
        field(i);
    out.put("\">\r\n");
}

// One line of the page's parameter list; `value` appends the attribute's value.
template <typename Value>
void appendParam(std::string& out, std::string_view name, std::size_t number, Value&& value)
{
    out += "\t<param name=\"";
    out += name;
    if (number != kNone)
        out += Digits(number).view();
    out += "\" value=\"";
    value(out);
    out += "\">\r\n";
}

void appendLine(std::string& out, std::string_view line)
{
    out += line;
    out += "\r\n";
}

// Room for the page or the parameters file, so neither is copied while it
// grows: the look of every entry and the other fields of every item, each
// field with its separator.
std::size_t roughSize(const StyleTable& table, const kzt::TItemArray& items)
{
    const std::size_t separator = kzt::kFieldSeparator.size();
    std::size_t bytes = 4096;
    for (std::size_t k : table.firstItem)
        bytes += 32 + lookBytes(items[k]).size() + kLookFieldCount * separator;
    for (const kzt::TItemData& item : items)
        bytes += 48 + item.values().size() - lookBytes(item).size() + (ItemFieldCount - kLookFieldCount) * separator;
    return bytes + bytes / 16;
}

} // namespace

StyleTable StyleTable::build(const kzt::TItemArray& items)
{
    StyleTable table;
    table.entryOfItem.resize(items.size());
    // An open-addressing table of entry numbers, at most half full; a slot
    // holds an entry whose hash led there or to a slot before it.
    std::size_t capacity = 16;
    while (capacity < 2 * items.size())
        capacity *= 2;
    const std::size_t mask = capacity - 1;
    std::vector<std::size_t> slots(capacity, kNone);
    std::vector<std::uint64_t> entryHash;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const kzt::TFieldRecord& fields = items[i];
        const std::uint64_t hash = lookHash(fields);
        std::size_t slot = static_cast<std::size_t>(hash) & mask;
        std::size_t entry = kNone;
        for (; slots[slot] != kNone; slot = (slot + 1) & mask) {
            const std::size_t candidate = slots[slot];
            if (entryHash[candidate] == hash && sameLook(items[table.firstItem[candidate]], fields)) {
                entry = candidate;
                break;
            }
        }
        if (entry == kNone) {
            entry = table.firstItem.size();
            table.firstItem.push_back(i);
            entryHash.push_back(hash);
            slots[slot] = entry;
        }
        table.entryOfItem[i] = entry;
    }
    return table;
}

StyleTable StyleTable::current(const kzt::TItemArray& items)
{
    StyleTable table;
    table.entryOfItem.reserve(items.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        const auto number = kzt::ParseDecimal(fieldOf(items[i], StyleIndex));
        if (!number || *number < 0 || static_cast<std::size_t>(*number) > table.firstItem.size())
            return build(items);
        const auto entry = static_cast<std::size_t>(*number);
        if (entry == table.firstItem.size())
            table.firstItem.push_back(i);
        else if (!sameLook(items[table.firstItem[entry]], items[i]))
            return build(items);
        table.entryOfItem.push_back(entry);
    }
    return table;
}

void VantrelPage::assignStyleIndexes(kzt::TItemArray& items)
{
    const StyleTable table = StyleTable::build(items);
    for (std::size_t i = 0; i < items.size(); ++i) {
        items[i].resize(ItemFieldCount);
        items[i].set(StyleIndex, Digits(table.entryOfItem[i]).view());
    }
}

bool VantrelPage::usesParametersFile(const kzt::TAppletData& applet)
{
    return fieldOf(applet, LoadAppletParamFromFile) == "1";
}

std::string VantrelPage::packed(const kzt::TFieldRecord& fields, std::size_t first, std::size_t last)
{
    std::string out;
    appendPacked(out, fields, first, last);
    return out;
}

std::string VantrelPage::page(const kzt::TAppletData& applet, const kzt::TItemArray& items, bool scriptRuntime)
{
    kzt::LineWriter out;
    writePage(out, applet, items, scriptRuntime);
    return out.take();
}

void VantrelPage::writePage(kzt::LineWriter& page, const kzt::TAppletData& applet, const kzt::TItemArray& items,
                            bool scriptRuntime)
{
    const std::string base = VantrelProfile::kAppletBase;
    std::string& out = page.text();
    appendLine(out, "<HTML>");
    appendLine(out, "<!-- START Vantrel 2.01 CONFIG PARAMETERS Don't modify these codes by yourself -->");
    out += "<applet code=\"" + base + ".class\" archive=\"" + base + ".jar\" width=\"";
    appendAttribute(out, fieldOf(applet, ApWidth));
    out += "\" height=\"";
    appendAttribute(out, fieldOf(applet, ApHeight));
    appendLine(out, "\" MAYSCRIPT>");
    appendParam(out, "Copyright", kNone, [](std::string& o) { appendAttribute(o, VantrelProfile::kNotice); });
    if (usesParametersFile(applet)) {
        appendParam(out, "paramsrc", kNone,
                    [&](std::string& o) { appendAttribute(o, fieldOf(applet, AppletParametersFileName)); });
    } else {
        const StyleTable table = StyleTable::current(items);
        // Made in memory, the page gets room for all of it, and the most a
        // line's writer asks for beyond what the line takes.
        page.reserveFor([&] {
            std::size_t longest = 0;
            for (const kzt::TItemData& item : items)
                longest = std::max(longest, itemParamBound(item, item.values().size()));
            return out.size() + roughSize(table, items) + longest;
        });
        appendParam(out, "app", kNone,
                    [&](std::string& o) { appendPacked(o, applet, 0, kAppFieldCount, appendAttribute); });
        for (std::size_t k = 0; k < table.firstItem.size(); ++k) {
            appendParam(out, "is", k, [&](std::string& o) {
                appendPacked(o, items[table.firstItem[k]], 0, kLookFieldCount, appendAttribute);
            });
            page.flushWhenFull();
        }
        for (std::size_t k = 0; k < items.size(); ++k) {
            appendItemParam(out, k, items[k], table.entryOfItem[k]);
            page.flushWhenFull();
        }
    }
    appendLine(out, "</applet>");
    if (scriptRuntime)
        appendLine(out, std::string("<script src=\"") + VantrelProfile::kBrowserRuntime + "\"></script>");
    appendLine(out, "<!-- END Vantrel 2.01 CONFIG PARAMETERS -->");
    appendLine(out, "</HTML>");
}

std::uint64_t VantrelPage::sizeBound(const kzt::TAppletData& applet, const kzt::TItemArray& items)
{
    // A field's bytes as an attribute, with its separator: a quote mark
    // becomes a six-byte entity. The fields from the first on lie back to
    // back, so one search over their bytes counts the quote marks of all.
    const auto quotes = [](std::string_view bytes) {
        std::uint64_t count = 0;
        const char* const end = bytes.data() + bytes.size();
        for (const char* p = bytes.data(); (p = kzt::ByteScan::findByte(p, end, '"')) != end; ++p)
            ++count;
        return count;
    };
    const auto leading = [](const kzt::TFieldRecord& fields, std::size_t count) {
        count = std::min(count, fields.size());
        if (count == 0)
            return std::string_view();
        const std::string_view last = fields.get(count - 1);
        return fields.values().substr(0, static_cast<std::size_t>(last.data() + last.size() - fields.values().data()));
    };
    const auto packedSize = [&](const kzt::TFieldRecord& fields, std::size_t count) {
        const std::string_view bytes = leading(fields, count);
        return bytes.size() + 5 * quotes(bytes) + 3 * static_cast<std::uint64_t>(count);
    };
    // Names, numbers and the lines around them.
    constexpr std::uint64_t kParamLine = 64;
    std::uint64_t total = 4096 + packedSize(applet, AppletFieldCount);
    for (const kzt::TItemData& item : items)
        total += 2 * kParamLine + packedSize(item, ItemFieldCount) + packedSize(item, kLookFieldCount);
    return total;
}

std::string VantrelPage::parametersFile(const kzt::TAppletData& applet, const kzt::TItemArray& items)
{
    const StyleTable table = StyleTable::current(items);
    std::string out;
    out.reserve(roughSize(table, items));
    for (const char* line : {"ProductName", "Vantrel", "ProductVersion", "2.01", "app"})
        appendLine(out, line);
    appendPacked(out, applet, 0, kAppFieldCount);
    appendLine(out, "");
    appendLine(out, "iscount");
    appendLine(out, std::to_string(table.firstItem.size()));
    for (std::size_t k = 0; k < table.firstItem.size(); ++k) {
        appendLine(out, "is" + std::to_string(k));
        appendPacked(out, items[table.firstItem[k]], 0, kLookFieldCount);
        appendLine(out, "");
    }
    appendLine(out, "icount");
    appendLine(out, std::to_string(items.size()));
    for (std::size_t k = 0; k < items.size(); ++k) {
        std::string name = "i";
        name += std::to_string(k);
        appendLine(out, name);
        appendPackedItem(out, items[k], table.entryOfItem[k], appendRaw);
        appendLine(out, "");
    }
    return out;
}

} // namespace vantrel
