#include "vantrel/core/VantrelPage.h"

#include "AppletUtility.h"
#include "TextFile.h"
#include "vantrel/core/VantrelFields.h"
#include "vantrel/core/VantrelProfile.h"

#include <functional>
#include <limits>
#include <string_view>
#include <unordered_map>

namespace vantrel {

namespace {

constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();

const std::string& fieldOf(const kzt::TStringArray& fields, std::size_t index)
{
    static const std::string empty;
    return index < fields.size() ? fields[index] : empty;
}

std::size_t lookHash(const kzt::TStringArray& fields)
{
    std::size_t hash = 0x9E3779B97F4A7C15ull;
    const std::hash<std::string_view> hasher;
    for (std::size_t i = 0; i < kLookFieldCount; ++i) {
        const std::size_t h = hasher(fieldOf(fields, i)) + i;
        hash ^= h + 0x9E3779B97F4A7C15ull + (hash << 6) + (hash >> 2);
    }
    return hash;
}

bool sameLook(const kzt::TStringArray& a, const kzt::TStringArray& b)
{
    for (std::size_t i = 0; i < kLookFieldCount; ++i) {
        if (fieldOf(a, i) != fieldOf(b, i))
            return false;
    }
    return true;
}

// A value inside a double-quoted attribute: a quote mark would end the value
// early, so it is written as an entity; every other byte as stored.
void appendAttribute(std::string& out, std::string_view value)
{
    for (char c : value) {
        if (c == '"')
            out += "&quot;";
        else
            out += c;
    }
}

void appendPacked(std::string& out, const kzt::TStringArray& fields, std::size_t first, std::size_t last)
{
    for (std::size_t i = first; i < last; ++i) {
        out += fieldOf(fields, i);
        out += kzt::kFieldSeparator;
    }
}

// An item's own fields, with its entry number in the StyleIndex place.
std::string packedItem(const kzt::TStringArray& fields, std::size_t entry)
{
    std::string out;
    appendPacked(out, fields, ICaption, StyleIndex);
    out += std::to_string(entry);
    out += kzt::kFieldSeparator;
    appendPacked(out, fields, StyleIndex + 1, ItemFieldCount);
    return out;
}

void paramLine(kzt::LineWriter& out, std::string& buffer, const std::string& name, std::string_view value)
{
    buffer.assign("\t<param name=\"");
    buffer += name;
    buffer += "\" value=\"";
    appendAttribute(buffer, value);
    buffer += "\">";
    out.line(buffer);
}

} // namespace

StyleTable StyleTable::build(const kzt::TItemArray& items)
{
    StyleTable table;
    table.entryOfItem.resize(items.size());
    // Entries with the same hash are chained; a chain holds distinct looks,
    // so at most one of them matches.
    std::unordered_map<std::size_t, std::size_t> chainHead;
    chainHead.reserve(items.size());
    std::vector<std::size_t> nextInChain;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const kzt::TStringArray& fields = items[i].Fields;
        const auto [head, inserted] = chainHead.try_emplace(lookHash(fields), table.firstItem.size());
        std::size_t entry = inserted ? kNone : head->second;
        while (entry != kNone && !sameLook(items[table.firstItem[entry]].Fields, fields))
            entry = nextInChain[entry];
        if (entry == kNone) {
            entry = table.firstItem.size();
            table.firstItem.push_back(i);
            nextInChain.push_back(inserted ? kNone : head->second);
            head->second = entry;
        }
        table.entryOfItem[i] = entry;
    }
    return table;
}

void VantrelPage::assignStyleIndexes(kzt::TItemArray& items)
{
    const StyleTable table = StyleTable::build(items);
    for (std::size_t i = 0; i < items.size(); ++i) {
        items[i].Fields.resize(ItemFieldCount);
        items[i][StyleIndex] = std::to_string(table.entryOfItem[i]);
    }
}

bool VantrelPage::usesParametersFile(const kzt::TAppletData& applet)
{
    return fieldOf(applet.Fields, LoadAppletParamFromFile) == "1";
}

std::string VantrelPage::packed(const kzt::TStringArray& fields, std::size_t first, std::size_t last)
{
    std::string out;
    appendPacked(out, fields, first, last);
    return out;
}

std::string VantrelPage::page(const kzt::TAppletData& applet, const kzt::TItemArray& items)
{
    const std::string base = VantrelProfile::kAppletBase;
    kzt::LineWriter out;
    std::string line;
    out.line("<HTML>");
    out.line("<!-- START Vantrel 2.01 CONFIG PARAMETERS Don't modify these codes by yourself -->");
    line = "<applet code=\"" + base + ".class\" archive=\"" + base + ".jar\" width=\"";
    appendAttribute(line, fieldOf(applet.Fields, ApWidth));
    line += "\" height=\"";
    appendAttribute(line, fieldOf(applet.Fields, ApHeight));
    line += "\" MAYSCRIPT>";
    out.line(line);
    paramLine(out, line, "Copyright", VantrelProfile::kNotice);
    if (usesParametersFile(applet)) {
        paramLine(out, line, "paramsrc", fieldOf(applet.Fields, AppletParametersFileName));
    } else {
        const StyleTable table = StyleTable::build(items);
        out.reserve((table.firstItem.size() * kLookFieldCount + items.size() * 14) * 8 + 4096);
        paramLine(out, line, "app", packed(applet.Fields, 0, kAppFieldCount));
        for (std::size_t k = 0; k < table.firstItem.size(); ++k)
            paramLine(out, line, "is" + std::to_string(k), packed(items[table.firstItem[k]].Fields, 0, kLookFieldCount));
        for (std::size_t k = 0; k < items.size(); ++k)
            paramLine(out, line, "i" + std::to_string(k), packedItem(items[k].Fields, table.entryOfItem[k]));
    }
    out.line("</applet>");
    out.line("<!-- END Vantrel 2.01 CONFIG PARAMETERS -->");
    out.line("</HTML>");
    return out.take();
}

std::string VantrelPage::parametersFile(const kzt::TAppletData& applet, const kzt::TItemArray& items)
{
    const StyleTable table = StyleTable::build(items);
    kzt::LineWriter out;
    out.reserve((table.firstItem.size() * kLookFieldCount + items.size() * 14) * 8 + 4096);
    out.line("ProductName");
    out.line("Vantrel");
    out.line("ProductVersion");
    out.line("2.01");
    out.line("app");
    out.line(packed(applet.Fields, 0, kAppFieldCount));
    out.line("iscount");
    out.line(std::to_string(table.firstItem.size()));
    for (std::size_t k = 0; k < table.firstItem.size(); ++k) {
        out.line("is" + std::to_string(k));
        out.line(packed(items[table.firstItem[k]].Fields, 0, kLookFieldCount));
    }
    out.line("icount");
    out.line(std::to_string(items.size()));
    for (std::size_t k = 0; k < items.size(); ++k) {
        out.line("i" + std::to_string(k));
        out.line(packedItem(items[k].Fields, table.entryOfItem[k]));
    }
    return out.take();
}

} // namespace vantrel
