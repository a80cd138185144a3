#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

struct MatrixLayout;

// Cuts a matrix into the lines a source file shows and spells its bytes.
namespace ByteLines {

// Bytes of one page (vertical, page by page), one column (vertical, column
// by column) or one row (horizontal) of a width x height matrix.
int unitLength(int width, int height, const MatrixLayout &layout);

// `perLine` bytes a line; the last line may be shorter. perLine < 1 gives
// one line.
QList<QByteArray> split(const QByteArray &bytes, int perLine);

// "0x05, 0xff": lower-case digits, the C and assembler spelling.
QString cList(const QByteArray &bytes);

// The value of ExportOptions::bytesPerLine for this template and matrix.
int resolve(int bytesPerLine, int templateDefault, int unitLength);

} // namespace ByteLines
