#pragma once

#include "Records.h"

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kzt {

struct ProductInfo;

// How a field is held and edited.
enum class FieldType {
    Text,          // as typed
    TrimmedText,   // an edited text loses its blanks at both ends
    MultiLineText, // lines joined by the product's joiner
    Integer,       // decimal, within the field's range
    Real,          // decimal with a fraction
    Colour,        // six hexadecimal digits, red first
    Choice,        // zero-based position in the field's choice list
    ListedChoice,  // the text of the chosen entry of the choice list
    Switch,        // "1" on, "0" off: a check box or a toggle button
    RadioFlag,     // "1" or "0" from two radio buttons (control, second)
    RadioGroup,    // the id of the checked button of a button group
    BitFlags,      // bold adds 1, italic adds 2 (control, second)
    FileName,      // a file or address; its FileRole says which
    Reserved,      // always its default, no control
    Derived        // set from the tree or by the page, no control
};

// What a file name field names: files of the first three travel with the
// project and are listed in the report, a link is only picked.
enum class FileRole { None, Image, Sound, TextFile, Link };

// What the framework reads a field for.
enum class FieldRole {
    None,
    Caption, // the item's text in the tree
    Level    // the item's depth, kept from the tree
};

// One field of a record. `field` is the product's enum value for it, which
// the compile-time check compares with the field's place in the table; in a
// repeated block it counts from the start of the block. In a repeated block
// a '%' in the name, control and second control stands for the copy's name.
struct FieldSpec
{
    std::size_t field = 0;
    const char* name = "";
    const char* defaultValue = "";
    FieldType type = FieldType::Text;
    int minimum = 0;
    int maximum = 0;
    std::span<const char* const> choices = {};
    const char* control = "";
    const char* second = ""; // the "0" radio button, the italic button
    const char* hint = "";
    const char* picker = ""; // the button that offers a file, address or colour dialog
    FieldRole role = FieldRole::None;
    FileRole file = FileRole::None;
    // In a repeated block, the copies (bit 0 the first) that have the control
    // and the file role; the others keep the field without them.
    unsigned copies = ~0u;

    constexpr FieldSpec withRange(int low, int high) const
    {
        FieldSpec copy = *this;
        copy.minimum = low;
        copy.maximum = high;
        return copy;
    }
    constexpr FieldSpec withSecond(const char* name2) const
    {
        FieldSpec copy = *this;
        copy.second = name2;
        return copy;
    }
    constexpr FieldSpec withHint(const char* text) const
    {
        FieldSpec copy = *this;
        copy.hint = text;
        return copy;
    }
    constexpr FieldSpec withPicker(const char* button) const
    {
        FieldSpec copy = *this;
        copy.picker = button;
        return copy;
    }
    constexpr FieldSpec withRole(FieldRole what) const
    {
        FieldSpec copy = *this;
        copy.role = what;
        return copy;
    }
    // A text kept as typed that names a file or an address.
    constexpr FieldSpec withFile(FileRole what) const
    {
        FieldSpec copy = *this;
        copy.file = what;
        return copy;
    }
    constexpr FieldSpec onlyIn(unsigned copyMask) const
    {
        FieldSpec copy = *this;
        copy.copies = copyMask;
        return copy;
    }
};

// Short makers for the tables.
constexpr FieldSpec text(std::size_t field, const char* name, const char* value, const char* control = "")
{
    return {.field = field, .name = name, .defaultValue = value, .type = FieldType::Text, .control = control};
}
constexpr FieldSpec trimmed(std::size_t field, const char* name, const char* value, const char* control = "")
{
    return {.field = field, .name = name, .defaultValue = value, .type = FieldType::TrimmedText, .control = control};
}
constexpr FieldSpec multiLine(std::size_t field, const char* name, const char* value, const char* control = "")
{
    return {.field = field, .name = name, .defaultValue = value, .type = FieldType::MultiLineText, .control = control};
}
constexpr FieldSpec integer(std::size_t field, const char* name, const char* value, int low, int high,
                            const char* control = "")
{
    return {.field = field, .name = name, .defaultValue = value, .type = FieldType::Integer, .minimum = low,
            .maximum = high, .control = control};
}
constexpr FieldSpec colour(std::size_t field, const char* name, const char* value, const char* control = "")
{
    return {.field = field, .name = name, .defaultValue = value, .type = FieldType::Colour, .control = control};
}
constexpr FieldSpec choice(std::size_t field, const char* name, const char* value, std::span<const char* const> list,
                           const char* control = "")
{
    return {.field = field, .name = name, .defaultValue = value, .type = FieldType::Choice, .choices = list,
            .control = control};
}
constexpr FieldSpec listed(std::size_t field, const char* name, const char* value, std::span<const char* const> list,
                           const char* control = "")
{
    return {.field = field, .name = name, .defaultValue = value, .type = FieldType::ListedChoice, .choices = list,
            .control = control};
}
constexpr FieldSpec toggle(std::size_t field, const char* name, const char* value, const char* control = "")
{
    return {.field = field, .name = name, .defaultValue = value, .type = FieldType::Switch, .control = control};
}
constexpr FieldSpec radioFlag(std::size_t field, const char* name, const char* value, const char* on,
                              const char* off)
{
    return {.field = field, .name = name, .defaultValue = value, .type = FieldType::RadioFlag, .control = on,
            .second = off};
}
constexpr FieldSpec radioGroup(std::size_t field, const char* name, const char* value, const char* group)
{
    return {.field = field, .name = name, .defaultValue = value, .type = FieldType::RadioGroup, .control = group};
}
constexpr FieldSpec bitFlags(std::size_t field, const char* name, const char* value, const char* bold,
                             const char* italic)
{
    return {.field = field, .name = name, .defaultValue = value, .type = FieldType::BitFlags, .minimum = 0,
            .maximum = 3, .control = bold, .second = italic};
}
constexpr FieldSpec fileName(std::size_t field, const char* name, const char* value, FileRole role,
                             const char* control = "")
{
    return {.field = field, .name = name, .defaultValue = value, .type = FieldType::FileName, .control = control,
            .file = role};
}
constexpr FieldSpec reserved(std::size_t field, const char* name, const char* value)
{
    return {.field = field, .name = name, .defaultValue = value, .type = FieldType::Reserved};
}
constexpr FieldSpec derived(std::size_t field, const char* name, const char* value)
{
    return {.field = field, .name = name, .defaultValue = value, .type = FieldType::Derived};
}

// A run of fields, declared once and repeated `copyNames.size()` times (one
// copy when there are no names).
struct SchemaPart
{
    std::span<const FieldSpec> fields;
    std::span<const char* const> copyNames = {};

    constexpr std::size_t copyCount() const { return copyNames.empty() ? 1 : copyNames.size(); }
    constexpr std::size_t size() const { return fields.size() * copyCount(); }
};

// The fields of one record, part after part.
struct RecordSchema
{
    std::span<const SchemaPart> parts;

    constexpr std::size_t size() const
    {
        std::size_t total = 0;
        for (const SchemaPart& part : parts)
            total += part.size();
        return total;
    }

    // True when every field's enum value is its place (counted from the
    // start of its block in a repeated part) and the table has `count`
    // fields: what the products' static_asserts check.
    constexpr bool matches(std::size_t count) const
    {
        std::size_t place = 0;
        for (const SchemaPart& part : parts) {
            const std::size_t base = part.copyNames.empty() ? place : 0;
            for (std::size_t i = 0; i < part.fields.size(); ++i) {
                if (part.fields[i].field != base + i)
                    return false;
            }
            place += part.size();
        }
        return place == count;
    }
};

// One field of a record with its repeated block expanded: names and
// controls with the copy's name put in.
struct SchemaField
{
    std::size_t index = 0;  // place in the record
    std::size_t copy = 0;   // which copy of a repeated block, else 0
    std::size_t offset = 0; // place within its block
    bool repeated = false;
    std::string name;
    std::string defaultValue;
    FieldType type = FieldType::Text;
    int minimum = 0;
    int maximum = 0;
    std::span<const char* const> choices;
    std::string control;
    std::string second;
    std::string hint;
    std::string picker;
    FieldRole role = FieldRole::None;
    FileRole file = FileRole::None;
};

std::vector<SchemaField> expandSchema(const RecordSchema& schema);
// The record of every default, in field order.
TStringArray schemaDefaults(const RecordSchema& schema);
// The fields of a role, in field order.
std::vector<std::size_t> fieldsWithFileRole(const RecordSchema& schema, FileRole role);

// A product's two records.
struct ProductSchema
{
    RecordSchema applet;
    RecordSchema item;
};

// The report's file sections: one heading for each file role, in the
// order the report lists them.
struct FileSectionHeading
{
    FileRole role;
    std::string heading;
};

// Fills what the schema says of a product: field counts, caption and level
// fields, the file fields in copy order (pictures, sounds, text files, each
// in field order) and the report's file sections under the given headings.
void deriveFromSchema(ProductInfo& info, const ProductSchema& schema, const std::vector<FileSectionHeading>& headings);

} // namespace kzt
