#include "MessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include <cstdio>
#include <deque>

namespace kzt {

namespace {

struct Script
{
    bool scripted = false;
    std::deque<MessageBox::Button> answers;
    std::vector<MessageBox::Shown> shown;
};

Script& script()
{
    static Script s;
    return s;
}

constexpr MessageBox::Button kOrder[] = {MessageBox::Yes, MessageBox::No, MessageBox::Ok,
                                         MessageBox::Cancel};

MessageBox::Button escapeAnswer(MessageBox::Buttons buttons)
{
    if (buttons & MessageBox::Cancel)
        return MessageBox::Cancel;
    if (buttons & MessageBox::No)
        return MessageBox::No;
    if (buttons & MessageBox::Ok)
        return MessageBox::Ok;
    return MessageBox::Yes;
}

QMessageBox::StandardButton toQt(MessageBox::Button b)
{
    switch (b) {
    case MessageBox::Ok: return QMessageBox::Ok;
    case MessageBox::Cancel: return QMessageBox::Cancel;
    case MessageBox::Yes: return QMessageBox::Yes;
    case MessageBox::No: return QMessageBox::No;
    case MessageBox::NoButton: break;
    }
    return QMessageBox::NoButton;
}

MessageBox::Button fromQt(int b)
{
    switch (b) {
    case QMessageBox::Ok: return MessageBox::Ok;
    case QMessageBox::Cancel: return MessageBox::Cancel;
    case QMessageBox::Yes: return MessageBox::Yes;
    case QMessageBox::No: return MessageBox::No;
    default: return MessageBox::NoButton;
    }
}

QMessageBox::Icon toQt(MessageBox::Icon icon)
{
    switch (icon) {
    case MessageBox::Icon::Information: return QMessageBox::Information;
    case MessageBox::Icon::Warning: return QMessageBox::Warning;
    case MessageBox::Icon::Error: return QMessageBox::Critical;
    case MessageBox::Icon::Question: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

} // namespace

MessageBox::Button MessageBox::information(QWidget* parent, const QString& text, Buttons buttons,
                                           Button defaultButton)
{
    return show(Icon::Information, parent, {}, text, buttons, defaultButton);
}

MessageBox::Button MessageBox::warning(QWidget* parent, const QString& text, Buttons buttons,
                                       Button defaultButton)
{
    return show(Icon::Warning, parent, {}, text, buttons, defaultButton);
}

MessageBox::Button MessageBox::error(QWidget* parent, const QString& text, Buttons buttons,
                                     Button defaultButton)
{
    return show(Icon::Error, parent, {}, text, buttons, defaultButton);
}

MessageBox::Button MessageBox::question(QWidget* parent, const QString& text, Buttons buttons,
                                        Button defaultButton)
{
    return show(Icon::Question, parent, {}, text, buttons, defaultButton);
}

QString MessageBox::defaultTitle(Icon icon)
{
    switch (icon) {
    case Icon::Information: return QStringLiteral("Information");
    case Icon::Warning: return QStringLiteral("Warning");
    case Icon::Error: return QStringLiteral("Error");
    case Icon::Question: return QStringLiteral("Confirm");
    }
    return {};
}

MessageBox::Button MessageBox::show(Icon icon, QWidget* parent, const QString& title,
                                    const QString& text, Buttons buttons, Button defaultButton)
{
    if (buttons == NoButton)
        buttons = Ok;
    const QString caption = title.isEmpty() ? defaultTitle(icon) : title;
    Script& s = script();

    if (s.scripted) {
        Button answer = escapeAnswer(buttons);
        if (!s.answers.empty()) {
            answer = s.answers.front();
            s.answers.pop_front();
        }
        s.shown.push_back({icon, caption, text, buttons, answer});
        return answer;
    }

    // Without a widget application (a command-line run) there is no one to
    // ask: say it on stderr and take the safe answer.
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
        const Button answer = escapeAnswer(buttons);
        std::fprintf(stderr, "%s: %s\n", qPrintable(caption), qPrintable(text));
        s.shown.push_back({icon, caption, text, buttons, answer});
        return answer;
    }

    QMessageBox box(toQt(icon), caption, text, QMessageBox::NoButton, parent);
    Button first = NoButton;
    for (Button b : kOrder) {
        if (buttons & b) {
            box.addButton(toQt(b));
            if (first == NoButton)
                first = b;
        }
    }
    // The first button is the default, as in the programs' own boxes.
    box.setDefaultButton(toQt(defaultButton != NoButton ? defaultButton : first));
    box.setEscapeButton(toQt(escapeAnswer(buttons)));
    const int result = box.exec();
    Button answer = fromQt(result);
    if (answer == NoButton)
        answer = escapeAnswer(buttons);
    s.shown.push_back({icon, caption, text, buttons, answer});
    return answer;
}

void MessageBox::setNextAnswer(Button answer)
{
    script().scripted = true;
    script().answers.push_back(answer);
}

void MessageBox::setScripted(bool scripted)
{
    script().scripted = scripted;
}

bool MessageBox::isScripted()
{
    return script().scripted;
}

int MessageBox::pendingAnswers()
{
    return static_cast<int>(script().answers.size());
}

const std::vector<MessageBox::Shown>& MessageBox::shown()
{
    return script().shown;
}

void MessageBox::reset()
{
    script() = Script();
}

} // namespace kzt
