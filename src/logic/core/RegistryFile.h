#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

// A small read-only store of typed values under hierarchical keys, standing
// in for the system registry the About window consults. It is read from a
// text file with one value a line:
//   ROOT\Key\Path <TAB> ValueName <TAB> type <TAB> data
// type 1 is text (data as written), type 4 a 32-bit number (data as
// little-endian hex bytes, e.g. "10 27 00 00"). Blank lines and lines
// starting with '#' are ignored.
class RegistryFile
{
public:
    struct Value
    {
        int type = 0;
        QByteArray data; // raw bytes as stored
    };

    RegistryFile() = default;
    static RegistryFile fromText(const QString &text);
    static RegistryFile fromFile(const QString &path);

    bool hasKey(const QString &root, const QString &keyName) const;
    // False when the key or the value does not exist.
    bool query(const QString &root, const QString &keyName, const QString &valueName, Value *value) const;

    // Reads one value as text; false (and an empty text) when absent.
    // Text values lose one trailing NUL; numbers become plain decimal.
    bool getKeyValue(const QString &keyRoot, const QString &keyName, const QString &subKeyRef,
                     QString *keyValue) const;

private:
    static QString keyOf(const QString &root, const QString &keyName);
    QHash<QString, QHash<QString, Value>> m_keys;
};
