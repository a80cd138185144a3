#pragma once

#include <QString>

// Text files of the output and transmit windows. Each byte is one Latin-1
// character, so a file loaded for sending reaches the PIC byte for byte.
namespace TextFiles {

// Files larger than this are not loaded into the transmit window.
constexpr qint64 maxLoadBytes = 1024 * 1024;

enum class LoadResult { Loaded, Missing, TooLarge, Unreadable };

// Reads the whole file into `text`; on any result but Loaded, `text` is
// untouched and `reason` (if given) says why.
LoadResult load(const QString &path, QString &text, QString *reason = nullptr);

// Writes `text` as Latin-1, replacing the file only once everything is
// written. False with `reason` when a character has no Latin-1 byte or the
// file cannot be written.
bool save(const QString &path, const QString &text, QString *reason);

} // namespace TextFiles
