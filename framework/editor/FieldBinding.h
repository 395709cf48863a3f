#pragma once

#include "Records.h"
#include "Status.h"

#include <QList>
#include <QString>

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class QButtonGroup;
class QObject;
class QWidget;

namespace kzt {

class ColorSwatch;

// How a field's text maps onto its control.
enum class FieldKind {
    Text,    // line edit or editable combo box, as typed
    Trimmed, // the same; an edited text is trimmed of blanks at both ends
    Integer, // spin box, decimal text
    Switch,  // check box or toggle button, "1" when on
    Colour,  // colour swatch, six hex digits red-green-blue
    Choice,  // fixed combo box, zero-based position
    Flag,    // two radio buttons: the first for "1", the second for "0"
    Group,   // buttons of a button group, the checked button's id
    Styles,  // two toggle buttons: the first adds 1, the second 2 (bold, italic)
    Listed   // fixed combo box, the text of the chosen entry
};

struct FieldControl
{
    std::size_t field;
    QWidget* control;
    FieldKind kind;
    QWidget* second = nullptr;      // the "0" radio button of a Flag, the italic button of Styles
    QButtonGroup* group = nullptr;  // the buttons of a Group (control is one of them)
};

// One table binding record fields to controls, read by one routine each
// way. The offset shifts every field, so repeated blocks of a record share
// one table and one set of controls.
//
// Nothing the author did not edit is rewritten:
// - a text field goes back byte for byte while its control still shows the
//   text it was given (blanks at the ends and bytes that are not UTF-8
//   included);
// - a value its control cannot hold exactly (not a number, out of range, an
//   unknown choice, a malformed or empty colour, a switch that is neither
//   "1" nor "0" ...) is kept as it was stored until the author edits that
//   control. The control shows what it can, and its tool tip and status tip
//   (the hint line) name the stored value. An empty flag is the one value
//   written anew: it shows as neither button and is written "0", as a new
//   document's is.
//
// The binding connects to its controls on the first show(), so it must stay
// where it is from then on (a member of the panels that own the controls).
class FieldBinding
{
public:
    FieldBinding() = default;
    explicit FieldBinding(std::vector<FieldControl> table);
    FieldBinding(const FieldBinding&) = delete;
    FieldBinding& operator=(const FieldBinding&) = delete;
    FieldBinding(FieldBinding&&) = default;
    FieldBinding& operator=(FieldBinding&&) = default;

    void add(std::size_t field, QWidget* control, FieldKind kind, QWidget* second = nullptr);
    void addGroup(std::size_t field, QButtonGroup* group);

    // Record -> controls. Always succeeds: a value its control cannot show is
    // kept (see above) and listed by keptFields().
    Status show(const TFieldRecord& record, std::size_t offset = 0);
    // Controls -> record; fields outside the table stay as they are.
    void commit(TFieldRecord& record, std::size_t offset = 0) const;

    // True while show() fills the controls, so that is not taken for an edit.
    bool showing() const { return m_showing; }
    // The record text for a text control: the bytes shown when the text is
    // still the one shown, else the control's text.
    std::string recordText(const QWidget* control, const QString& text) const;
    // The fields (with the offset of the last show) whose stored value is
    // kept because its control cannot show it and it was not edited since.
    std::vector<std::size_t> keptFields() const;
    // The note a kept value's control carries as its tips.
    static QString keptNote(std::string_view stored);

    // Calls changed(control) on every edit of a bound control except while
    // showing; a colour swatch reports its click instead.
    void watch(QObject* context, const std::function<void(QWidget*)>& changed) const;

    QList<QWidget*> controls() const;
    const std::vector<FieldControl>& table() const { return m_table; }

private:
    struct Shown
    {
        std::string bytes;  // what the record held
        QString text;       // what a text control showed
        bool valid = false; // the two above describe the last show
        std::string value;  // what the control gave right after the show
        bool kept = false;  // the control could not show `bytes`
        bool edited = false;
        bool tipsSaved = false;
        QString toolTip;    // the control's own tips while a note replaces them
        QString statusTip;
    };

    // What the control holds, as record bytes.
    std::string controlValue(const FieldControl& entry) const;
    void setValue(const FieldControl& entry, const std::string& value);
    void note(std::size_t index, bool kept);
    QList<QWidget*> widgetsOf(const FieldControl& entry) const;
    void track();
    bool keptNow(std::size_t index) const;

    std::vector<FieldControl> m_table;
    std::vector<Shown> m_shown;
    std::size_t m_shownOffset = 0;
    bool m_showing = false;
    bool m_tracking = false;
};

} // namespace kzt
