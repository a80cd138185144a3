#pragma once

#include <QByteArray>

struct ConversionResult;
struct ExportOptions;

// An X bitmap of the picture the matrix draws: rows of bytes, the leftmost
// pixel in the least significant bit, a set bit lit. XBM fixes its own
// layout, so a matrix in any other is repacked first.
namespace XbmTemplate {

constexpr int DefaultBytesPerLine = 12; // as X11's own bitmap files

// The bytes an XBM of this matrix holds.
QByteArray bytes(const ConversionResult &matrix);
QByteArray write(const ConversionResult &matrix, const ExportOptions &options);

} // namespace XbmTemplate
