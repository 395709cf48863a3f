#pragma once

#include "FieldSchema.h"
#include "SchemaBinding.h"

#include <QAbstractButton>
#include <QStringList>
#include <QWidget>

// The controls and picker buttons a product's schema names, missing from its
// panels: a renamed control would otherwise drop out of the binding unseen.
inline QStringList missingSchemaControls(const QWidget* panels, const kzt::ProductSchema& schema)
{
    QStringList missing;
    for (const kzt::RecordSchema& record : {schema.applet, schema.item}) {
        kzt::bindSchema(record, panels, &missing);
        for (const kzt::SchemaField& field : kzt::expandSchema(record)) {
            if (!field.picker.empty() && !panels->findChild<QAbstractButton*>(QString::fromStdString(field.picker)))
                missing.append(QString::fromStdString(field.picker));
        }
    }
    return missing;
}
