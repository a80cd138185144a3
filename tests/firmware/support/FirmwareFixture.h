#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>

// What the firmware tests share: the assembled firmware, a picture with
// something in every page and byte column, its stream from `tavrel convert`.
namespace FirmwareFixture {

// The .cod file the build assembled, or "" when gputils or gpsim is missing.
QString codFile();
// `tavrel convert` of `picture` (saved in `dir`) with --stream and `options`.
QByteArray stream(const QImage &picture, const QStringList &options, const QString &dir);
// The stream's transfer header digits, "*" left out.
QByteArray headerOf(const QByteArray &stream);
// A stream written out here rather than converted: display type `type`
// ('3' KS0108 128x64, '0' T6963C 240x64, '1' EEPROM), blocks of
// `blockChars` digits, EEPROM start `address`, PIC delay `delayMs`, `bytes`.
QByteArray blockStream(char type, int blockChars, int address, int delayMs, const QByteArray &bytes);

} // namespace FirmwareFixture
