#include "ProgramIcon.h"

#include <QApplication>
#include <QDir>
#include <QWidget>

namespace kzt {

QIcon ProgramIcon::forExecutable(const QString& executable)
{
    QIcon icon;
    const QString fileName = executable + QStringLiteral(".png");
    const QDir hicolor(QStringLiteral(":/icons/hicolor"));
    for (const QString& size : hicolor.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        const QString path = hicolor.filePath(size + QStringLiteral("/apps/") + fileName);
        if (QFile::exists(path))
            icon.addFile(path);
    }
    if (icon.isNull())
        icon = QIcon::fromTheme(executable);
    return icon;
}

void ProgramIcon::apply(QWidget& window, const QString& executable)
{
    const QIcon icon = forExecutable(executable);
    if (icon.isNull())
        return;
    window.setWindowIcon(icon);
    if (QApplication::windowIcon().isNull())
        QApplication::setWindowIcon(icon);
}

} // namespace kzt
