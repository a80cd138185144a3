#pragma once

#include <QByteArray>
#include <QString>

class HexGrid;

// Copies the pixel bytes of a one-bit bitmap into hexGrid the way the LCD's
// horizontal packing reads them: hexGrid(row, column) is byte `column` of
// picture row `row` (row 0 at the top), two lower-case hex digits.
namespace BmpByteWalk {

// Bytes each file row holds: 128 -> 16, 240 -> 32, 256 -> 32, 320 -> 40.
int bytesPerRow(int lcdWidth);
// Bytes of a row that carry pixels: 240 -> 30, the last two are padding.
int storedColumns(int lcdWidth);

// Walks `rows` (bottom row first, bytesPerRow a row) into `grid`, each byte
// b stored as 255 - b when `inverted`, bits past the picture's right edge
// cleared; returns the number of cells written.
// Rows shorter than lcdHeight x bytesPerRow are refused: nothing is written.
int walk(const QByteArray &rows, int lcdWidth, int lcdHeight, bool inverted, HexGrid &grid);

// Every cell of rows 0..lcdHeight-1, columns 0..bytesPerRow-1, in order,
// as one text. Cells a load did not write keep their earlier text.
QString dump(const HexGrid &grid, int lcdWidth, int lcdHeight);

} // namespace BmpByteWalk
