#pragma once

#include <QByteArray>
#include <QtGlobal>

// Intel HEX, the text EEPROM and flash programmers load: data records from
// a start address, an extended linear address record wherever the upper 16
// address bits change (no record crosses a 64 KiB boundary), and the end
// record.
namespace IntelHexTemplate {

constexpr int DefaultBytesPerLine = 16;

// False when the bytes would run past the 32-bit address space.
bool fits(qsizetype byteCount, quint32 startAddress);

QByteArray write(const QByteArray &bytes, quint32 startAddress, int bytesPerRecord);

} // namespace IntelHexTemplate
