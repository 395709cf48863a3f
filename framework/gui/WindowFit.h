#pragma once

#include <QSize>

class QWidget;

namespace kzt {

// A window of a size its design fixes still shows every text whole at the
// desktop's font: `smallest` becomes the window's minimum, raised to what
// its layout needs, and the window opens at that size: the designed one
// where the content fits in it, else as much larger as the content needs.
// Whenever its content later needs more room (another page, a longer
// text), the window grows again. Every tab bar in the window shows all its tabs whole, with
// no scroll arrows. Calling it again replaces `smallest` (the window grows
// to it, and may then be made smaller down to it).
void fitToContent(QWidget* window, QSize smallest);

// Makes the tab bars below `root` show every tab whole: no scroll arrows,
// no elided titles; the page control asks for the room instead.
void showTabsWhole(QWidget* root);

} // namespace kzt
