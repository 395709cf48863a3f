#pragma once

#include <QColor>
#include <QPalette>

namespace kzt {

// Disabled controls stay readable: their text keeps at least the contrast
// body text needs (4.5:1) against the field it is drawn on, which is lighter
// than the window around it when the style draws it so.
class ReadablePalette
{
public:
    static constexpr double kMinimumContrast = 4.5;

    // The contrast ratio of two colours, 1 to 21.
    static double contrast(const QColor& a, const QColor& b);
    // The palette with its disabled text roles darkened (or lightened, on a
    // dark scheme) just enough to reach the minimum against their fields.
    static QPalette readable(QPalette palette);
    // Applies readable() to the application's palette, once per palette.
    static void applyToApplication();
};

} // namespace kzt
