#include "ColorDialog.h"

#include <QApplication>
#include <QColorDialog>

#include <deque>

namespace kzt {

namespace {

struct Script
{
    bool scripted = false;
    std::deque<std::optional<QColor>> answers;
    std::vector<QColor> requests;
};

Script& script()
{
    static Script s;
    return s;
}

} // namespace

std::optional<QColor> ColorDialog::getColor(QWidget* parent, const QColor& initial)
{
    Script& s = script();
    s.requests.push_back(initial);
    if (s.scripted) {
        if (s.answers.empty())
            return std::nullopt;
        std::optional<QColor> answer = s.answers.front();
        s.answers.pop_front();
        return answer;
    }
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return std::nullopt;
    QColorDialog dialog(initial, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.selectedColor();
}

void ColorDialog::setNextColor(std::optional<QColor> color)
{
    script().scripted = true;
    script().answers.push_back(color);
}

void ColorDialog::setScripted(bool scripted)
{
    script().scripted = scripted;
}

bool ColorDialog::isScripted()
{
    return script().scripted;
}

const std::vector<QColor>& ColorDialog::requests()
{
    return script().requests;
}

void ColorDialog::reset()
{
    script() = Script();
}

} // namespace kzt
