#include "ReadablePalette.h"

#include <QApplication>

#include <cmath>

namespace kzt {

namespace {

double channel(int value)
{
    const double c = value / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(const QColor& colour)
{
    const QColor rgb = colour.toRgb();
    return 0.2126 * channel(rgb.red()) + 0.7152 * channel(rgb.green()) + 0.0722 * channel(rgb.blue());
}

// The text colour moved toward black (or white, on a dark field) until it
// reads on the field.
QColor readableOn(QColor text, const QColor& field)
{
    const bool darkField = luminance(field) < 0.18;
    for (int step = 0; step < 64 && ReadablePalette::contrast(text, field) < ReadablePalette::kMinimumContrast; ++step) {
        const QColor rgb = text.toRgb();
        auto move = [darkField](int c) { return darkField ? std::min(255, c + 8) : std::max(0, c - 8); };
        text = QColor(move(rgb.red()), move(rgb.green()), move(rgb.blue()));
    }
    return text;
}

} // namespace

double ReadablePalette::contrast(const QColor& a, const QColor& b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QPalette ReadablePalette::readable(QPalette palette)
{
    const QPalette::ColorGroup off = QPalette::Disabled;
    // Boxes: text on the field; labels and buttons: text on the window and button faces.
    const std::pair<QPalette::ColorRole, QPalette::ColorRole> pairs[] = {
        {QPalette::Text, QPalette::Base},
        {QPalette::WindowText, QPalette::Window},
        {QPalette::ButtonText, QPalette::Button},
    };
    for (const auto& [text, field] : pairs) {
        // The text must read on the field and on the window (a flat box).
        QColor colour = readableOn(palette.color(off, text), palette.color(off, field));
        colour = readableOn(colour, palette.color(off, QPalette::Window));
        palette.setColor(off, text, colour);
    }
    return palette;
}

void ReadablePalette::applyToApplication()
{
    const QPalette current = QApplication::palette();
    const QPalette better = readable(current);
    if (better != current)
        QApplication::setPalette(better);
}

} // namespace kzt
