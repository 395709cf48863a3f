#include "PlatformPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace kzt {

namespace {

QString xdgDir(const char* variable, const QString& fallbackBelowHome)
{
    const QString value = QString::fromLocal8Bit(qgetenv(variable));
    if (!value.isEmpty() && QDir::isAbsolutePath(value))
        return QDir::cleanPath(value);
    return QDir::homePath() + QLatin1Char('/') + fallbackBelowHome;
}

} // namespace

QString PlatformPaths::dataHome()
{
    return xdgDir("XDG_DATA_HOME", QStringLiteral(".local/share"));
}

QString PlatformPaths::configHome()
{
    return xdgDir("XDG_CONFIG_HOME", QStringLiteral(".config"));
}

bool PlatformPaths::makePrivateDir(const QString& path)
{
    const QFileInfo info(path);
    if (info.isDir())
        return true;
    if (info.exists())
        return false;
    if (!QDir().mkpath(QFileInfo(info.absolutePath()).absoluteFilePath()))
        return false;
    if (!QDir().mkdir(path) && !QFileInfo(path).isDir())
        return false;
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return true;
}

QString PlatformPaths::userDataDir(const PlatformProduct& product, bool create)
{
    const QString dir = dataHome() + QLatin1Char('/') + QString::fromStdString(product.executable);
    if (create && !makePrivateDir(dir))
        return {};
    return dir;
}

QString PlatformPaths::userTemplatesDir(const PlatformProduct& product)
{
    return userDataDir(product, false) + QStringLiteral("/templates");
}

} // namespace kzt
