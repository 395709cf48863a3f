#include "BrowserDetector.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace kzt {

namespace {

bool isExistingFile(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).isFile();
}

QString belowFolder(const QString& folder, const QString& rest)
{
    if (folder.isEmpty())
        return {};
    return QDir::cleanPath(folder + QLatin1Char('/') + rest);
}

void addIfExists(std::vector<KnownBrowser>& list, const QString& name, const QString& path)
{
    if (isExistingFile(path))
        list.push_back({name, path});
}

// A versioned install: the version is read first, then the install folder
// under the key named after it.
QString versionOf(const Settings& settings, const QString& key)
{
    return settings.machineValue(key, QStringLiteral("CurrentVersion")).toString().value_or(QString());
}

// Adds the versioned install under `key` when one is registered.
void addVersioned(std::vector<KnownBrowser>& list, const Settings& settings, const QString& key,
                  const QString& namePrefix, const QString& program)
{
    const QString version = versionOf(settings, key);
    if (version.isEmpty())
        return;
    const QString dir = settings.machineValue(key + QLatin1Char('/') + version + QStringLiteral("/Main"),
                                              QStringLiteral("Install Directory"))
                            .toString()
                            .value_or(QString());
    addIfExists(list, namePrefix + version, belowFolder(dir, program));
}

} // namespace

BrowserDetector::BrowserDetector(const Settings& settings, QString path)
    : m_settings(settings)
    , m_path(std::move(path))
{
}

BrowserDetector::BrowserDetector(const Settings& settings)
    : BrowserDetector(settings, QString::fromLocal8Bit(qgetenv("PATH")))
{
}

const std::vector<BrowserDetector::Candidate>& BrowserDetector::pathCandidates()
{
    static const std::vector<Candidate> list = {
        {"firefox", "Firefox"},
        {"firefox-esr", "Firefox ESR"},
        {"chromium", "Chromium"},
        {"chromium-browser", "Chromium"},
        {"google-chrome", "Google Chrome"},
        {"google-chrome-stable", "Google Chrome"},
        {"microsoft-edge", "Microsoft Edge"},
        {"microsoft-edge-stable", "Microsoft Edge"},
        {"brave-browser", "Brave"},
        {"vivaldi", "Vivaldi"},
        {"vivaldi-stable", "Vivaldi"},
        {"opera", "Opera"},
        {"epiphany", "Epiphany"},
        {"epiphany-browser", "Epiphany"},
        {"falkon", "Falkon"},
        {"konqueror", "Konqueror"},
        {"midori", "Midori"},
        {"seamonkey", "SeaMonkey"},
    };
    return list;
}

QString BrowserDetector::findExecutable(const QString& exe, const QString& path)
{
    for (const QString& folder : path.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        if (!QDir::isAbsolutePath(folder))
            continue;
        const QFileInfo info(QDir(folder).filePath(exe));
        if (info.isFile() && info.isExecutable())
            return info.absoluteFilePath();
    }
    return {};
}

std::vector<KnownBrowser> BrowserDetector::detectFromSettings() const
{
    std::vector<KnownBrowser> list;
    const QString installDir = QStringLiteral("Install Directory");

    addIfExists(list, QStringLiteral("Internet Explorer"),
                m_settings
                    .machineValue(QStringLiteral("SOFTWARE/Microsoft/windows/CurrentVersion/"
                                                 "App Paths/IEXPLORE.EXE"),
                                  QString())
                    .toString()
                    .value_or(QString()));

    // Navigator 3 registered itself per user, not per machine.
    const QString nav3Dir = m_settings
                                .value(QStringLiteral("SOFTWARE/Netscape/Netscape Navigator/Main"),
                                       installDir)
                                .toString()
                                .value_or(QString());
    addIfExists(list, QStringLiteral("Netscape Navigator 3"),
                belowFolder(nav3Dir, QStringLiteral("Program/Netscape.exe")));

    addVersioned(list, m_settings, QStringLiteral("SOFTWARE/Netscape/Netscape Navigator"),
                 QStringLiteral("Netscape Communicator "), QStringLiteral("Program/Netscape.exe"));
    addVersioned(list, m_settings, QStringLiteral("SOFTWARE/Netscape/Netscape 6"), QStringLiteral("Netscape "),
                 QStringLiteral("netscp6.exe"));
    return list;
}

std::vector<KnownBrowser> BrowserDetector::detectFromPath() const
{
    std::vector<KnownBrowser> list;
    QSet<QString> names;
    QSet<QString> targets;
    for (const Candidate& c : pathCandidates()) {
        const QString name = QString::fromLatin1(c.displayName);
        if (names.contains(name))
            continue;
        const QString exe = findExecutable(QString::fromLatin1(c.executable), m_path);
        if (exe.isEmpty())
            continue;
        // Distributions link one browser under several names; list it once.
        const QString target = QFileInfo(exe).canonicalFilePath();
        if (targets.contains(target))
            continue;
        names.insert(name);
        targets.insert(target);
        list.push_back({name, exe});
    }
    return list;
}

std::vector<KnownBrowser> BrowserDetector::detect() const
{
    std::vector<KnownBrowser> list = detectFromSettings();
    for (KnownBrowser& b : detectFromPath())
        list.push_back(std::move(b));
    return list;
}

} // namespace kzt
