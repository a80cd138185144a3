#pragma once

#include <QByteArray>
#include <QString>

// A font file's bytes, unpacked when gzip-compressed (PCF fonts ship as .pcf.gz).
namespace FontFileBytes {

// Fonts are small; a file beyond this is no font.
constexpr qint64 MostBytes = 32 * 1024 * 1024;

// False with a reason naming the file.
bool read(const QString &path, QByteArray *bytes, QString *reason);
bool isGzip(const QByteArray &bytes);
bool gunzip(const QByteArray &packed, QByteArray *bytes);

} // namespace FontFileBytes
