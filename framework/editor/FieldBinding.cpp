#include "FieldBinding.h"

#include "AppletUtility.h"
#include "ColorSwatch.h"
#include "FieldText.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>

#include <algorithm>

namespace kzt {

namespace {

QString controlText(const QWidget* control)
{
    if (const auto* edit = qobject_cast<const QLineEdit*>(control))
        return edit->text();
    if (const auto* combo = qobject_cast<const QComboBox*>(control))
        return combo->currentText();
    return {};
}

void setControlText(QWidget* control, const QString& text)
{
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        edit->setText(text);
    else if (auto* combo = qobject_cast<QComboBox*>(control))
        combo->setEditText(text);
}

bool isText(FieldKind kind)
{
    return kind == FieldKind::Text || kind == FieldKind::Trimmed;
}

std::string switchText(bool on)
{
    return on ? "1" : "0";
}

// Sets buttons that may be exclusive, allowing none of them to be checked.
void setButtons(const QList<QAbstractButton*>& buttons, const std::function<bool(int)>& on)
{
    std::vector<bool> exclusive;
    for (QAbstractButton* button : buttons) {
        exclusive.push_back(button->autoExclusive());
        button->setAutoExclusive(false);
    }
    for (int i = 0; i < buttons.size(); ++i)
        buttons[i]->setChecked(on(i));
    for (int i = 0; i < buttons.size(); ++i)
        buttons[i]->setAutoExclusive(exclusive[std::size_t(i)]);
}

} // namespace

FieldBinding::FieldBinding(std::vector<FieldControl> table) : m_table(std::move(table))
{
    m_shown.resize(m_table.size());
}

void FieldBinding::add(std::size_t field, QWidget* control, FieldKind kind, QWidget* second)
{
    m_table.push_back({field, control, kind, second});
    m_shown.emplace_back();
}

void FieldBinding::addGroup(std::size_t field, QButtonGroup* group)
{
    const QList<QAbstractButton*> buttons = group->buttons();
    m_table.push_back({field, buttons.isEmpty() ? nullptr : buttons.first(), FieldKind::Group, nullptr, group});
    m_shown.emplace_back();
}

QString FieldBinding::keptNote(std::string_view stored)
{
    return QStringLiteral("The project holds \"%1\" here, which this control cannot show; it is kept until you "
                          "change this setting.")
        .arg(FieldText::toControl(stored));
}

QList<QWidget*> FieldBinding::widgetsOf(const FieldControl& entry) const
{
    QList<QWidget*> list;
    if (entry.group) {
        for (QAbstractButton* button : entry.group->buttons())
            list.append(button);
        return list;
    }
    if (entry.control)
        list.append(entry.control);
    if (entry.second)
        list.append(entry.second);
    return list;
}

std::string FieldBinding::controlValue(const FieldControl& entry) const
{
    switch (entry.kind) {
    case FieldKind::Text:
    case FieldKind::Trimmed:
        return FieldText::toRecord(controlText(entry.control), entry.control);
    case FieldKind::Integer:
        if (const auto* box = qobject_cast<const QSpinBox*>(entry.control))
            return std::to_string(box->value());
        break;
    case FieldKind::Switch:
        if (const auto* button = qobject_cast<const QAbstractButton*>(entry.control))
            return switchText(button->isChecked());
        break;
    case FieldKind::Colour:
        if (const auto* swatch = qobject_cast<const ColorSwatch*>(entry.control)) {
            const QColor colour = swatch->color();
            if (!colour.isValid())
                return {};
            return ColorToHex(static_cast<std::uint8_t>(colour.red()), static_cast<std::uint8_t>(colour.green()),
                              static_cast<std::uint8_t>(colour.blue()));
        }
        break;
    case FieldKind::Choice:
        if (const auto* combo = qobject_cast<const QComboBox*>(entry.control))
            return combo->currentIndex() >= 0 ? std::to_string(combo->currentIndex()) : std::string();
        break;
    case FieldKind::Flag: {
        const auto* on = qobject_cast<const QAbstractButton*>(entry.control);
        const auto* off = qobject_cast<const QAbstractButton*>(entry.second);
        // Neither button (an empty flag) is written as off, as new documents are.
        return switchText(on && on->isChecked() && !(off && off->isChecked()));
    }
    case FieldKind::Group:
        if (entry.group && entry.group->checkedId() >= 0)
            return std::to_string(entry.group->checkedId());
        return {};
    case FieldKind::Styles: {
        const auto* bold = qobject_cast<const QAbstractButton*>(entry.control);
        const auto* italic = qobject_cast<const QAbstractButton*>(entry.second);
        return std::to_string((bold && bold->isChecked() ? 1 : 0) + (italic && italic->isChecked() ? 2 : 0));
    }
    case FieldKind::Listed:
        if (const auto* combo = qobject_cast<const QComboBox*>(entry.control))
            return combo->currentIndex() >= 0 ? FieldText::toRecord(combo->currentText(), combo) : std::string();
        break;
    }
    return {};
}

// Puts the value into the control as far as the control can hold it.
void FieldBinding::setValue(const FieldControl& entry, const std::string& value)
{
    switch (entry.kind) {
    case FieldKind::Text:
    case FieldKind::Trimmed:
        setControlText(entry.control, FieldText::toControl(entry.kind == FieldKind::Trimmed ? Trim(value) : value));
        break;
    case FieldKind::Integer:
        if (auto* box = qobject_cast<QSpinBox*>(entry.control)) {
            const auto number = ParseDecimal(value);
            const long long shown = number ? *number : 0;
            box->setValue(static_cast<int>(std::clamp<long long>(shown, box->minimum(), box->maximum())));
        }
        break;
    case FieldKind::Switch:
        if (auto* button = qobject_cast<QAbstractButton*>(entry.control))
            button->setChecked(value == "1");
        break;
    case FieldKind::Colour:
        if (auto* swatch = qobject_cast<ColorSwatch*>(entry.control)) {
            const auto rgb = HexToColor(value);
            swatch->setColor(rgb ? QColor(rgb->red, rgb->green, rgb->blue) : QColor());
        }
        break;
    case FieldKind::Choice:
        if (auto* combo = qobject_cast<QComboBox*>(entry.control)) {
            const auto number = ParseDecimal(value);
            const bool inRange = number && *number >= 0 && *number < combo->count();
            combo->setCurrentIndex(inRange ? static_cast<int>(*number) : -1);
        }
        break;
    case FieldKind::Flag: {
        auto* on = qobject_cast<QAbstractButton*>(entry.control);
        auto* off = qobject_cast<QAbstractButton*>(entry.second);
        if (on && off)
            setButtons({on, off}, [&value](int i) { return value == (i == 0 ? "1" : "0"); });
        break;
    }
    case FieldKind::Group:
        if (entry.group) {
            const QList<QAbstractButton*> buttons = entry.group->buttons();
            const bool exclusive = entry.group->exclusive();
            entry.group->setExclusive(false);
            setButtons(buttons, [&](int i) { return std::to_string(entry.group->id(buttons[i])) == value; });
            entry.group->setExclusive(exclusive);
        }
        break;
    case FieldKind::Styles: {
        auto* bold = qobject_cast<QAbstractButton*>(entry.control);
        auto* italic = qobject_cast<QAbstractButton*>(entry.second);
        const auto number = ParseDecimal(value);
        const long long bits = number && *number >= 0 && *number <= 3 ? *number : 0;
        if (bold)
            bold->setChecked((bits & 1) != 0);
        if (italic)
            italic->setChecked((bits & 2) != 0);
        break;
    }
    case FieldKind::Listed:
        if (auto* combo = qobject_cast<QComboBox*>(entry.control))
            combo->setCurrentIndex(combo->findText(FieldText::toControl(value)));
        break;
    }
}

void FieldBinding::note(std::size_t index, bool kept)
{
    Shown& shown = m_shown[index];
    const QList<QWidget*> widgets = widgetsOf(m_table[index]);
    if (kept) {
        if (!shown.tipsSaved && !widgets.isEmpty()) {
            shown.toolTip = widgets.first()->toolTip();
            shown.statusTip = widgets.first()->statusTip();
            shown.tipsSaved = true;
        }
        const QString text = keptNote(shown.bytes);
        for (QWidget* widget : widgets) {
            widget->setToolTip(text);
            widget->setStatusTip(text);
        }
    } else if (shown.tipsSaved) {
        for (QWidget* widget : widgets) {
            widget->setToolTip(shown.toolTip);
            widget->setStatusTip(shown.statusTip);
        }
        shown.tipsSaved = false;
    }
}

// Marks a control edited when it changes other than by show().
void FieldBinding::track()
{
    if (m_tracking)
        return;
    m_tracking = true;
    for (std::size_t i = 0; i < m_table.size(); ++i) {
        const FieldControl& entry = m_table[i];
        auto mark = [this, i] {
            if (!m_showing)
                m_shown[i].edited = true;
        };
        for (QWidget* widget : widgetsOf(entry)) {
            if (auto* edit = qobject_cast<QLineEdit*>(widget))
                QObject::connect(edit, &QLineEdit::textChanged, widget, mark);
            else if (auto* combo = qobject_cast<QComboBox*>(widget))
                QObject::connect(combo, &QComboBox::currentIndexChanged, widget, mark);
            else if (auto* spin = qobject_cast<QSpinBox*>(widget))
                QObject::connect(spin, &QSpinBox::valueChanged, widget, mark);
            else if (auto* button = qobject_cast<QAbstractButton*>(widget))
                QObject::connect(button, &QAbstractButton::toggled, widget, mark);
        }
    }
}

Status FieldBinding::show(const TFieldRecord& record, std::size_t offset)
{
    track();
    m_showing = true;
    m_shownOffset = offset;
    for (std::size_t i = 0; i < m_table.size(); ++i) {
        const FieldControl& entry = m_table[i];
        const std::size_t field = entry.field + offset;
        Shown& shown = m_shown[i];
        shown.bytes = field < record.size() ? std::string(record.get(field)) : std::string();
        setValue(entry, shown.bytes);
        shown.text = controlText(entry.control);
        shown.value = controlValue(entry);
        shown.valid = true;
        shown.edited = false;
        // Text controls keep their bytes through recordText(); the others
        // keep a value that does not come back the same.
        shown.kept = !isText(entry.kind) && shown.value != shown.bytes
                     && !(entry.kind == FieldKind::Flag && shown.bytes.empty());
        note(i, shown.kept);
    }
    m_showing = false;
    return Status::success();
}

bool FieldBinding::keptNow(std::size_t index) const
{
    const Shown& shown = m_shown[index];
    return shown.valid && shown.kept && !shown.edited && controlValue(m_table[index]) == shown.value;
}

std::vector<std::size_t> FieldBinding::keptFields() const
{
    std::vector<std::size_t> fields;
    for (std::size_t i = 0; i < m_table.size(); ++i) {
        if (keptNow(i))
            fields.push_back(m_table[i].field + m_shownOffset);
    }
    return fields;
}

void FieldBinding::commit(TFieldRecord& record, std::size_t offset) const
{
    for (std::size_t i = 0; i < m_table.size(); ++i) {
        const FieldControl& entry = m_table[i];
        const std::size_t field = entry.field + offset;
        if (field >= record.size())
            record.resize(field + 1);
        const bool sameRecord = offset == m_shownOffset;
        std::string value;
        if (isText(entry.kind)) {
            QString text = controlText(entry.control);
            if (entry.kind == FieldKind::Trimmed)
                text = text.trimmed();
            value = sameRecord ? recordText(entry.control, text) : FieldText::toRecord(text, entry.control);
        } else if (sameRecord && keptNow(i)) {
            value = m_shown[i].bytes;
        } else {
            value = controlValue(entry);
        }
        record.set(field, value);
    }
}

std::string FieldBinding::recordText(const QWidget* control, const QString& text) const
{
    for (std::size_t i = 0; i < m_table.size(); ++i) {
        if (m_table[i].control != control || !isText(m_table[i].kind))
            continue;
        const Shown& shown = m_shown[i];
        const bool trim = m_table[i].kind == FieldKind::Trimmed;
        if (shown.valid && (trim ? text.trimmed() == shown.text.trimmed() : text == shown.text))
            return shown.bytes;
    }
    return FieldText::toRecord(text, control);
}

void FieldBinding::watch(QObject* context, const std::function<void(QWidget*)>& changed) const
{
    for (const FieldControl& entry : m_table) {
        for (QWidget* control : widgetsOf(entry)) {
            auto report = [this, changed, control] {
                if (!m_showing)
                    changed(control);
            };
            if (auto* edit = qobject_cast<QLineEdit*>(control)) {
                QObject::connect(edit, &QLineEdit::textChanged, context, report);
            } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
                if (combo->isEditable())
                    QObject::connect(combo, &QComboBox::editTextChanged, context, report);
                else
                    QObject::connect(combo, &QComboBox::currentIndexChanged, context, report);
            } else if (auto* spin = qobject_cast<QSpinBox*>(control)) {
                QObject::connect(spin, &QSpinBox::valueChanged, context, report);
            } else if (auto* swatch = qobject_cast<ColorSwatch*>(control)) {
                QObject::connect(swatch, &ColorSwatch::clicked, context, [changed, control] { changed(control); });
            } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
                QObject::connect(button, &QAbstractButton::toggled, context, report);
            }
        }
    }
}

QList<QWidget*> FieldBinding::controls() const
{
    QList<QWidget*> list;
    for (const FieldControl& entry : m_table)
        list.append(widgetsOf(entry));
    return list;
}

} // namespace kzt
