#pragma once

#include <QByteArray>
#include <QString>

struct ConversionResult;
struct ExportOptions;

// A C source file holding the matrix: <stdint.h>, a comment naming size,
// packing and bit order, NAME_WIDTH and NAME_HEIGHT, and
// `const uint8_t name[N]`, optionally PROGMEM (AVR flash; defined empty
// elsewhere so the file compiles on any compiler).
namespace CSourceTemplate {

constexpr int DefaultBytesPerLine = 16;

// PROGMEM from <avr/pgmspace.h> on AVR, defined empty elsewhere.
QString progmemLines();

QByteArray write(const ConversionResult &matrix, const ExportOptions &options);

} // namespace CSourceTemplate
