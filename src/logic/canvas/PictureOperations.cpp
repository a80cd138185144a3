#include "logic/canvas/PictureOperations.h"

#include <QPainter>

namespace {
QImage rgb32(const QImage &picture)
{
    return picture.convertToFormat(QImage::Format_RGB32);
}
} // namespace

namespace PictureOperations {

QImage inverted(const QImage &picture)
{
    QImage result = rgb32(picture).copy();
    result.invertPixels();
    return result;
}

QImage flippedHorizontally(const QImage &picture)
{
    return rgb32(picture).mirrored(true, false);
}

QImage flippedVertically(const QImage &picture)
{
    return rgb32(picture).mirrored(false, true);
}

QImage rotated180(const QImage &picture)
{
    return rgb32(picture).mirrored(true, true);
}

QImage rotated90(const QImage &picture)
{
    const QImage in = rgb32(picture);
    QImage out(in.height(), in.width(), QImage::Format_RGB32);
    // The top row becomes the right-hand column.
    for (int y = 0; y < out.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            line[x] = in.pixel(y, in.height() - 1 - x);
    }
    return out;
}

QImage shifted(const QImage &picture, int dx, int dy)
{
    QImage out(picture.size(), QImage::Format_RGB32);
    out.fill(Qt::white);
    QPainter painter(&out);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(dx, dy, rgb32(picture));
    return out;
}

} // namespace PictureOperations
