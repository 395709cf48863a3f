#include "Settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringDecoder>

#include <vector>

namespace kzt {

namespace {

struct Entry
{
    QString name;
    QString text;
};

struct Section
{
    QString key;
    std::vector<Entry> entries;
};

struct Hive
{
    Settings::State state = Settings::State::Absent; // Absent: no file
    std::vector<Section> sections;
};

// Registry keys ignore case and accept either separator.
QString normalisedKey(const QString& key)
{
    QString k = key;
    k.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QStringList parts = k.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    return parts.join(QLatin1Char('/')).toCaseFolded();
}

QString displayKey(const QString& key)
{
    QString k = key;
    k.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return k.split(QLatin1Char('/'), Qt::SkipEmptyParts).join(QLatin1Char('/'));
}

QString storedName(const QString& name)
{
    return name.isEmpty() ? QStringLiteral("@") : name;
}

QString escaped(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        if (c == QLatin1Char('\\'))
            out += QLatin1String("\\\\");
        else if (c == QLatin1Char('\n'))
            out += QLatin1String("\\n");
        else if (c == QLatin1Char('\r'))
            out += QLatin1String("\\r");
        else
            out += c;
    }
    return out;
}

QString unescaped(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\\') && i + 1 < text.size()) {
            const QChar n = text.at(i + 1);
            if (n == QLatin1Char('\\')) { out += QLatin1Char('\\'); ++i; continue; }
            if (n == QLatin1Char('n')) { out += QLatin1Char('\n'); ++i; continue; }
            if (n == QLatin1Char('r')) { out += QLatin1Char('\r'); ++i; continue; }
        }
        out += c;
    }
    return out;
}

Hive readHive(const QString& path)
{
    Hive hive;
    if (path.isEmpty())
        return hive;
    const QFileInfo info(path);
    if (!info.exists())
        return hive;
    hive.state = Settings::State::Invalid;
    QFile file(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly))
        return hive;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError || bytes.contains('\0'))
        return hive;
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder(bytes);
    if (decoder.hasError())
        return hive;

    const QStringList lines = text.split(QLatin1Char('\n'));
    for (QString line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char(';'))
            || trimmed.startsWith(QLatin1Char('#')))
            continue;
        if (trimmed.startsWith(QLatin1Char('[')) && trimmed.endsWith(QLatin1Char(']'))) {
            hive.sections.push_back({trimmed.mid(1, trimmed.size() - 2).trimmed(), {}});
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0 || hive.sections.empty() || line.left(eq).trimmed().isEmpty()) {
            hive.sections.clear();
            return hive; // not a settings file: do not trust any of it
        }
        hive.sections.back().entries.push_back(
            {line.left(eq).trimmed(), unescaped(line.mid(eq + 1))});
    }
    hive.state = Settings::State::Present;
    return hive;
}

Settings::Value lookup(const Hive& hive, const QString& key, const QString& name)
{
    Settings::Value v;
    if (hive.state == Settings::State::Invalid) {
        v.state = Settings::State::Invalid;
        return v;
    }
    const QString wantedKey = normalisedKey(key);
    const QString wantedName = storedName(name).toCaseFolded();
    for (const Section& s : hive.sections) {
        if (normalisedKey(s.key) != wantedKey)
            continue;
        for (const Entry& e : s.entries) {
            if (e.name.toCaseFolded() == wantedName) {
                v.state = Settings::State::Present;
                v.text = e.text;
                return v;
            }
        }
    }
    return v;
}

QByteArray serialised(const Hive& hive)
{
    QString out;
    for (const Section& s : hive.sections) {
        if (!out.isEmpty())
            out += QLatin1Char('\n');
        out += QLatin1Char('[') + s.key + QLatin1String("]\n");
        for (const Entry& e : s.entries)
            out += e.name + QLatin1Char('=') + escaped(e.text) + QLatin1Char('\n');
    }
    return out.toUtf8();
}

QString xdgDir(const char* variable, const QString& fallbackBelowHome)
{
    const QString value = QString::fromLocal8Bit(qgetenv(variable));
    // Relative values are invalid by the base-directory rules and ignored.
    if (!value.isEmpty() && QDir::isAbsolutePath(value))
        return value;
    return QDir::homePath() + QLatin1Char('/') + fallbackBelowHome;
}

QString fileName(const PlatformProduct& product)
{
    return QStringLiteral("KZT/") + QString::fromStdString(product.name)
        + QStringLiteral(".conf");
}

} // namespace

