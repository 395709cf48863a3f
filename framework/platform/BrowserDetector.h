#pragma once

#include "Settings.h"

#include <QString>

#include <vector>

namespace kzt {

struct KnownBrowser
{
    QString displayName;
    QString executable; // full path
};

// Finds the web browsers the author can pick in the browser dialog: first
// the ones the registry-style keys of the settings store name (machine and
// user hives), then the usual Linux browsers found on PATH. An entry is
// listed only when its executable exists.
class BrowserDetector
{
public:
    struct Candidate
    {
        const char* executable;
        const char* displayName;
    };

    // path is a PATH-style list of folders; empty entries are skipped so the
    // working folder is never searched.
    BrowserDetector(const Settings& settings, QString path);
    // Uses the process's PATH.
    explicit BrowserDetector(const Settings& settings);

    std::vector<KnownBrowser> detect() const;
    std::vector<KnownBrowser> detectFromSettings() const;
    std::vector<KnownBrowser> detectFromPath() const;

    // The PATH programs looked for, in detection order.
    static const std::vector<Candidate>& pathCandidates();
    // Full path of an executable file named exe in one of the folders, or empty.
    static QString findExecutable(const QString& exe, const QString& path);

private:
    const Settings& m_settings;
    QString m_path;
};

} // namespace kzt
