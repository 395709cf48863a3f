#include "TextEncodingGuard.h"

#include "FieldText.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>

namespace kzt {

namespace {

// Marks guarded boxes, so guarding twice adds nothing.
constexpr char kGuardedProperty[] = "kztEncodingGuarded";

} // namespace

TextEncodingGuard::TextEncodingGuard(QWidget* window, Refused refused)
    : QObject(window), m_window(window), m_refused(std::move(refused))
{
}

void TextEncodingGuard::guard(QWidget* root)
{
    // Keys, input methods and pastes are checked before the box takes them;
    // text set by the program is not typed and is left alone.
    for (QLineEdit* box : root->findChildren<QLineEdit*>()) {
        if (box->validator() || box->property(kGuardedProperty).isValid()
            || qobject_cast<QAbstractSpinBox*>(box->parentWidget()))
            continue;
        box->setProperty(kGuardedProperty, true);
        box->installEventFilter(this);
    }
    // An editable combo box hands its keys to its line edit directly.
    for (QComboBox* combo : root->findChildren<QComboBox*>()) {
        if (!combo->isEditable() || combo->property(kGuardedProperty).isValid())
            continue;
        combo->setProperty(kGuardedProperty, true);
        combo->installEventFilter(this);
    }
    for (QPlainTextEdit* editor : root->findChildren<QPlainTextEdit*>()) {
        if (editor->isReadOnly() || editor->property(kGuardedProperty).isValid())
            continue;
        editor->setProperty(kGuardedProperty, true);
        editor->installEventFilter(this);
    }
}

bool TextEncodingGuard::refuses(const QWidget* box, const QString& text)
{
    const TextEncoding encoding = FieldText::encodingOf(box);
    char32_t first = 0;
    if (FieldText::refusedCount(text, encoding, &first) == 0)
        return false;
    report(first);
    return true;
}

bool TextEncodingGuard::eventFilter(QObject* watched, QEvent* event)
{
    auto* editor = qobject_cast<QWidget*>(watched);
    if (!editor || !editor->property(kGuardedProperty).isValid())
        return false;
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key == QKeySequence::Paste)
            return refuses(editor, QApplication::clipboard()->text());
        return refuses(editor, key->text());
    }
    if (event->type() == QEvent::InputMethod)
        return refuses(editor, static_cast<QInputMethodEvent*>(event)->commitString());
    return false;
}

void TextEncodingGuard::report(char32_t character)
{
    if (m_reportPending)
        return;
    m_reportPending = true;
    QTimer::singleShot(0, this, [this, character] {
        m_reportPending = false;
        m_refused(character);
    });
}

} // namespace kzt
