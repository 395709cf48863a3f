#pragma once

#include "FieldBinding.h"
#include "FieldSchema.h"

#include <QStringList>

class QWidget;

namespace kzt {

// The binding kind of a field type; false for fields no control edits
// (reserved, derived) and for multi-line texts, which a product joins itself.
bool bindingKindOf(const SchemaField& field, FieldKind& kind);

// Binds every field of the record that names a control to the control of
// that object name under `root` (a radio group: the QButtonGroup of that
// name). The names of controls not found are added to `missing`.
FieldBinding bindSchema(const RecordSchema& schema, const QWidget* root, QStringList* missing = nullptr);

} // namespace kzt
