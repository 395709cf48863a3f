#pragma once

#include <QString>

#include <vector>

class QWidget;

namespace kzt {

// Every message box of the programs goes through here, so tests can answer
// them and read what was said. Titles follow the box type ("Warning",
// "Error", "Confirm", "Information") unless one is given.
class MessageBox
{
public:
    enum Button : unsigned {
        NoButton = 0,
        Ok = 0x1,
        Cancel = 0x2,
        Yes = 0x4,
        No = 0x8,
    };
    using Buttons = unsigned;

    enum class Icon { Information, Warning, Error, Question };

    static Button information(QWidget* parent, const QString& text, Buttons buttons = Ok,
                              Button defaultButton = NoButton);
    static Button warning(QWidget* parent, const QString& text, Buttons buttons = Ok,
                          Button defaultButton = NoButton);
    static Button error(QWidget* parent, const QString& text, Buttons buttons = Ok,
                        Button defaultButton = NoButton);
    static Button question(QWidget* parent, const QString& text,
                           Buttons buttons = Yes | No, Button defaultButton = NoButton);

    // The general form; an empty title takes the type's title.
    static Button show(Icon icon, QWidget* parent, const QString& title, const QString& text,
                       Buttons buttons, Button defaultButton = NoButton);

    static QString defaultTitle(Icon icon);

    // ---- test hooks ----
    struct Shown
    {
        Icon icon;
        QString title;
        QString text;
        Buttons buttons;
        Button answer;
    };

    // Queue the answer for the next box; scripting stays on until reset().
    // While scripting is on and the queue is empty, a box answers the way
    // Escape would (Cancel, else No, else OK) instead of blocking.
    static void setNextAnswer(Button answer);
    static void setScripted(bool scripted);
    static bool isScripted();
    static int pendingAnswers();
    // Every box shown since the last reset(), in order.
    static const std::vector<Shown>& shown();
    // Clears the queue and the record and turns scripting off.
    static void reset();
};

} // namespace kzt
