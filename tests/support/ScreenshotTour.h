#pragma once

// What the screenshot tours of the product windows share (not tests: they
// write pictures of the windows for the documentation, under a real X server).

#include "AppPaths.h"

#include <QPixmap>
#include <QString>
#include <QTemporaryDir>

class QWidget;

namespace screenshots {

// Private XDG folders for one tour, made before the application exists.
class Tour
{
public:
    explicit Tour(const char* product);
    // Takes the output folder from the command line and answers every
    // message box by script; false, with the usage printed, without one.
    bool start(int argc, char** argv) const;
    // Shipped files from the source tree; the user's folder in the tour's home.
    kzt::AppPaths paths() const;
    QString templatesFolder() const;

private:
    QString m_product;
    QTemporaryDir m_home;
};

// Lets the windows finish what they were asked to do.
void settle();
// Writes OUTPUT/<product>-window-<name>.png.
void save(const QPixmap& picture, const QString& name);
// A window by itself.
void shoot(QWidget* widget, const QString& name);
// Two windows as the screen shows them side by side.
void shootTogether(QWidget* first, QWidget* second, const QString& name);

} // namespace screenshots
