#pragma once

#include <QObject>

#include <functional>

class QWidget;

namespace kzt {

// Refuses, where it is typed or pasted, a character the document's code page
// cannot hold, and reports it once per refusal so the window can offer to
// convert the document. Boxes of documents in UTF-8 take everything.
class TextEncodingGuard : public QObject
{
public:
    using Refused = std::function<void(char32_t character)>;

    TextEncodingGuard(QWidget* window, Refused refused);

    // Guards every free-text box under `root`: line edits (editable combo
    // boxes' too) without a validator of their own, and plain text editors.
    // Number boxes and boxes guarded before are left alone.
    void guard(QWidget* root);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Tells the window after the keystroke is over: a message box inside
    // the box's own input handling would run in the middle of it.
    void report(char32_t character);
    // Whether inserting `text` into `box` would add characters the code page
    // cannot hold; reports the first.
    bool refuses(const QWidget* box, const QString& text);

    QWidget* m_window;
    Refused m_refused;
    bool m_reportPending = false;
};

} // namespace kzt
