#include "logic/canvas/FloodFill.h"

#include <QVector>

namespace FloodFill {

QRect fill(QImage &image, QPoint seed, QRgb colour)
{
    if (!image.valid(seed) || image.depth() != 32)
        return QRect();
    const QRgb target = image.pixel(seed) & 0xFFFFFF;
    if (target == (colour & 0xFFFFFF))
        return QRect();
    const auto row = [&image](int y) { return reinterpret_cast<QRgb *>(image.scanLine(y)); };
    const auto matches = [target](QRgb pixel) { return (pixel & 0xFFFFFF) == target; };
    QRect changed;
    QVector<QPoint> pending = {seed};
    while (!pending.isEmpty()) {
        const QPoint start = pending.takeLast();
        QRgb *line = row(start.y());
        if (!matches(line[start.x()]))
            continue;
        int left = start.x(), right = start.x();
        while (left > 0 && matches(line[left - 1]))
            --left;
        while (right < image.width() - 1 && matches(line[right + 1]))
            ++right;
        for (int x = left; x <= right; ++x)
            line[x] = colour;
        changed |= QRect(left, start.y(), right - left + 1, 1);
        // One seed for each run of matching pixels above and below the span.
        for (int y : {start.y() - 1, start.y() + 1}) {
            if (y < 0 || y >= image.height())
                continue;
            const QRgb *next = row(y);
            for (int x = left; x <= right; ++x)
                if (matches(next[x]) && (x == left || !matches(next[x - 1])))
                    pending << QPoint(x, y);
        }
    }
    return changed;
}

} // namespace FloodFill
