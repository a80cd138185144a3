#pragma once

#include "logic/convert/MatrixLayout.h"

#include <QByteArray>
#include <QImage>
#include <QStringList>

class HexGrid;

// The bytes an LCD controller expects for a black-and-white picture. Only
// pure black (RGB 0) is a lit pixel, a set bit; every other colour and every
// point outside the picture is unlit.
namespace ByteMatrix {

// The picture packed in any layout: vertical bytes page by page or column
// by column, horizontal bytes row by row, either bit order.
QByteArray pack(const QImage &picture, int width, int height, const MatrixLayout &layout);

// KS0108: pages of 8 rows, top page first; within a page one byte per
// column, left to right; bit 0 is the page's top row.
QByteArray vertical(const QImage &picture, int width, int height);

// T6963C and SED1330: rows top to bottom, 8 pixels a byte with the leftmost
// pixel in the most significant bit.
QByteArray horizontal(const QImage &picture, int width, int height);

// The bytes of a loaded bitmap exactly as the file held them, in the same
// order as horizontal(): the hex text of each cell as stored.
QStringList horizontalCells(const HexGrid &grid, int width, int height);
// Cells of two hex digits with their bits mirrored ("80" -> "01"); other
// cells (empty ones) stay as they are.
QStringList mirroredCells(const QStringList &cells);
// The cells' values; an empty or unreadable cell counts as 0.
QByteArray cellBytes(const QStringList &cells);

// The inverse of pack(): the picture `bytes` draw on a width x height LCD,
// black for a set bit, white elsewhere (RGB32). Missing bytes leave their
// pixels white; bytes beyond the picture are ignored.
QImage pictureFrom(const QByteArray &bytes, int width, int height, const MatrixLayout &layout);
// The usual layout of either packing.
QImage pictureFrom(const QByteArray &bytes, int width, int height, bool horizontalPacking);

int pageCount(int height);
int bytesPerRow(int width);
// Of horizontal bytes in this layout (6 pixels a byte in the font mode).
int bytesPerRow(int width, const MatrixLayout &layout);
// Bytes of a width x height picture in this layout.
qsizetype byteCount(int width, int height, const MatrixLayout &layout);

} // namespace ByteMatrix
