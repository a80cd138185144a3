#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// `tavrel decode [FILE|-] --size WxH --packing vertical|horizontal
// [--stream] [--out PICTURE]`: the picture a text draws on the LCD, so a
// build script can check the bytes before they reach the hardware. Prints
// it as rows of '#' and '.', or writes PNG or one-bit BMP.
namespace DecodeCommand {

// Input beyond this is refused: the largest picture's text with a long
// format is well under 1 MiB, and a FIFO or /dev/zero never ends.
constexpr qint64 MostInputBytes = 16 * 1024 * 1024;

// Reads all of `path` ("-": standard input), but at most MostInputBytes.
bool readBounded(const QString &path, QByteArray *data, QString *error);

int run(const QStringList &arguments);

} // namespace DecodeCommand
