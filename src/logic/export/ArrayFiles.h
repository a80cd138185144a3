#pragma once

#include <QByteArray>
#include <QString>

// Exported array files on disk.
namespace ArrayFiles {

// An array of the largest LCD in the wordiest form is well under this.
constexpr qint64 MostBytes = 4 * 1024 * 1024;

// Replaces the file only once everything is written. False with a reason
// naming the file.
bool save(const QString &path, const QByteArray &content, QString *reason);
// Reads up to MostBytes; false with a reason naming the file.
bool load(const QString &path, QByteArray *content, QString *reason);

} // namespace ArrayFiles
