#include "logic/decode/LayoutGuess.h"

#include "logic/canvas/LcdSizes.h"
#include "logic/convert/ByteMatrix.h"
#include "logic/convert/ControllerProfiles.h"

#include <set>
#include <algorithm>
#include <tuple>

namespace LayoutGuess {

namespace {

bool sensible(qint64 width, qint64 height)
{
    return width >= ShortestSide && height >= ShortestSide && width <= LongestSide && height <= LongestSide
        && width <= height * MostAspect && height <= width * MostAspect;
}

class Collector
{
public:
    Collector(const QByteArray &bytes, bool closingZero) : m_bytes(bytes), m_closingZero(closingZero) {}

    // Every layout that holds exactly the bytes after `skip` (or one
    // fewer, with a closing 00) at this size.
    void add(int width, int height, int skip, bool hinted)
    {
        const qsizetype count = m_bytes.size() - skip;
        for (const MatrixLayout &layout : layouts()) {
            const qsizetype needed = ByteMatrix::byteCount(width, height, layout);
            const bool closingZero =
                m_closingZero && layout.horizontal && needed + 1 == count && m_bytes.endsWith(QByteArray(1, '\0'));
            if (needed != count && !closingZero)
                continue;
            const auto key = std::make_tuple(width, height, skip, layoutIndex(layout));
            if (m_tried.count(key))
                continue;
            m_tried.insert(key);
            m_list << Candidate{width, height, layout, closingZero, skip, hinted, 0};
        }
    }
    QList<Candidate> take() { return std::move(m_list); }

private:
    static int layoutIndex(const MatrixLayout &layout) { return int(layouts().indexOf(layout)); }

    const QByteArray &m_bytes;
    const bool m_closingZero;
    QList<Candidate> m_list;
    std::set<std::tuple<int, int, int, int>> m_tried;
};

// Sizes whose pictures take `count` bytes: widths dividing it for pages of
// eight rows, heights dividing it for rows of whole bytes.
void addDividingSizes(Collector &collector, qsizetype count)
{
    for (const qsizetype total : {count, count - 1}) {
        for (qint64 side = 1; side <= LongestSide && side <= total; ++side) {
            if (total % side != 0)
                continue;
            const qint64 other = total / side;
            if (sensible(side, 8 * other))
                collector.add(int(side), int(8 * other), 0, false); // pages
            if (sensible(8 * other, side))
                collector.add(int(8 * other), int(side), 0, false); // rows
            if (sensible(6 * other, side))
                collector.add(int(6 * other), int(side), 0, false); // rows of 6 pixels a byte
        }
    }
}

// The order of ties, as the header says; the order tried last.
bool likelierTie(const Candidate &a, const Candidate &b)
{
    const auto weight = [](const Candidate &c) {
        const bool lcd = LcdSizes::byCaption(QStringLiteral("%1x%2").arg(c.width).arg(c.height)) != nullptr;
        return std::make_tuple(c.hinted, lcd, ControllerProfiles::byLayout(c.layout) != nullptr, c.width >= c.height);
    };
    return weight(a) > weight(b);
}

} // namespace

QList<MatrixLayout> layouts()
{
    static const QList<MatrixLayout> all = MatrixLayout::ordersOf(false) + MatrixLayout::ordersOf(true);
    return all;
}

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
    return ByteMatrix::pictureFrom(bytes.mid(candidate.skip), candidate.width, candidate.height, candidate.layout);
}

QList<Candidate> rank(const QByteArray &bytes, const QList<SizeHints::Hint> &hints, bool closingZero)
{
    Collector collector(bytes, closingZero);
    for (const SizeHints::Hint &hint : hints)
        collector.add(hint.width, hint.height, hint.skip, true);
    for (const LcdSize &lcd : LcdSizes::all())
        collector.add(lcd.width, lcd.height, 0, false);
    addDividingSizes(collector, bytes.size());
    QList<Candidate> list = collector.take();
    for (Candidate &candidate : list)
        candidate.changes = pixelChanges(pictureOf(bytes, candidate));
    std::stable_sort(list.begin(), list.end(), [](const Candidate &a, const Candidate &b) {
        if (a.hinted != b.hinted)
            return a.hinted;
        return a.score() != b.score() ? a.score() < b.score() : likelierTie(a, b);
    });
    return list;
}

} // namespace LayoutGuess
