#include "logic/core/SettingsStore.h"

#include <QCoreApplication>
#include <cstdio>

namespace {
std::function<void(const QString &)> &warningSink()
{
    static std::function<void(const QString &)> sink;
    return sink;
}
} // namespace

SettingsStore::SettingsStore()
    : m_settings(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("tavrel"),
                                             QStringLiteral("tavrel")))
{
}

SettingsStore::SettingsStore(const QString &path)
    : m_settings(std::make_unique<QSettings>(path, QSettings::IniFormat))
{
}

void SettingsStore::setWarningSink(std::function<void(const QString &)> sink)
{
    warningSink() = std::move(sink);
}

void SettingsStore::warn(const QString &key, const QString &value, const char *expected) const
{
    const QString message = QCoreApplication::translate("SettingsStore", "tavrel: ignoring setting %1=\"%2\" in %3: "
                                                                         "expected %4")
                                .arg(key, value.left(60), path(), QLatin1String(expected));
    if (warningSink())
        warningSink()(message);
    else
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

// Values come back as text whatever was stored; a list or a section where a
// value should be is as wrong as bad text.
std::optional<QString> SettingsStore::raw(const QString &key) const
{
    if (!m_settings->contains(key))
        return std::nullopt;
    const QVariant value = m_settings->value(key);
    if (!value.canConvert<QString>() || value.typeId() == QMetaType::QStringList) {
        warn(key, value.toStringList().join(QLatin1Char(',')), "a single value");
        return std::nullopt;
    }
    return value.toString();
}

std::optional<int> SettingsStore::integer(const QString &key, int minimum, int maximum) const
{
    const std::optional<QString> value = raw(key);
    if (!value)
        return std::nullopt;
    bool ok = false;
    const int number = value->trimmed().toInt(&ok);
    if (ok && number >= minimum && number <= maximum)
        return number;
    warn(key, *value, qPrintable(QStringLiteral("a whole number from %1 to %2").arg(minimum).arg(maximum)));
    return std::nullopt;
}

std::optional<bool> SettingsStore::flag(const QString &key) const
{
    const std::optional<QString> value = raw(key);
    if (!value)
        return std::nullopt;
    if (*value == QLatin1String("true"))
        return true;
    if (*value == QLatin1String("false"))
        return false;
    warn(key, *value, "true or false");
    return std::nullopt;
}

std::optional<QString> SettingsStore::text(const QString &key, int maxLength) const
{
    const std::optional<QString> value = raw(key);
    if (value && value->size() > maxLength) {
        warn(key, *value, qPrintable(QStringLiteral("at most %1 characters").arg(maxLength)));
        return std::nullopt;
    }
    return value;
}

std::optional<QString> SettingsStore::choice(const QString &key, const QStringList &allowed) const
{
    const std::optional<QString> value = raw(key);
    if (!value || allowed.contains(*value))
        return value;
    warn(key, *value, qPrintable(QStringLiteral("one of ") + allowed.join(QStringLiteral(", "))));
    return std::nullopt;
}

std::optional<QString> SettingsStore::checked(const QString &key, const std::function<bool(const QString &)> &accepts,
                                              const char *expected) const
{
    const std::optional<QString> value = text(key);
    if (!value || accepts(*value))
        return value;
    warn(key, *value, expected);
    return std::nullopt;
}

std::optional<QByteArray> SettingsStore::bytes(const QString &key) const
{
    if (!m_settings->contains(key))
        return std::nullopt;
    const QVariant value = m_settings->value(key);
    if (value.typeId() == QMetaType::QByteArray)
        return value.toByteArray();
    warn(key, value.toString(), "saved window geometry");
    return std::nullopt;
}

void SettingsStore::set(const QString &key, const QVariant &value)
{
    m_settings->setValue(key, value);
}

void SettingsStore::clear()
{
    m_settings->clear();
}

void SettingsStore::sync()
{
    m_settings->sync();
}
