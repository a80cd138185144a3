#include "logic/convert/ByteMatrix.h"

#include "logic/core/HexGrid.h"

#include <QVector>

namespace {

// Rows are read straight from scanLine(), which needs 32-bit pixels; the
// canvas already is RGB32, so this is normally a shallow copy.
QImage asRgb32(const QImage &picture)
{
    const QImage::Format format = picture.format();
    if (format == QImage::Format_RGB32 || format == QImage::Format_ARGB32)
        return picture;
    return picture.convertToFormat(QImage::Format_RGB32);
}

bool isBlack(QRgb pixel)
{
    return (pixel & 0xFFFFFF) == 0;
}

uchar bitFor(int position, MatrixLayout::BitOrder order, int bits = 8)
{
    return order == MatrixLayout::BitOrder::LsbFirst ? uchar(1u << position) : uchar((1u << (bits - 1)) >> position);
}

// Where every pixel's bit lies: byte rowOffset[y] + columnOffset[x], bit
// rowBit[y] | columnBit[x]. Every layout splits that way (one of the two
// bits is always 0), so packing and drawing need no per-pixel branches.
struct PixelAddresses
{
    QVector<qsizetype> rowOffset;
    QVector<qsizetype> columnOffset;
    QVector<uchar> rowBit;
    QVector<uchar> columnBit;

    PixelAddresses(int width, int height, const MatrixLayout &layout)
        : rowOffset(qMax(height, 0)), columnOffset(qMax(width, 0)), rowBit(qMax(height, 0)),
          columnBit(qMax(width, 0))
    {
        const int pages = ByteMatrix::pageCount(height);
        const int perRow = ByteMatrix::bytesPerRow(width, layout);
        const int pixels = layout.horizontal ? layout.pixelsPerByte : 8;
        const bool columns = layout.scan == MatrixLayout::Scan::Columns;
        for (int y = 0; y < height; ++y) {
            rowOffset[y] = layout.horizontal ? qsizetype(y) * perRow : columns ? y / 8 : qsizetype(y / 8) * width;
            rowBit[y] = layout.horizontal ? 0 : bitFor(y % 8, layout.bitOrder);
        }
        for (int x = 0; x < width; ++x) {
            columnOffset[x] = layout.horizontal ? x / pixels : columns ? qsizetype(x) * pages : x;
            columnBit[x] = layout.horizontal ? bitFor(x % pixels, layout.bitOrder, pixels) : 0;
        }
    }
};

uchar mirrored(uchar byte)
{
    uchar result = 0;
    for (int bit = 0; bit < 8; ++bit)
        if (byte & (1u << bit))
            result |= uchar(0x80u >> bit);
    return result;
}

// Every pixel is written, black or white, without a branch to mispredict:
// pictures are noisy.
QRgb pixelFor(bool lit)
{
    return lit ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
}

} // namespace

namespace ByteMatrix {

int pageCount(int height)
{
    return height > 0 ? (height + 7) / 8 : 0;
}

int bytesPerRow(int width)
{
    return width > 0 ? (width + 7) / 8 : 0;
}

int bytesPerRow(int width, const MatrixLayout &layout)
{
    const int pixels = layout.horizontal ? layout.pixelsPerByte : 8;
    return width > 0 ? (width + pixels - 1) / pixels : 0;
}

qsizetype byteCount(int width, int height, const MatrixLayout &layout)
{
    if (width <= 0 || height <= 0)
        return 0;
    return layout.horizontal ? qsizetype(bytesPerRow(width, layout)) * height : qsizetype(pageCount(height)) * width;
}

QByteArray pack(const QImage &picture, int width, int height, const MatrixLayout &layout)
{
    const QImage rgb = asRgb32(picture);
    QByteArray bytes(byteCount(width, height, layout), '\0');
    auto *out = reinterpret_cast<uchar *>(bytes.data());
    const PixelAddresses at(width, height, layout);
    const int columns = qMin(width, rgb.width());
    const int rows = qMin(height, rgb.height());
    // Row by row: each picture row is one contiguous scan line.
    for (int y = 0; y < rows; ++y) {
        const auto *pixels = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        uchar *rowStart = out + at.rowOffset[y];
        const uchar rowBit = at.rowBit[y];
        for (int x = 0; x < columns; ++x)
            if (isBlack(pixels[x]))
                rowStart[at.columnOffset[x]] |= uchar(rowBit | at.columnBit[x]);
    }
    return bytes;
}

QByteArray vertical(const QImage &picture, int width, int height)
{
    return pack(picture, width, height, MatrixLayout::usual(false));
}

QByteArray horizontal(const QImage &picture, int width, int height)
{
    return pack(picture, width, height, MatrixLayout::usual(true));
}

QImage pictureFrom(const QByteArray &bytes, int width, int height, const MatrixLayout &layout)
{
    QImage picture(qMax(width, 0), qMax(height, 0), QImage::Format_RGB32);
    picture.fill(Qt::white);
    const auto *in = reinterpret_cast<const uchar *>(bytes.constData());
    const qsizetype count = bytes.size();
    const PixelAddresses at(width, height, layout);
    for (int y = 0; y < height; ++y) {
        auto *pixels = reinterpret_cast<QRgb *>(picture.scanLine(y));
        const qsizetype rowStart = at.rowOffset[y];
        const uchar rowBit = at.rowBit[y];
        for (int x = 0; x < width; ++x) {
            const qsizetype index = rowStart + at.columnOffset[x];
            // Missing bytes (a short text) leave their pixels white.
            pixels[x] = pixelFor(index < count && (in[index] & (rowBit | at.columnBit[x])));
        }
    }
    return picture;
}

QImage pictureFrom(const QByteArray &bytes, int width, int height, bool horizontalPacking)
{
    return pictureFrom(bytes, width, height, MatrixLayout::usual(horizontalPacking));
}

QStringList horizontalCells(const HexGrid &grid, int width, int height)
{
    const int perRow = bytesPerRow(width);
    QStringList cells;
    cells.reserve(perRow * qMax(height, 0));
    for (int r = 0; r < height; ++r)
        for (int c = 0; c < perRow; ++c)
            cells << grid.cell(r, c);
    return cells;
}

QStringList mirroredCells(const QStringList &cells)
{
    QStringList result;
    result.reserve(cells.size());
    for (const QString &cell : cells) {
        bool ok = false;
        const uint value = cell.toUInt(&ok, 16);
        result << (ok && cell.size() == 2 ? QStringLiteral("%1").arg(mirrored(uchar(value)), 2, 16, QLatin1Char('0'))
                                          : cell);
    }
    return result;
}

QByteArray cellBytes(const QStringList &cells)
{
    QByteArray bytes;
    bytes.reserve(cells.size());
    for (const QString &cell : cells)
        bytes.append(char(cell.toUInt(nullptr, 16) & 0xFF));
    return bytes;
}

} // namespace ByteMatrix
