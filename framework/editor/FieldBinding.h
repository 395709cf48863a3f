#pragma once

#include "Records.h"
#include "Status.h"

#include <QList>
#include <QString>

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

class QObject;
class QWidget;

namespace kzt {

class ColorSwatch;

// How a field's text maps onto its control.
enum class FieldKind {
    Text,    // line edit or editable combo box, as typed
    Trimmed, // the same, trimmed of leading and trailing blanks both ways
    Integer, // spin box, decimal text
    Switch,  // check box or toggle button, "1" when on
    Colour,  // colour swatch, six hex digits red-green-blue
    Choice,  // fixed combo box, zero-based position
    Flag     // two radio buttons: the first for "1", the second for "0"
};

struct FieldControl
{
    std::size_t field;
    QWidget* control;
    FieldKind kind;
    QWidget* second = nullptr; // the "0" radio button of a Flag
};

// One table binding record fields to controls, read by one routine each
// way. The offset shifts every field, so repeated blocks of a record share
// one table and one set of controls.
//
// A text field the user did not edit goes back byte for byte: the binding
// keeps the bytes it showed and writes them again while the control still
// shows the same text.
class FieldBinding
{
public:
    FieldBinding() = default;
    explicit FieldBinding(std::vector<FieldControl> table);

    void add(std::size_t field, QWidget* control, FieldKind kind, QWidget* second = nullptr);

    // Record -> controls. A field that does not convert leaves its control
    // as it was; the first such field is reported.
    Status show(const TFieldRecord& record, std::size_t offset = 0);
    // Controls -> record; fields outside the table stay as they are.
    void commit(TFieldRecord& record, std::size_t offset = 0) const;

    // True while show() fills the controls, so that is not taken for an edit.
    bool showing() const { return m_showing; }
    // The record text for a text control: the bytes shown when the text is
    // still the one shown, else the control's text.
    std::string recordText(const QWidget* control, const QString& text) const;

    // Calls changed(control) on every edit of a bound control except while
    // showing; a colour swatch reports its click instead.
    void watch(QObject* context, const std::function<void(QWidget*)>& changed) const;

    QList<QWidget*> controls() const;
    const std::vector<FieldControl>& table() const { return m_table; }

private:
    struct Shown
    {
        std::string bytes; // what the record held, as a committed value would be
        QString text;      // what the control showed
        bool valid = false;
    };

    std::vector<FieldControl> m_table;
    std::vector<Shown> m_shown;
    std::size_t m_shownOffset = 0;
    bool m_showing = false;
};

} // namespace kzt
