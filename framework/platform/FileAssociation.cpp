#include "FileAssociation.h"

#include "Launcher.h"
#include "PlatformPaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>

namespace kzt {

namespace {

QString xmlEscaped(const QString& text)
{
    return text.toHtmlEscaped();
}

// A desktop entry value may not span lines.
QString singleLine(const QString& text)
{
    QString out = text;
    out.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    out.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    out.replace(QLatin1Char('\r'), QLatin1String("\\r"));
    return out;
}

QString comment(const PlatformProduct& product)
{
    if (!product.mimeComment.empty())
        return QString::fromStdString(product.mimeComment);
    return QString::fromStdString(product.name) + QStringLiteral(" project");
}

// True when the file now holds the bytes; changed tells whether they differ
// from what was there.
bool writeIfNeeded(const QString& path, const QByteArray& bytes, bool& changed)
{
    QFile old(path);
    changed = !(old.open(QIODevice::ReadOnly) && old.readAll() == bytes);
    old.close();
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

void runTool(const QString& tool, const QString& folder)
{
    const QString exe = QStandardPaths::findExecutable(tool);
    if (!exe.isEmpty())
        Launcher::startProgram(exe, {folder});
}

} // namespace

QString FileAssociation::execQuoted(const QString& path)
{
    QString quoted;
    for (QChar c : path) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$')
            || c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    quoted.replace(QLatin1Char('%'), QLatin1String("%%"));
    quoted.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString FileAssociation::desktopEntry(const PlatformProduct& product, const QString& executablePath)
{
    const QString name = singleLine(QString::fromStdString(product.name));
    QString text;
    text += QStringLiteral("[Desktop Entry]\n");
    text += QStringLiteral("Type=Application\n");
    text += QStringLiteral("Name=") + name + QLatin1Char('\n');
    text += QStringLiteral("Comment=") + singleLine(comment(product)) + QLatin1Char('\n');
    // A program installed where every PATH leads is named as it is typed.
    static const QRegularExpression bareName(QStringLiteral("^[A-Za-z0-9_][A-Za-z0-9._-]*$"));
    const QString exec =
        bareName.match(executablePath).hasMatch() ? executablePath : execQuoted(executablePath);
    text += QStringLiteral("Exec=") + exec + QStringLiteral(" %f\n");
    text += QStringLiteral("Icon=") + singleLine(QString::fromStdString(product.executable))
        + QLatin1Char('\n');
    text += QStringLiteral("Terminal=false\n");
    text += QStringLiteral("Categories=Development;WebDevelopment;\n");
    text += QStringLiteral("MimeType=") + QString::fromStdString(product.mimeType())
        + QStringLiteral(";\n");
    return text;
}

QString FileAssociation::mimePackage(const PlatformProduct& product)
{
    QString text;
    text += QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
    text += QStringLiteral(
        "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n");
    text += QStringLiteral("  <mime-type type=\"")
        + xmlEscaped(QString::fromStdString(product.mimeType())) + QStringLiteral("\">\n");
    text += QStringLiteral("    <comment>") + xmlEscaped(comment(product))
        + QStringLiteral("</comment>\n");
    text += QStringLiteral("    <glob pattern=\"*.")
        + xmlEscaped(QString::fromStdString(product.extension)) + QStringLiteral("\"/>\n");
    text += QStringLiteral("  </mime-type>\n");
    text += QStringLiteral("</mime-info>\n");
    return text;
}

QString FileAssociation::desktopEntryPath(const PlatformProduct& product)
{
    return PlatformPaths::dataHome() + QStringLiteral("/applications/")
        + QString::fromStdString(product.executable) + QStringLiteral(".desktop");
}

QString FileAssociation::mimePackagePath(const PlatformProduct& product)
{
    return PlatformPaths::dataHome() + QStringLiteral("/mime/packages/")
        + QString::fromStdString(product.executable) + QStringLiteral(".xml");
}

bool FileAssociation::install(const PlatformProduct& product, const QString& executablePath)
{
    if (product.executable.empty() || product.extension.empty())
        return false;
    const QString absolute = QFileInfo(executablePath).absoluteFilePath();

    bool mimeChanged = false;
    bool desktopChanged = false;
    const bool mimeOk =
        writeIfNeeded(mimePackagePath(product), mimePackage(product).toUtf8(), mimeChanged);
    const bool desktopOk = writeIfNeeded(desktopEntryPath(product),
                                         desktopEntry(product, absolute).toUtf8(), desktopChanged);

    const QString mimeDir = PlatformPaths::dataHome() + QStringLiteral("/mime");
    const QString appsDir = PlatformPaths::dataHome() + QStringLiteral("/applications");
    if (mimeOk && (mimeChanged || !QFileInfo::exists(mimeDir + QStringLiteral("/mime.cache"))))
        runTool(QStringLiteral("update-mime-database"), mimeDir);
    if (desktopOk
        && (desktopChanged || !QFileInfo::exists(appsDir + QStringLiteral("/mimeinfo.cache"))))
        runTool(QStringLiteral("update-desktop-database"), appsDir);
    return mimeOk && desktopOk;
}

} // namespace kzt
