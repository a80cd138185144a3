#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>

// `tavrel decode [FILE|-] --size WxH --packing vertical|horizontal
// [--profile NAME | --bit-order msb|lsb --scan pages|columns] [--stream]
// [--out PICTURE]`: the picture a text draws on the LCD, so a build script
// can check the bytes before they reach the hardware. Prints it as rows of
// '#' and '.', or writes PNG or one-bit BMP. With --guess instead of a size
// and layout: the likeliest ones of an array file.
namespace DecodeCommand {

// Input beyond this is refused: the largest picture's text with a long
// format is well under 1 MiB, and a FIFO or /dev/zero never ends.
constexpr qint64 MostInputBytes = 16 * 1024 * 1024;
// The smallest picture side --size takes: an icon or a glyph may be a few pixels.
constexpr int SmallestSide = 1;

// Reads all of `path` ("-": standard input), but at most MostInputBytes.
bool readBounded(const QString &path, QByteArray *data, QString *error);

// PNG or one-bit BMP by the name's extension.
bool writePicture(const QImage &picture, const QString &path, QString *error);

int run(const QStringList &arguments);

} // namespace DecodeCommand
