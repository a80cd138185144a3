#include "logic/canvas/MonoBitmapRows.h"

namespace MonoBitmapRows {

int stride(int width)
{
    return (width + 31) / 32 * 4;
}

QByteArray fromPicture(const QImage &picture)
{
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    const int rowBytes = stride(rgb.width());
    QByteArray rows(rowBytes * rgb.height(), '\0');
    for (int y = 0; y < rgb.height(); ++y) {
        auto *out = reinterpret_cast<uchar *>(rows.data()) + (rgb.height() - 1 - y) * rowBytes;
        const auto *in = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x)
            if ((in[x] & 0xFFFFFF) != 0)
                out[x / 8] |= uchar(0x80 >> (x % 8));
    }
    return rows;
}

QImage toPicture(const QByteArray &rows, int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(Qt::white);
    const int rowBytes = stride(width);
    if (rows.size() < qint64(rowBytes) * height)
        return picture;
    for (int y = 0; y < height; ++y) {
        const auto *in = reinterpret_cast<const uchar *>(rows.constData()) + (height - 1 - y) * rowBytes;
        auto *out = reinterpret_cast<QRgb *>(picture.scanLine(y));
        for (int x = 0; x < width; ++x)
            if (!(in[x / 8] & (0x80 >> (x % 8))))
                out[x] = qRgb(0, 0, 0);
    }
    return picture;
}

void invert(QByteArray &rows)
{
    for (char &byte : rows)
        byte = char(255 - quint8(byte));
}

} // namespace MonoBitmapRows
