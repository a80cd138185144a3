#include "convert/ByteMatrix.h"

#include "core/HexGrid.h"

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

const QRgb *row(const QImage &image, int y)
{
    return reinterpret_cast<const QRgb *>(image.constScanLine(y));
}

const uchar *bytesFrom(const QByteArray &bytes)
{
    return reinterpret_cast<const uchar *>(bytes.constData());
}

// Every pixel is written, black or white, without a branch to mispredict:
// pictures are noisy.
QRgb pixelFor(bool lit)
{
    return lit ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
}

// Row y of a picture packed by rows: bytesPerRow() bytes, leftmost pixel in bit 7.
void drawHorizontalRow(const QByteArray &bytes, int width, int y, QRgb *pixels)
{
    const int perRow = ByteMatrix::bytesPerRow(width);
    const qsizetype first = qsizetype(y) * perRow;
    const int present = int(qBound<qsizetype>(0, bytes.size() - first, qsizetype(perRow)));
    const uchar *row = bytesFrom(bytes) + first;
    const int drawn = qMin(width, present * 8);
    for (int x = 0; x < drawn; ++x)
        pixels[x] = pixelFor(row[x / 8] & (0x80u >> (x % 8)));
}

// Row y of a picture packed in pages: one bit of every byte of page y / 8.
void drawVerticalRow(const QByteArray &bytes, int width, int y, QRgb *pixels)
{
    const qsizetype first = qsizetype(y / 8) * width;
    const int present = int(qBound<qsizetype>(0, bytes.size() - first, qsizetype(width)));
    const uchar *page = bytesFrom(bytes) + first;
    const uchar bit = uchar(1u << (y % 8));
    for (int x = 0; x < present; ++x)
        pixels[x] = pixelFor(page[x] & bit);
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

QByteArray vertical(const QImage &picture, int width, int height)
{
    const QImage rgb = asRgb32(picture);
    QByteArray bytes(pageCount(height) * qMax(width, 0), '\0');
    auto *out = reinterpret_cast<uchar *>(bytes.data());
    const int columns = qMin(width, rgb.width());
    const int rows = qMin(height, rgb.height());
    // Row by row rather than column by column: each picture row is one
    // contiguous scan line and sets one bit in every byte of its page.
    for (int y = 0; y < rows; ++y) {
        const QRgb *pixels = row(rgb, y);
        uchar *page = out + (y / 8) * width;
        const uchar bit = uchar(1u << (y % 8));
        for (int x = 0; x < columns; ++x)
            if (isBlack(pixels[x]))
                page[x] |= bit;
    }
    return bytes;
}

QByteArray horizontal(const QImage &picture, int width, int height)
{
    const QImage rgb = asRgb32(picture);
    const int perRow = bytesPerRow(width);
    QByteArray bytes(perRow * qMax(height, 0), '\0');
    auto *out = reinterpret_cast<uchar *>(bytes.data());
    const int columns = qMin(width, rgb.width());
    const int rows = qMin(height, rgb.height());
    for (int y = 0; y < rows; ++y) {
        const QRgb *pixels = row(rgb, y);
        uchar *line = out + y * perRow;
        for (int x = 0; x < columns; ++x)
            if (isBlack(pixels[x]))
                line[x / 8] |= uchar(0x80u >> (x % 8));
    }
    return bytes;
}

QImage pictureFrom(const QByteArray &bytes, int width, int height, bool horizontalPacking)
{
    QImage picture(qMax(width, 0), qMax(height, 0), QImage::Format_RGB32);
    picture.fill(Qt::white);
    for (int y = 0; y < height; ++y) {
        auto *pixels = reinterpret_cast<QRgb *>(picture.scanLine(y));
        if (horizontalPacking)
            drawHorizontalRow(bytes, width, y, pixels);
        else
            drawVerticalRow(bytes, width, y, pixels);
    }
    return picture;
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

} // namespace ByteMatrix
