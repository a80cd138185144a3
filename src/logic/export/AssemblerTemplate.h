#pragma once

#include <QByteArray>

struct ConversionResult;
struct ExportOptions;

// Assembler source: a comment naming the matrix, a label, then either `db`
// lines or, for a PIC's table read by computed jumps, one `retlw` a byte.
namespace AssemblerTemplate {

constexpr int DefaultBytesPerLine = 16;

QByteArray write(const ConversionResult &matrix, const ExportOptions &options);

} // namespace AssemblerTemplate
