#pragma once

#include "PlatformProduct.h"

#include <QString>

namespace kzt {

// Registers the product's project files with the desktop so that opening
// one starts the program: a desktop entry and a shared MIME type in the
// user's data folder. Run at every start; failures are silent because the
// program works without the association.
class FileAssociation
{
public:
    // Content of <executable>.desktop for the program at executablePath,
    // or for a bare program name (system-wide installs on PATH).
    static QString desktopEntry(const PlatformProduct& product, const QString& executablePath);
    // Content of the shared MIME package <executable>.xml.
    static QString mimePackage(const PlatformProduct& product);

    // $XDG_DATA_HOME/applications/<executable>.desktop
    static QString desktopEntryPath(const PlatformProduct& product);
    // $XDG_DATA_HOME/mime/packages/<executable>.xml
    static QString mimePackagePath(const PlatformProduct& product);

    // Writes both files (atomically, every time) and refreshes the desktop's
    // caches with update-mime-database / update-desktop-database when they
    // are on PATH and something changed or a cache is missing. Returns false
    // when a file could not be written; callers ignore it.
    static bool install(const PlatformProduct& product, const QString& executablePath);

    // Quotes a path for an Exec= line: inside double quotes with ", `, $
    // and \ escaped, and every backslash doubled again for the key file.
    static QString execQuoted(const QString& path);
};

} // namespace kzt
