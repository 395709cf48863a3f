#include "Settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStringDecoder>
#include <QVariant>

namespace kzt {

namespace {

// Registry keys ignore case and accept either separator.
QString displayKey(const QString& key)
{
    QString k = key;
    k.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return k.split(QLatin1Char('/'), Qt::SkipEmptyParts).join(QLatin1Char('/'));
}

QString normalisedKey(const QString& key)
{
    return displayKey(key).toCaseFolded();
}

// The unnamed default value of a key.
QString storedName(const QString& name)
{
    return name.isEmpty() ? QStringLiteral("@") : name;
}

// QSettings reads nearly anything as settings, so a file is first checked
// to be what the programs write: UTF-8 text of sections and name=value
// lines, comments and blank lines. Anything else is not trusted at all.
Settings::State checkFile(const QString& path)
{
    if (path.isEmpty())
        return Settings::State::Absent;
    const QFileInfo info(path);
    if (!info.exists())
        return Settings::State::Absent;
    QFile file(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly))
        return Settings::State::Invalid;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError || bytes.contains('\0'))
        return Settings::State::Invalid;
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder(bytes);
    if (decoder.hasError())
        return Settings::State::Invalid;
    bool inSection = false;
    for (const QStringView line : QStringView(text).split(QLatin1Char('\n'))) {
        const QStringView trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char(';')) || trimmed.startsWith(QLatin1Char('#')))
            continue;
        if (trimmed.startsWith(QLatin1Char('[')) && trimmed.endsWith(QLatin1Char(']'))) {
            inSection = true;
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (!inSection || eq <= 0 || line.left(eq).trimmed().isEmpty())
            return Settings::State::Invalid;
    }
    return Settings::State::Present;
}

// The stored spelling of a value, found without regard to case, or empty.
QString findStoredKey(const QSettings& store, const QString& key, const QString& name)
{
    const QString wanted = normalisedKey(key) + QLatin1Char('/') + storedName(name).toCaseFolded();
    const QStringList keys = store.allKeys();
    for (const QString& stored : keys) {
        if (stored.toCaseFolded() == wanted)
            return stored;
    }
    return {};
}

QString textOf(const QVariant& value)
{
    // A hand-written "a,b" reads as a list.
    if (value.metaType().id() == QMetaType::QStringList)
        return value.toStringList().join(QLatin1Char(','));
    return value.toString();
}

Settings::Value lookup(const QString& path, const QString& key, const QString& name)
{
    Settings::Value v;
    v.state = checkFile(path);
    if (v.state != Settings::State::Present) {
        return v;
    }
    const QSettings store(path, QSettings::IniFormat);
    const QString stored = findStoredKey(store, key, name);
    if (stored.isEmpty()) {
        v.state = Settings::State::Absent;
        return v;
    }
    v.text = textOf(store.value(stored));
    return v;
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
    return lookup(m_userFile, key, name);
}

bool Settings::keyExists(const QString& key) const
{
    if (checkFile(m_userFile) != State::Present)
        return false;
    const QSettings store(m_userFile, QSettings::IniFormat);
    const QString wanted = normalisedKey(key) + QLatin1Char('/');
    const QStringList keys = store.allKeys();
    // A key exists when a value below it was written.
    for (const QString& stored : keys) {
        if (stored.toCaseFolded().startsWith(wanted))
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
    const QFileInfo info(m_userFile);
    if (info.exists() && !info.isFile())
        return false;
    // A damaged file is replaced, not patched.
    if (checkFile(m_userFile) == State::Invalid && !QFile::remove(m_userFile))
        return false;
    if (!QDir().mkpath(info.absolutePath()))
        return false;

    QSettings store(m_userFile, QSettings::IniFormat);
    store.setAtomicSyncRequired(true);
    for (const auto& [name, text] : values) {
        QString stored = findStoredKey(store, key, name);
        if (stored.isEmpty())
            stored = displayKey(key) + QLatin1Char('/') + storedName(name);
        store.setValue(stored, text);
    }
    store.sync();
    return store.status() == QSettings::NoError;
}

Settings::Value Settings::machineValue(const QString& key, const QString& name) const
{
    return lookup(m_machineFile, key, name);
}

} // namespace kzt
