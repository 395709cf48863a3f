#pragma once

#include <QIcon>
#include <QString>

class QWidget;

namespace kzt {

// A program's own icon for its windows. The build renders every program's
// icon at the hicolor sizes into the program's resources
// (":/icons/hicolor/SIZExSIZE/apps/EXECUTABLE.png"), so a window finds it
// wherever the program runs from; the desktop's icon theme is the fallback.
class ProgramIcon
{
public:
    static QIcon forExecutable(const QString& executable);

    // Gives the window the program's icon, and the application too when it
    // has none yet, so the program's other windows carry it as well.
    static void apply(QWidget& window, const QString& executable);
};

} // namespace kzt
