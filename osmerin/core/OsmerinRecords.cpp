#include "osmerin/core/OsmerinRecords.h"

#include <algorithm>

namespace osmerin {

namespace {

kzt::TStringArray fitted(const kzt::TStringArray& strings, std::size_t count)
{
    kzt::TStringArray fields(strings.begin(), strings.begin() + static_cast<std::ptrdiff_t>(std::min(count, strings.size())));
    fields.resize(count);
    return fields;
}

} // namespace

kzt::TStringArray AppletDataToStrings(const kzt::TAppletData& data)
{
    return fitted(data.toStrings(), AppletFieldCount);
}

kzt::TAppletData StringsToAppletData(const kzt::TStringArray& strings)
{
    return kzt::TAppletData(fitted(strings, AppletFieldCount));
}

kzt::TStringArray ItemDataToStrings(const kzt::TItemData& data)
{
    return fitted(data.toStrings(), ItemFieldCount);
}

kzt::TItemData StringsToItemData(const kzt::TStringArray& strings)
{
    return kzt::TItemData(fitted(strings, ItemFieldCount));
}

std::string JoinItemText(const kzt::TStringArray& lines)
{
    std::string value;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            value += kItemTextJoiner;
        value += lines[i];
    }
    return value;
}

kzt::TStringArray SplitItemText(std::string_view value)
{
    kzt::TStringArray lines;
    std::size_t from = 0;
    for (std::size_t at; (at = value.find(kItemTextJoiner, from)) != std::string_view::npos;) {
        lines.emplace_back(value.substr(from, at - from));
        from = at + kItemTextJoiner.size();
    }
    if (from < value.size())
        lines.emplace_back(value.substr(from));
    return lines;
}

std::string_view DerivedItemContent(const kzt::TItemData& item)
{
    const std::string_view type = item.get(ItemContentType);
    if (type == kContentText)
        return item.get(ItemText);
    if (type == kContentImage)
        return item.get(ItemImageFilename);
    if (type == kContentTextFile)
        return item.get(ItemTextFilename);
    return item.get(ItemContent);
}

} // namespace osmerin
