#pragma once

#include "PlatformProduct.h"

#include <QString>

#include <map>
#include <optional>

namespace kzt {

// The per-user settings store that stands in for the user's registry hive:
// one INI file per product, $XDG_CONFIG_HOME/KZT/<Name>.conf, kept with
// QSettings: the key paths are its groups and the values are named as the
// programs name them, so QSettings(file, QSettings::IniFormat) reads
// "Software/KZT/Dulcamon/1.0/Settings/ShowTempletsDialog".
//
// An optional system-wide file of the same layout (first found in
// $XDG_CONFIG_DIRS, default /etc/xdg, as KZT/<Name>.conf) stands in for the
// machine hive. Key paths and value names compare without regard to case,
// as in the registry; "/" and "\" both separate keys. The unnamed default
// value of a key is named "@".
//
// Reads never fail loudly: a missing file, key or value reads as absent; a
// file that cannot be read or is not a settings file reads as invalid.
class Settings
{
public:
    enum class State { Absent, Present, Invalid };

    struct Value
    {
        State state = State::Absent;
        QString text;

        bool present() const { return state == State::Present; }
        // Integers are decimal; booleans are integers, non-zero meaning on.
        // nullopt unless present and well formed.
        std::optional<int> toInt() const;
        std::optional<bool> toBool() const;
        std::optional<QString> toString() const;
    };

    explicit Settings(const PlatformProduct& product);
    // Explicit files, for tests and tools; an empty machine path means none.
    Settings(QString userFile, QString machineFile);

    static QString userFilePath(const PlatformProduct& product);
    static QString machineFilePath(const PlatformProduct& product);

    // "Software/KZT/Dulcamon/1.0"
    static QString productKey(const PlatformProduct& product);
    // productKey + "/Settings", productKey + "/Web Browsers"
    static QString settingsKey(const PlatformProduct& product);
    static QString webBrowsersKey(const PlatformProduct& product);

    QString userFile() const { return m_userFile; }
    QString machineFile() const { return m_machineFile; }

    // The user hive. Reads go to the file every time, so two dialogs see
    // each other's writes.
    Value value(const QString& key, const QString& name) const;
    bool keyExists(const QString& key) const;
    std::optional<bool> readBool(const QString& key, const QString& name) const;
    std::optional<int> readInt(const QString& key, const QString& name) const;
    std::optional<QString> readString(const QString& key, const QString& name) const;

    // Writes create the key (and the file and its folder) as needed and
    // replace the file atomically; false when the file could not be written.
    // An unreadable or damaged file is replaced rather than patched.
    bool writeBool(const QString& key, const QString& name, bool on);
    bool writeInt(const QString& key, const QString& name, int number);
    bool writeString(const QString& key, const QString& name, const QString& text);
    // Several values in one atomic write (the browser dialog's OK).
    bool writeValues(const QString& key, const std::map<QString, QString>& values);

    // The machine hive, read only.
    Value machineValue(const QString& key, const QString& name) const;

private:
    QString m_userFile;
    QString m_machineFile;
};

} // namespace kzt