std::optional<int> Settings::Value::toInt() const
{
    if (state != State::Present)
        return std::nullopt;
    bool ok = false;
    const int n = text.trimmed().toInt(&ok, 10);
    if (!ok)
        return std::nullopt;
    return n;
}

std::optional<bool> Settings::Value::toBool() const
{
    const auto n = toInt();
    if (!n)
        return std::nullopt;
    return *n != 0;
}

std::optional<QString> Settings::Value::toString() const
{
    if (state != State::Present)
        return std::nullopt;
    return text;
}

Settings::Settings(const PlatformProduct& product)
    : m_userFile(userFilePath(product))
    , m_machineFile(machineFilePath(product))
{
}

Settings::Settings(QString userFile, QString machineFile)
    : m_userFile(std::move(userFile))
    , m_machineFile(std::move(machineFile))
{
}

QString Settings::userFilePath(const PlatformProduct& product)
{
    return xdgDir("XDG_CONFIG_HOME", QStringLiteral(".config")) + QLatin1Char('/')
        + fileName(product);
}

QString Settings::machineFilePath(const PlatformProduct& product)
{
    QString dirs = QString::fromLocal8Bit(qgetenv("XDG_CONFIG_DIRS"));
    if (dirs.isEmpty())
        dirs = QStringLiteral("/etc/xdg");
    for (const QString& dir : dirs.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        if (!QDir::isAbsolutePath(dir))
            continue;
        const QString candidate = dir + QLatin1Char('/') + fileName(product);
        if (QFileInfo::exists(candidate))
            return candidate;
    }
    return {};
}

QString Settings::productKey(const PlatformProduct& product)
{
    return QStringLiteral("Software/KZT/") + QString::fromStdString(product.name)
        + QLatin1Char('/') + QString::fromStdString(product.version);
}

QString Settings::settingsKey(const PlatformProduct& product)
{
    return productKey(product) + QStringLiteral("/Settings");
}

QString Settings::webBrowsersKey(const PlatformProduct& product)
{
    return productKey(product) + QStringLiteral("/Web Browsers");
}

Settings::Value Settings::value(const QString& key, const QString& name) const
{
    return lookup(readHive(m_userFile), key, name);
}

bool Settings::keyExists(const QString& key) const
{
    const Hive hive = readHive(m_userFile);
    const QString wanted = normalisedKey(key);
    for (const Section& s : hive.sections) {
        const QString k = normalisedKey(s.key);
        // A key exists when it or a key below it was written.
        if (k == wanted || k.startsWith(wanted + QLatin1Char('/')))
            return true;
    }
    return false;
}

std::optional<bool> Settings::readBool(const QString& key, const QString& name) const
{
    return value(key, name).toBool();
}

std::optional<int> Settings::readInt(const QString& key, const QString& name) const
{
    return value(key, name).toInt();
}

std::optional<QString> Settings::readString(const QString& key, const QString& name) const
{
    return value(key, name).toString();
}

bool Settings::writeBool(const QString& key, const QString& name, bool on)
{
    return writeValues(key, {{name, on ? QStringLiteral("1") : QStringLiteral("0")}});
}

bool Settings::writeInt(const QString& key, const QString& name, int number)
{
    return writeValues(key, {{name, QString::number(number)}});
}

bool Settings::writeString(const QString& key, const QString& name, const QString& text)
{
    return writeValues(key, {{name, text}});
}

bool Settings::writeValues(const QString& key, const std::map<QString, QString>& values)
{
    if (m_userFile.isEmpty())
        return false;
    Hive hive = readHive(m_userFile);
    if (hive.state == State::Invalid)
        hive.sections.clear();

    const QString wanted = normalisedKey(key);
    Section* section = nullptr;
    for (Section& s : hive.sections) {
        if (normalisedKey(s.key) == wanted) {
            section = &s;
            break;
        }
    }
    if (!section) {
        hive.sections.push_back({displayKey(key), {}});
        section = &hive.sections.back();
    }
    for (const auto& [name, text] : values) {
        const QString stored = storedName(name);
        bool replaced = false;
        for (Entry& e : section->entries) {
            if (e.name.toCaseFolded() == stored.toCaseFolded()) {
                e.text = text;
                replaced = true;
                break;
            }
        }
        if (!replaced)
            section->entries.push_back({stored, text});
    }

    if (!QDir().mkpath(QFileInfo(m_userFile).absolutePath()))
        return false;
    QSaveFile file(m_userFile);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = serialised(hive);
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

Settings::Value Settings::machineValue(const QString& key, const QString& name) const
{
    return lookup(readHive(m_machineFile), key, name);
}

} // namespace kzt
