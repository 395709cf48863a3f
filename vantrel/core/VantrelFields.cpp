#include "vantrel/core/VantrelFields.h"

#include "vantrel/core/VantrelSchema.h"

#include <iterator>
#include <utility>

namespace vantrel {

namespace {

template <std::size_t N> ChoiceList listOf(const char* const (&entries)[N])
{
    return ChoiceList(std::begin(entries), std::end(entries));
}

} // namespace

const ChoiceList FillModes = listOf(schema::kFillModes);
const ChoiceList ImageAlignments = listOf(schema::kImageAlignments);
const ChoiceList BorderStyles = listOf(schema::kBorderStyles);
const ChoiceList FontNames = listOf(schema::kFontNames);
const ChoiceList HorizontalAlignments = listOf(schema::kHorizontalAlignments);
const ChoiceList VerticalAlignments = listOf(schema::kVerticalAlignments);
const ChoiceList CursorChoices = listOf(schema::kCursorChoices);
const ChoiceList ScrollBarAlignments = listOf(schema::kScrollBarAlignments);
const ChoiceList Visibilities = listOf(schema::kVisibilities);
const ChoiceList UrlSuggestions = listOf(schema::kUrlSuggestions);
const ChoiceList TargetSuggestions = listOf(schema::kTargetSuggestions);

namespace {

const ChoiceList* listFor(std::span<const char* const> choices)
{
    static const std::pair<const char* const*, const ChoiceList*> lists[] = {
        {schema::kFillModes, &FillModes},
        {schema::kImageAlignments, &ImageAlignments},
        {schema::kBorderStyles, &BorderStyles},
        {schema::kFontNames, &FontNames},
        {schema::kHorizontalAlignments, &HorizontalAlignments},
        {schema::kVerticalAlignments, &VerticalAlignments},
        {schema::kCursorChoices, &CursorChoices},
        {schema::kScrollBarAlignments, &ScrollBarAlignments},
        {schema::kVisibilities, &Visibilities},
        {schema::kUrlSuggestions, &UrlSuggestions},
        {schema::kTargetSuggestions, &TargetSuggestions},
    };
    for (const auto& [entries, list] : lists) {
        if (entries == choices.data())
            return list;
    }
    return nullptr;
}

FieldKind kindOf(const kzt::SchemaField& field)
{
    using kzt::FieldType;
    static const std::pair<FieldType, FieldKind> kinds[] = {
        {FieldType::TrimmedText, FieldKind::TrimmedText}, {FieldType::FileName, FieldKind::TrimmedText},
        {FieldType::Integer, FieldKind::Integer},         {FieldType::Colour, FieldKind::Colour},
        {FieldType::Choice, FieldKind::Choice},           {FieldType::Switch, FieldKind::Flag},
        {FieldType::BitFlags, FieldKind::FontStyle},      {FieldType::Reserved, FieldKind::Reserved},
        {FieldType::Derived, FieldKind::Derived},
    };
    for (const auto& [type, kind] : kinds) {
        if (type == field.type)
            return kind;
    }
    return FieldKind::Text;
}

// The descriptions point into the expanded fields, which live as long.
std::vector<FieldDescription> describe(const std::vector<kzt::SchemaField>& fields)
{
    std::vector<FieldDescription> table;
    for (const kzt::SchemaField& field : fields)
        table.push_back({field.name.c_str(), field.defaultValue.c_str(), kindOf(field), field.minimum, field.maximum,
                         listFor(field.choices), field.control.c_str(), field.second.c_str()});
    return table;
}

} // namespace

const std::vector<FieldDescription>& appletFieldDescriptions()
{
    static const std::vector<kzt::SchemaField> fields = kzt::expandSchema(schema::kSchema.applet);
    static const std::vector<FieldDescription> table = describe(fields);
    return table;
}

const std::vector<FieldDescription>& itemFieldDescriptions()
{
    static const std::vector<kzt::SchemaField> fields = kzt::expandSchema(schema::kSchema.item);
    static const std::vector<FieldDescription> table = describe(fields);
    return table;
}

} // namespace vantrel
