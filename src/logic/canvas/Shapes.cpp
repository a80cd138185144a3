#include "logic/canvas/Shapes.h"

#include "logic/canvas/PenStroke.h"

#include <QRect>
#include <cmath>

namespace {

struct Span
{
    int left = 1;
    int right = 0; // empty while right < left
    bool isEmpty() const { return right < left; }
};

QRect boxOf(QPoint a, QPoint b)
{
    return QRect(QPoint(qMin(a.x(), b.x()), qMin(a.y(), b.y())), QPoint(qMax(a.x(), b.x()), qMax(a.y(), b.y())));
}

// The pixels of row `y` inside the ellipse that touches the box's four
// outer pixel edges, in whole numbers: with doubled coordinates the centre
// (cx, cy) and the diameters (w, h) are integers, and a pixel centre
// (x, y) is inside when (2x - cx)^2 h^2 + (2y - cy)^2 w^2 <= w^2 h^2.
Span spanOf(const QRect &box, int y)
{
    Span span;
    if (y < box.top() || y > box.bottom())
        return span;
    const qint64 cx = box.left() + box.right(), cy = box.top() + box.bottom();
    const qint64 w = box.width(), h = box.height();
    const qint64 dy = 2 * y - cy;
    const qint64 room = w * w * (h * h - dy * dy); // (2x - cx)^2 h^2 must not exceed it
    qint64 reach = qint64(std::sqrt(double(room) / double(h * h)));
    while (reach > 0 && reach * reach * h * h > room)
        --reach;
    while ((reach + 1) * (reach + 1) * h * h <= room)
        ++reach;
    // 2x from cx - reach to cx + reach, rounded inwards.
    span.left = int((cx - reach + 1) >> 1);
    span.right = int((cx + reach) >> 1);
    return span;
}

void fillSpan(QImage &image, int left, int right, int y, QRgb colour)
{
    if (y < 0 || y >= image.height())
        return;
    left = qMax(left, 0);
    right = qMin(right, image.width() - 1);
    auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
    for (int x = left; x <= right; ++x)
        row[x] = colour;
}

void stampSpan(QImage &image, int left, int right, int y, int penWidth, QRgb colour)
{
    for (int x = left; x <= right; ++x)
        PenStroke::stamp(image, QPoint(x, y), penWidth, colour);
}

} // namespace

namespace Shapes {

void rectangle(QImage &image, QPoint corner, QPoint opposite, int penWidth, QRgb colour, bool filled)
{
    const QRect box = boxOf(corner, opposite);
    if (filled) {
        for (int y = box.top(); y <= box.bottom(); ++y)
            fillSpan(image, box.left(), box.right(), y, colour);
        return;
    }
    PenStroke::line(image, box.topLeft(), box.topRight(), penWidth, colour);
    PenStroke::line(image, box.topRight(), box.bottomRight(), penWidth, colour);
    PenStroke::line(image, box.bottomRight(), box.bottomLeft(), penWidth, colour);
    PenStroke::line(image, box.bottomLeft(), box.topLeft(), penWidth, colour);
}

void ellipse(QImage &image, QPoint corner, QPoint opposite, int penWidth, QRgb colour, bool filled)
{
    const QRect box = boxOf(corner, opposite);
    // Rows outside the picture draw nothing, but their neighbours' outline depends on them.
    const int top = qMax(box.top(), -1), bottom = qMin(box.bottom(), image.height());
    for (int y = top; y <= bottom; ++y) {
        const Span span = spanOf(box, y);
        if (filled) {
            fillSpan(image, span.left, span.right, y, colour);
            continue;
        }
        // The outline: the row's pixels not surrounded by the rows above and below.
        const Span above = spanOf(box, y - 1), below = spanOf(box, y + 1);
        const int innerLeft = qMax(qMax(above.left, below.left), span.left + 1);
        const int innerRight = qMin(qMin(above.right, below.right), span.right - 1);
        if (above.isEmpty() || below.isEmpty() || innerRight < innerLeft) {
            stampSpan(image, span.left, span.right, y, penWidth, colour);
            continue;
        }
        stampSpan(image, span.left, innerLeft - 1, y, penWidth, colour);
        stampSpan(image, innerRight + 1, span.right, y, penWidth, colour);
    }
}

} // namespace Shapes
