#include "logic/core/SettingsStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringDecoder>
#include <cstdio>

namespace {
std::function<void(const QString &)> &warningSink()
{
    static std::function<void(const QString &)> sink;
    return sink;
}

QString tr(const char *text)
{
    return QCoreApplication::translate("SettingsStore", text);
}

// Qt's reader takes much that is no settings file; one is UTF-8 text
// without NUL bytes. A missing or unreadable file is not judged here.
bool isText(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return true;
    const QByteArray bytes = file.read(1 << 20);
    QStringDecoder utf8(QStringDecoder::Utf8);
    [[maybe_unused]] const QString text = utf8.decode(bytes);
    return !utf8.hasError() && !bytes.contains('\0');
}
} // namespace

SettingsStore::SettingsStore()
{
    const QString path = userPath();
    const QString older = QFileInfo(path).dir().filePath(QStringLiteral("tavrel.ini"));
    const bool firstUse = !QFileInfo::exists(path);
    open(path);
    if (firstUse && QFileInfo::exists(older))
        takeOver(older);
}

SettingsStore::SettingsStore(const QString &path)
{
    open(path);
}

QString SettingsStore::userPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/tavrel/tavrel.conf");
}

void SettingsStore::open(const QString &path)
{
    m_settings = std::make_unique<QSettings>(path, QSettings::IniFormat);
    setAsideIfUnreadable();
}

// Junk must not come back as junk keys: the file keeps its bytes under
// another name, where the user can look at it, and this run starts afresh.
void SettingsStore::setAsideIfUnreadable()
{
    const QString path = m_settings->fileName();
    if (m_settings->status() != QSettings::FormatError && isText(path))
        return;
    const QString aside = path + QStringLiteral(".bad");
    QFile::remove(aside);
    QFile file(path);
    if (file.rename(aside))
        warn(tr("tavrel: %1 is not a settings file; it was set aside as %2 and first-start settings are used")
                 .arg(path, aside));
    else
        warn(tr("tavrel: %1 is not a settings file and cannot be set aside (%2); first-start settings are "
                "used and nothing is saved")
                 .arg(path, file.errorString()));
    m_writable = !QFileInfo::exists(path);
    m_settings = std::make_unique<QSettings>(path, QSettings::IniFormat);
}

void SettingsStore::takeOver(const QString &olderPath)
{
    QSettings older(olderPath, QSettings::IniFormat);
    if (older.status() != QSettings::NoError)
        return;
    for (const QString &key : older.allKeys())
        m_settings->setValue(key, older.value(key));
    m_settings->sync();
}

void SettingsStore::setWarningSink(std::function<void(const QString &)> sink)
{
    warningSink() = std::move(sink);
}

void SettingsStore::warn(const QString &message)
{
    if (warningSink())
        warningSink()(message);
    else
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

void SettingsStore::warn(const QString &name, const QString &value, const QString &expected) const
{
    warn(tr("tavrel: ignoring setting %1=\"%2\" in %3: expected %4").arg(name, value.left(60), path(), expected));
}

// Values come back as text whatever was stored; a list or a section where a
// value should be is as wrong as bad text.
std::optional<QString> SettingsStore::stored(const QString &name) const
{
    if (name.isEmpty() || !m_settings->contains(name))
        return std::nullopt;
    const QVariant value = m_settings->value(name);
    if (!value.canConvert<QString>() || value.typeId() == QMetaType::QStringList) {
        warn(name, value.toStringList().join(QLatin1Char(',')), tr("a single value"));
        return std::nullopt;
    }
    return value.toString();
}

std::optional<QString> SettingsStore::raw(const SettingKey &key) const
{
    if (m_settings->contains(key.name) || !key.fromOld)
        return stored(key.name);
    // An older file's key is read once; the next save writes the new one.
    if (key.oldName.isEmpty() || !m_settings->contains(key.oldName))
        return std::nullopt;
    const QVariant old = m_settings->value(key.oldName);
    const std::optional<QString> value = key.fromOld(old);
    if (!value)
        warn(key.oldName, old.toString(), tr("a value this version understands"));
    return value;
}

std::optional<int> SettingsStore::integer(const SettingKey &key) const
{
    const std::optional<QString> value = raw(key);
    if (!value)
        return std::nullopt;
    bool ok = false;
    const int number = value->trimmed().toInt(&ok);
    if (ok && number >= key.minimum && number <= key.maximum)
        return number;
    warn(key.name, *value, tr("a whole number from %1 to %2").arg(key.minimum).arg(key.maximum));
    return std::nullopt;
}

std::optional<bool> SettingsStore::flag(const SettingKey &key) const
{
    const std::optional<QString> value = raw(key);
    if (!value)
        return std::nullopt;
    if (*value == QLatin1String("true"))
        return true;
    if (*value == QLatin1String("false"))
        return false;
    warn(key.name, *value, tr("true or false"));
    return std::nullopt;
}

std::optional<QString> SettingsStore::text(const SettingKey &key) const
{
    const std::optional<QString> value = raw(key);
    if (!value)
        return std::nullopt;
    if (key.kind == SettingKey::Kind::Choice) {
        if (key.choices.contains(*value))
            return value;
        warn(key.name, *value, tr("one of ") + key.choices.join(QStringLiteral(", ")));
        return std::nullopt;
    }
    if (value->size() > key.maximum) {
        warn(key.name, *value, tr("at most %1 characters").arg(key.maximum));
        return std::nullopt;
    }
    if (key.accepts && !key.accepts(*value)) {
        warn(key.name, *value, key.expected);
        return std::nullopt;
    }
    return value;
}

void SettingsStore::set(const SettingKey &key, const QVariant &value)
{
    if (!m_writable)
        return;
    if (!key.oldName.isEmpty() && m_settings->contains(key.oldName))
        m_settings->remove(key.oldName);
    // Text as the file reads it back: an unchanged value leaves the file unwritten.
    if (m_settings->contains(key.name) && m_settings->value(key.name).toString() == value.toString())
        return;
    m_settings->setValue(key.name, value);
}

void SettingsStore::remove(const SettingKey &key)
{
    if (!m_writable)
        return;
    for (const QString &name : {key.name, key.oldName})
        if (!name.isEmpty() && m_settings->contains(name))
            m_settings->remove(name);
}

void SettingsStore::clear()
{
    if (!m_writable)
        return;
    m_settings->clear();
}

void SettingsStore::sync()
{
    if (!m_writable)
        return;
    m_settings->sync();
}
