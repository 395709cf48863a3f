#include "SchemaBinding.h"

#include <QButtonGroup>
#include <QWidget>

namespace kzt {

bool bindingKindOf(const SchemaField& field, FieldKind& kind)
{
    struct Row
    {
        FieldType type;
        FieldKind kind;
    };
    static constexpr Row rows[] = {
        {FieldType::Text, FieldKind::Text},          {FieldType::Real, FieldKind::Text},
        {FieldType::TrimmedText, FieldKind::Trimmed}, {FieldType::FileName, FieldKind::Trimmed},
        {FieldType::Integer, FieldKind::Integer},    {FieldType::Colour, FieldKind::Colour},
        {FieldType::Choice, FieldKind::Choice},      {FieldType::ListedChoice, FieldKind::Listed},
        {FieldType::Switch, FieldKind::Switch},      {FieldType::RadioFlag, FieldKind::Flag},
        {FieldType::RadioGroup, FieldKind::Group},   {FieldType::BitFlags, FieldKind::Styles},
    };
    for (const Row& row : rows) {
        if (row.type == field.type) {
            kind = row.kind;
            return true;
        }
    }
    return false;
}

FieldBinding bindSchema(const RecordSchema& schema, const QWidget* root, QStringList* missing)
{
    FieldBinding binding;
    const auto note = [missing](const std::string& name) {
        if (missing)
            missing->append(QString::fromStdString(name));
    };
    for (const SchemaField& field : expandSchema(schema)) {
        FieldKind kind;
        if (field.control.empty() || !bindingKindOf(field, kind))
            continue;
        const QString name = QString::fromStdString(field.control);
        if (kind == FieldKind::Group) {
            if (auto* group = root->findChild<QButtonGroup*>(name))
                binding.addGroup(field.index, group);
            else
                note(field.control);
            continue;
        }
        QWidget* control = root->findChild<QWidget*>(name);
        QWidget* second = field.second.empty() ? nullptr : root->findChild<QWidget*>(QString::fromStdString(field.second));
        if (!control)
            note(field.control);
        if (!field.second.empty() && !second)
            note(field.second);
        if (control)
            binding.add(field.index, control, kind, second);
    }
    return binding;
}

} // namespace kzt
