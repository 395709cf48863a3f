#include "FieldSchema.h"

#include "ProductProfile.h"

namespace kzt {

namespace {

std::string withCopyName(const char* pattern, const char* copyName)
{
    std::string result;
    for (const char* p = pattern; *p; ++p) {
        if (*p == '%')
            result += copyName;
        else
            result += *p;
    }
    return result;
}

constexpr FileRole kCopiedRoles[] = {FileRole::Image, FileRole::Sound, FileRole::TextFile};

std::vector<std::size_t> fieldsOfRoles(const std::vector<SchemaField>& fields)
{
    std::vector<std::size_t> result;
    for (FileRole role : kCopiedRoles) {
        for (const SchemaField& field : fields) {
            if (field.file == role)
                result.push_back(field.index);
        }
    }
    return result;
}

std::vector<std::size_t> fieldsOfRole(const std::vector<SchemaField>& fields, FileRole role)
{
    std::vector<std::size_t> result;
    for (const SchemaField& field : fields) {
        if (field.file == role)
            result.push_back(field.index);
    }
    return result;
}

} // namespace

std::vector<SchemaField> expandSchema(const RecordSchema& schema)
{
    std::vector<SchemaField> fields;
    fields.reserve(schema.size());
    for (const SchemaPart& part : schema.parts) {
        for (std::size_t copy = 0; copy < part.copyCount(); ++copy) {
            const char* copyName = part.copyNames.empty() ? "" : part.copyNames[copy];
            for (std::size_t offset = 0; offset < part.fields.size(); ++offset) {
                const FieldSpec& declared = part.fields[offset];
                const bool inThisCopy = part.copyNames.empty() || copy >= 32 || ((declared.copies >> copy) & 1u) != 0;
                SchemaField field;
                field.index = fields.size();
                field.copy = copy;
                field.offset = offset;
                field.repeated = !part.copyNames.empty();
                field.name = withCopyName(declared.name, copyName);
                field.defaultValue = declared.defaultValue;
                field.type = declared.type;
                field.minimum = declared.minimum;
                field.maximum = declared.maximum;
                field.choices = declared.choices;
                if (inThisCopy) {
                    field.control = withCopyName(declared.control, copyName);
                    field.second = withCopyName(declared.second, copyName);
                    field.file = declared.file;
                    field.picker = withCopyName(declared.picker, copyName);
                } else if (field.type == FieldType::FileName) {
                    field.type = FieldType::TrimmedText;
                }
                field.hint = declared.hint;
                field.role = declared.role;
                fields.push_back(std::move(field));
            }
        }
    }
    return fields;
}

TStringArray schemaDefaults(const RecordSchema& schema)
{
    TStringArray values;
    values.reserve(schema.size());
    for (const SchemaPart& part : schema.parts) {
        for (std::size_t copy = 0; copy < part.copyCount(); ++copy) {
            for (const FieldSpec& declared : part.fields)
                values.emplace_back(declared.defaultValue);
        }
    }
    return values;
}

std::vector<std::size_t> fieldsWithFileRole(const RecordSchema& schema, FileRole role)
{
    return fieldsOfRole(expandSchema(schema), role);
}

void deriveFromSchema(ProductInfo& info, const ProductSchema& schema, const std::vector<FileSectionHeading>& headings)
{
    const std::vector<SchemaField> applet = expandSchema(schema.applet);
    const std::vector<SchemaField> item = expandSchema(schema.item);
    info.appletFieldCount = applet.size();
    info.itemFieldCount = item.size();
    info.hasLevelField = false;
    for (const SchemaField& field : item) {
        if (field.role == FieldRole::Caption)
            info.captionField = field.index;
        if (field.role == FieldRole::Level) {
            info.levelField = field.index;
            info.hasLevelField = true;
        }
    }
    info.itemFileFields = fieldsOfRoles(item);
    info.appletFileFields = fieldsOfRoles(applet);
    info.report.sections.clear();
    for (const FileSectionHeading& section : headings)
        info.report.sections.push_back(
            {section.heading, fieldsOfRole(item, section.role), fieldsOfRole(applet, section.role)});
}

} // namespace kzt
