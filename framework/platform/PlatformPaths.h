#pragma once

#include "PlatformProduct.h"

#include <QString>

namespace kzt {

// Where the programs find their shipped files and keep their own.
class PlatformPaths
{
public:
    // $XDG_DATA_HOME, default ~/.local/share; $XDG_CONFIG_HOME, default ~/.config.
    static QString dataHome();
    static QString configHome();

    // $XDG_DATA_HOME/<executable>, created with mode 0700 when create is set;
    // empty when it cannot be created.
    static QString userDataDir(const PlatformProduct& product, bool create = true);
    // The user's own templates: userDataDir + "/templates" (not created here).
    static QString userTemplatesDir(const PlatformProduct& product);

    // Creates a folder (and its parents) with mode 0700 for the last part.
    static bool makePrivateDir(const QString& path);
};

} // namespace kzt
