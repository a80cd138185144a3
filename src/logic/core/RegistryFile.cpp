#include "logic/core/RegistryFile.h"

#include <QFile>
#include <QStringList>

RegistryFile RegistryFile::fromText(const QString &text)
{
    RegistryFile store;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (QString line : lines) {
        line.remove(QLatin1Char('\r'));
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList fields = line.split(QLatin1Char('\t'));
        if (fields.size() != 4)
            continue;
        Value value;
        value.type = fields.at(2).toInt();
        value.data = value.type == 4 ? QByteArray::fromHex(fields.at(3).toLatin1()) : fields.at(3).toUtf8();
        const QString key = fields.at(0).toUpper();
        store.m_keys[key].insert(fields.at(1).toUpper(), value);
    }
    return store;
}

RegistryFile RegistryFile::fromFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return RegistryFile();
    return fromText(QString::fromUtf8(file.read(64 * 1024)));
}

QString RegistryFile::keyOf(const QString &root, const QString &keyName)
{
    return (root + QLatin1Char('\\') + keyName).toUpper();
}

bool RegistryFile::hasKey(const QString &root, const QString &keyName) const
{
    return m_keys.contains(keyOf(root, keyName));
}

bool RegistryFile::query(const QString &root, const QString &keyName, const QString &valueName, Value *value) const
{
    const auto key = m_keys.constFind(keyOf(root, keyName));
    if (key == m_keys.constEnd())
        return false;
    const auto found = key->constFind(valueName.toUpper());
    if (found == key->constEnd())
        return false;
    *value = *found;
    return true;
}

bool RegistryFile::getKeyValue(const QString &keyRoot, const QString &keyName, const QString &subKeyRef,
                                QString *keyValue) const
{
    Value value;
    if (!hasKey(keyRoot, keyName) || !query(keyRoot, keyName, subKeyRef, &value)) {
        keyValue->clear();
        return false;
    }
    QByteArray data = value.data.left(1024);
    if (data.endsWith('\0'))
        data.chop(1);
    if (value.type == 1) {
        *keyValue = QString::fromUtf8(data);
    } else if (value.type == 4) {
        // Bytes from the most significant down, two hex digits each (a
        // single digit per byte would turn 0x0102 into 0x12).
        QString digits;
        for (int i = data.size() - 1; i >= 0; --i)
            digits += QStringLiteral("%1").arg(quint8(data.at(i)), 2, 16, QLatin1Char('0'));
        *keyValue = QString::number(digits.isEmpty() ? 0 : digits.toULongLong(nullptr, 16));
    }
    return true;
}
