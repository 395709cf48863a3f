#pragma once

#include <QIcon>

class QStyle;

namespace kzt {

// Tool bar pictures: the desktop's icon theme where it has the picture,
// else one of our own, and a disabled state that is plainly fainter.
class ToolIcons
{
public:
    enum Command { New, Open, Save, Cut, Copy, Paste, Insert, Delete, MoveUp, MoveDown, BuildHTML, Preview, Help };

    // The freedesktop icon name ("edit-cut" ...).
    static const char* themeName(Command command);
    static QIcon icon(Command command, const QStyle* style);
    // The picture drawn for a disabled button: grey and faint.
    static QPixmap disabledPixmap(const QPixmap& normal);
};

} // namespace kzt
