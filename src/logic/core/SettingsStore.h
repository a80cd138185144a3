#pragma once

#include "logic/core/SettingKey.h"

#include <QSettings>

#include <memory>
#include <optional>

// The user's choices between runs, each read as its SettingKey declares:
// one that is missing gives nothing (the control keeps its start-up state),
// one that is unreadable or out of range is ignored with a warning on
// stderr, so a damaged file never stops the program or reaches the PIC. A
// file that is not settings at all is set aside as "<name>.bad" with a
// warning and never written over.
class SettingsStore
{
public:
    // The user's own file, ~/.config/tavrel/tavrel.conf; on its first use the
    // values of an older ~/.config/tavrel/tavrel.ini are taken over.
    SettingsStore();
    // A given file, for tests and --settings.
    explicit SettingsStore(const QString &path);

    QString path() const { return m_settings->fileName(); }
    static QString userPath();

    std::optional<int> integer(const SettingKey &key) const;
    std::optional<bool> flag(const SettingKey &key) const;
    // A Text or Choice key.
    std::optional<QString> text(const SettingKey &key) const;

    // Writes a value (and forgets the older key of the same fact); a value
    // equal to the stored one leaves the file untouched.
    void set(const SettingKey &key, const QVariant &value);
    void remove(const SettingKey &key);
    // Forgets every choice: the next start is a first start.
    void clear();
    void sync();

    // Where warnings go (stderr unless a test listens).
    static void setWarningSink(std::function<void(const QString &)> sink);
    static void warn(const QString &message);

private:
    void open(const QString &path);
    void setAsideIfUnreadable();
    void takeOver(const QString &olderPath);
    std::optional<QString> raw(const SettingKey &key) const;
    std::optional<QString> stored(const QString &name) const;
    void warn(const QString &name, const QString &value, const QString &expected) const;

    std::unique_ptr<QSettings> m_settings;
    bool m_writable = true; // false when junk could not be set aside
};
