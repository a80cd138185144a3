#include "logic/canvas/AreaScaler.h"

#include <QVector>

namespace {

// The source pixels behind one new pixel and how much of each it covers,
// in units of 1/`target` of a source pixel; the weights add up to `source`.
struct Taps
{
    int first = 0;
    QVector<int> weights;
};

QVector<Taps> tapsFor(int source, int target, int windowStart, int windowLength)
{
    QVector<Taps> all(windowLength);
    for (int i = 0; i < windowLength; ++i) {
        const qint64 begin = qint64(windowStart + i) * source, end = begin + source;
        Taps &taps = all[i];
        taps.first = int(begin / target);
        const int last = int((end - 1) / target);
        for (int s = taps.first; s <= last; ++s)
            taps.weights << int(qMin(end, qint64(s + 1) * target) - qMax(begin, qint64(s) * target));
    }
    return all;
}

} // namespace

namespace AreaScaler {

QImage scaled(const QImage &grey, QSize fullSize, QRect window)
{
    const QImage in = grey.format() == QImage::Format_Grayscale8 ? grey
                                                                   : grey.convertToFormat(QImage::Format_Grayscale8);
    QImage out(window.size(), QImage::Format_Grayscale8);
    if (in.isNull() || out.isNull() || fullSize.isEmpty())
        return out;
    const QVector<Taps> across = tapsFor(in.width(), fullSize.width(), window.x(), window.width());
    const QVector<Taps> down = tapsFor(in.height(), fullSize.height(), window.y(), window.height());
    // Rows first, only the source rows the window needs, kept as exact sums.
    const int firstRow = down.first().first;
    const int lastRow = down.last().first + int(down.last().weights.size()) - 1;
    QVector<qint64> rowSums(qsizetype(lastRow - firstRow + 1) * window.width());
    for (int y = firstRow; y <= lastRow; ++y) {
        const uchar *line = in.constScanLine(y);
        qint64 *sums = rowSums.data() + qsizetype(y - firstRow) * window.width();
        for (int x = 0; x < window.width(); ++x) {
            const Taps &taps = across.at(x);
            qint64 sum = 0;
            for (int k = 0; k < taps.weights.size(); ++k)
                sum += qint64(taps.weights.at(k)) * line[taps.first + k];
            sums[x] = sum;
        }
    }
    const qint64 divisor = qint64(in.width()) * in.height();
    for (int y = 0; y < window.height(); ++y) {
        const Taps &taps = down.at(y);
        uchar *line = out.scanLine(y);
        for (int x = 0; x < window.width(); ++x) {
            qint64 sum = 0;
            for (int k = 0; k < taps.weights.size(); ++k)
                sum += taps.weights.at(k) * rowSums.at(qsizetype(taps.first + k - firstRow) * window.width() + x);
            line[x] = uchar((sum + divisor / 2) / divisor);
        }
    }
    return out;
}

} // namespace AreaScaler
