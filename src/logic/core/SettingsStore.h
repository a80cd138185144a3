#pragma once

#include <QByteArray>
#include <QSettings>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <memory>
#include <optional>

// The user's choices between runs. Every value is checked as it is read:
// one that is missing gives nothing (the control keeps its start-up state),
// one that is unreadable or out of range is ignored with a warning on
// stderr, so a damaged file never stops the program or reaches the PIC.
class SettingsStore
{
public:
    // The user's own file (~/.config/tavrel/tavrel.conf).
    SettingsStore();
    // A given file, for tests and --settings.
    explicit SettingsStore(const QString &path);

    QString path() const { return m_settings->fileName(); }

    std::optional<int> integer(const QString &key, int minimum, int maximum) const;
    std::optional<bool> flag(const QString &key) const;
    // Text up to maxLength characters.
    std::optional<QString> text(const QString &key, int maxLength = 1000) const;
    // One of the texts offered (as a list shows them).
    std::optional<QString> choice(const QString &key, const QStringList &allowed) const;
    // Text that `accepts` takes (it says why not in its second argument).
    std::optional<QString> checked(const QString &key, const std::function<bool(const QString &)> &accepts,
                                   const char *expected) const;
    std::optional<QByteArray> bytes(const QString &key) const;

    void set(const QString &key, const QVariant &value);
    // Forgets every choice: the next start is a first start.
    void clear();
    void sync();

    // Where warnings go (stderr unless a test listens).
    static void setWarningSink(std::function<void(const QString &)> sink);

private:
    std::optional<QString> raw(const QString &key) const;
    void warn(const QString &key, const QString &value, const char *expected) const;

    std::unique_ptr<QSettings> m_settings;
};
