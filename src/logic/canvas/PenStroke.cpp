#include "logic/canvas/PenStroke.h"

#include <QPainter>
#include <cstdlib>

namespace PenStroke {

void stamp(QImage &image, QPoint centre, int width, QRgb colour)
{
    const int size = qMax(1, width);
    const int left = centre.x() - (size - 1) / 2;
    const int top = centre.y() - (size - 1) / 2;
    const QRect dot = QRect(left, top, size, size).intersected(image.rect());
    for (int y = dot.top(); y <= dot.bottom(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = dot.left(); x <= dot.right(); ++x)
            row[x] = colour;
    }
}

void line(QImage &image, QPoint from, QPoint to, int width, QRgb colour)
{
    // Bresenham: one dot per step along the major axis.
    int x = from.x(), y = from.y();
    const int dx = std::abs(to.x() - x), dy = -std::abs(to.y() - y);
    const int sx = x < to.x() ? 1 : -1, sy = y < to.y() ? 1 : -1;
    int error = dx + dy;
    for (;;) {
        stamp(image, QPoint(x, y), width, colour);
        if (x == to.x() && y == to.y())
            break;
        const int doubled = 2 * error;
        if (doubled >= dy) {
            error += dy;
            x += sx;
        }
        if (doubled <= dx) {
            error += dx;
            y += sy;
        }
    }
}

QImage blank(int width, int height)
{
    QImage image(qMax(1, width), qMax(1, height), QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

QImage resizedAnchored(const QImage &image, int width, int height)
{
    QImage result = blank(width, height);
    QPainter painter(&result);
    painter.drawImage(0, 0, image);
    return result;
}

} // namespace PenStroke
