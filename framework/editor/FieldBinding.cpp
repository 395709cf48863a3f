#include "FieldBinding.h"

#include "AppletUtility.h"
#include "ColorSwatch.h"
#include "FieldText.h"

#include <QAbstractButton>
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

Status FieldBinding::show(const TFieldRecord& record, std::size_t offset)
{
    Status status;
    auto fail = [&status](const std::string& message) {
        if (status.ok())
            status = Status::failure(message);
    };
    m_showing = true;
    m_shownOffset = offset;
    for (std::size_t i = 0; i < m_table.size(); ++i) {
        const FieldControl& entry = m_table[i];
        const std::size_t field = entry.field + offset;
        const std::string value = field < record.size() ? std::string(record.get(field)) : std::string();
        m_shown[i].valid = false;
        switch (entry.kind) {
        case FieldKind::Text:
        case FieldKind::Trimmed: {
            const std::string bytes = entry.kind == FieldKind::Trimmed ? Trim(value) : value;
            const QString text = FieldText::toControl(bytes);
            setControlText(entry.control, text);
            m_shown[i] = {bytes, controlText(entry.control), true};
            break;
        }
        case FieldKind::Integer: {
            auto* box = qobject_cast<QSpinBox*>(entry.control);
            const auto number = ParseDecimal(value);
            if (!number)
                fail(NotAnIntegerMessage(value));
            else if (box)
                box->setValue(static_cast<int>(std::clamp<long long>(*number, box->minimum(), box->maximum())));
            break;
        }
        case FieldKind::Switch:
            if (auto* button = qobject_cast<QAbstractButton*>(entry.control))
                button->setChecked(value == "1");
            break;
        case FieldKind::Colour: {
            const auto rgb = HexToColor(value);
            if (!rgb)
                fail("'" + value + "' is not a valid color value.");
            else if (auto* swatch = qobject_cast<ColorSwatch*>(entry.control))
                swatch->setColor(QColor(rgb->red, rgb->green, rgb->blue));
            break;
        }
        case FieldKind::Choice:
            if (auto* combo = qobject_cast<QComboBox*>(entry.control)) {
                const auto number = ParseDecimal(value);
                const bool inRange = number && *number >= 0 && *number < combo->count();
                combo->setCurrentIndex(inRange ? static_cast<int>(*number) : 0);
            }
            break;
        case FieldKind::Flag: {
            auto* on = qobject_cast<QAbstractButton*>(entry.control);
            auto* off = qobject_cast<QAbstractButton*>(entry.second);
            if (!on || !off)
                break;
            // An empty flag unchecks both buttons, which exclusive buttons refuse.
            const bool exclusive = on->autoExclusive();
            on->setAutoExclusive(false);
            off->setAutoExclusive(false);
            on->setChecked(value == "1");
            off->setChecked(value == "0");
            on->setAutoExclusive(exclusive);
            off->setAutoExclusive(exclusive);
            break;
        }
        }
    }
    m_showing = false;
    return status;
}

void FieldBinding::commit(TFieldRecord& record, std::size_t offset) const
{
    for (std::size_t i = 0; i < m_table.size(); ++i) {
        const FieldControl& entry = m_table[i];
        const std::size_t field = entry.field + offset;
        if (field >= record.size())
            record.resize(field + 1);
        std::string value(record.get(field));
        switch (entry.kind) {
        case FieldKind::Text:
        case FieldKind::Trimmed: {
            QString text = controlText(entry.control);
            if (entry.kind == FieldKind::Trimmed)
                text = text.trimmed();
            const Shown& shown = m_shown[i];
            const QString shownText = entry.kind == FieldKind::Trimmed ? shown.text.trimmed() : shown.text;
            value = shown.valid && offset == m_shownOffset && text == shownText ? shown.bytes
                                                                                 : FieldText::toRecord(text, entry.control);
            break;
        }
        case FieldKind::Integer:
            if (const auto* box = qobject_cast<const QSpinBox*>(entry.control))
                value = std::to_string(box->value());
            break;
        case FieldKind::Switch:
            if (const auto* button = qobject_cast<const QAbstractButton*>(entry.control))
                value = switchText(button->isChecked());
            break;
        case FieldKind::Colour:
            if (const auto* swatch = qobject_cast<const ColorSwatch*>(entry.control)) {
                const QColor colour = swatch->color();
                value = ColorToHex(static_cast<std::uint8_t>(colour.red()), static_cast<std::uint8_t>(colour.green()),
                                   static_cast<std::uint8_t>(colour.blue()));
            }
            break;
        case FieldKind::Choice:
            if (const auto* combo = qobject_cast<const QComboBox*>(entry.control))
                value = std::to_string(std::max(0, combo->currentIndex()));
            break;
        case FieldKind::Flag:
            if (const auto* on = qobject_cast<const QAbstractButton*>(entry.control))
                value = switchText(on->isChecked());
            break;
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
        QWidget* control = entry.control;
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
            if (auto* second = qobject_cast<QAbstractButton*>(entry.second)) {
                QWidget* other = second;
                QObject::connect(second, &QAbstractButton::toggled, context, [this, changed, other] {
                    if (!m_showing)
                        changed(other);
                });
            }
        }
    }
}

QList<QWidget*> FieldBinding::controls() const
{
    QList<QWidget*> list;
    for (const FieldControl& entry : m_table) {
        list.append(entry.control);
        if (entry.second)
            list.append(entry.second);
    }
    return list;
}

} // namespace kzt
