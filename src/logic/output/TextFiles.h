#pragma once

#include <QString>

// Text files of the output and transmit windows. A file is read as UTF-8
// when it is valid UTF-8, else as Latin-1 (each byte one character); files
// are written as Latin-1, the bytes the PIC takes.
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
