#pragma once

#include "vantrel/core/VantrelFields.h"

#include <QList>
#include <QPair>
#include <QString>

#include <cstddef>

class QGridLayout;
class QGroupBox;
class QToolButton;
class QWidget;

namespace vantrel {

// The pieces the property pages are made of: one control per field, made
// from the field table, with its hint, and the small layout helpers.

// The status line's hint for an applet field or a common item field.
QString fieldHint(const char* name);
// The hint of a look field, the look named in it.
QString stateHint(std::size_t offset, int state);
// A control for a field, as its table entry describes it (no font styles).
QWidget* controlFor(const FieldDescription& field, const QString& name, QWidget* parent);
// One of the two toggle buttons of a font style ("B" or "I").
QToolButton* styleButton(const char* name, const QString& text, QWidget* parent);

// Label-control rows in a grid, `columns` pairs a row.
void addRows(QGridLayout* grid, const QList<QPair<QString, QWidget*>>& rows, int columns = 1, int firstRow = 0);
QGroupBox* group(const QString& title, QWidget* parent);
// A property page with its name and the hint it shows in the status line.
QWidget* propertyPage(QWidget* parent, const char* name, const QString& hint);
// An edit with its picker button beside it.
QWidget* withButton(QWidget* edit, QToolButton* button, QWidget* parent);

} // namespace vantrel
