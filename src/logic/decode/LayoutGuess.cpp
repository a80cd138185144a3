#include "logic/decode/LayoutGuess.h"

#include "logic/canvas/LcdSizes.h"
#include "logic/convert/ByteMatrix.h"

#include <QSet>
#include <algorithm>

namespace LayoutGuess {

namespace {

using Order = MatrixLayout::BitOrder;
using Scan = MatrixLayout::Scan;

bool sensible(int width, int height)
{
    return width >= 8 && height >= 8 && width <= LongestSide && height <= LongestSide
        && width <= height * MostAspect && height <= width * MostAspect;
}

// Every layout that holds exactly `count` bytes (or one more, a closing
// 00) at this size, the usual ones first.
void addSize(int width, int height, const QByteArray &bytes, QList<Candidate> &out)
{
    const qsizetype count = bytes.size();
    const MatrixLayout vertical = MatrixLayout::usual(false);
    if (height % 8 == 0 && ByteMatrix::byteCount(width, height, vertical) == count)
        for (const Scan scan : {Scan::Pages, Scan::Columns})
            for (const Order order : {Order::LsbFirst, Order::MsbFirst})
                out << Candidate{width, height, {false, order, scan}, false, 0};
    if (width % 8 != 0)
        return;
    const qsizetype rows = ByteMatrix::byteCount(width, height, MatrixLayout::usual(true));
    const bool closingZero = rows + 1 == count && bytes.endsWith(QByteArray(1, '\0'));
    if (rows == count || closingZero)
        for (const Order order : {Order::MsbFirst, Order::LsbFirst})
            out << Candidate{width, height, {true, order, Scan::Pages}, closingZero, 0};
}

QList<Candidate> candidates(const QByteArray &bytes)
{
    QList<Candidate> out;
    QSet<QPair<int, int>> tried;
    for (const LcdSize &lcd : LcdSizes::all()) {
        tried.insert({lcd.width, lcd.height});
        addSize(lcd.width, lcd.height, bytes, out);
    }
    for (int width = 8; width <= LongestSide; width += 8) {
        // The heights a vertical and a horizontal matrix of this width would have.
        const qsizetype count = bytes.size();
        const QList<qsizetype> heights = {count % width == 0 ? 8 * (count / width) : 0,
                                          count / (width / 8), (count - 1) / (width / 8)};
        for (const qsizetype height : heights) {
            if (height > LongestSide || !sensible(width, int(height)) || tried.contains({width, int(height)}))
                continue;
            tried.insert({width, int(height)});
            addSize(width, int(height), bytes, out);
        }
    }
    return out;
}

} // namespace

qint64 pixelChanges(const QImage &picture)
{
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    qint64 changes = 0;
    const QRgb *previous = nullptr;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        for (int x = 1; x < rgb.width(); ++x)
            changes += row[x] != row[x - 1];
        if (previous)
            for (int x = 0; x < rgb.width(); ++x)
                changes += row[x] != previous[x];
        previous = row;
    }
    return changes;
}

QImage pictureOf(const QByteArray &bytes, const Candidate &candidate)
{
    return ByteMatrix::pictureFrom(bytes, candidate.width, candidate.height, candidate.layout);
}

QList<Candidate> rank(const QByteArray &bytes)
{
    QList<Candidate> list = candidates(bytes);
    for (Candidate &candidate : list)
        candidate.changes = pixelChanges(pictureOf(bytes, candidate));
    std::stable_sort(list.begin(), list.end(),
                     [](const Candidate &a, const Candidate &b) { return a.changes < b.changes; });
    return list;
}

} // namespace LayoutGuess
