#include "logic/canvas/BmpByteWalk.h"

#include "logic/core/HexGrid.h"
#include "logic/canvas/MonoBitmapRows.h"

namespace BmpByteWalk {

int bytesPerRow(int lcdWidth)
{
    return MonoBitmapRows::stride(lcdWidth);
}

int storedColumns(int lcdWidth)
{
    return (lcdWidth + 7) / 8;
}

int walk(const QByteArray &rows, int lcdWidth, int lcdHeight, bool inverted, HexGrid &grid)
{
    const int rowBytes = bytesPerRow(lcdWidth);
    if (lcdWidth <= 0 || lcdHeight <= 0 || rows.size() < qint64(rowBytes) * lcdHeight)
        return 0;
    const int columns = storedColumns(lcdWidth);
    // A width that is no multiple of 8 leaves bits past the right edge in
    // each row's last byte: they stay 0 whatever the file or "Inverted" says.
    const int lastByteMask = 0xFF & (0xFF << (columns * 8 - lcdWidth));
    int written = 0;
    // The file stores the bottom row first.
    for (int row = lcdHeight - 1, offset = 0; row >= 0; --row, offset += rowBytes) {
        for (int column = 0; column < columns; ++column) {
            int byte = quint8(rows.at(offset + column));
            if (inverted)
                byte = 255 - byte;
            if (column == columns - 1)
                byte &= lastByteMask;
            if (!HexGrid::inRange(row, column))
                continue;
            grid.setCell(row, column, QStringLiteral("%1").arg(byte, 2, 16, QLatin1Char('0')));
            ++written;
        }
    }
    return written;
}

QString dump(const HexGrid &grid, int lcdWidth, int lcdHeight)
{
    const int rowBytes = bytesPerRow(lcdWidth);
    QString text;
    text.reserve(lcdHeight * rowBytes * 2);
    for (int row = 0; row < lcdHeight; ++row)
        for (int column = 0; column < rowBytes; ++column)
            text += grid.cell(row, column);
    return text;
}

} // namespace BmpByteWalk
