#include "logic/canvas/PictureSaveFormat.h"

#include "logic/canvas/MonoBmpWriter.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageWriter>

namespace PictureSaveFormat {

Target targetFor(const QString &chosenName)
{
    const QString suffix = QFileInfo(chosenName).suffix().toLower();
    if (suffix == QLatin1String("png"))
        return {chosenName, Format::Png};
    if (suffix == QLatin1String("bmp"))
        return {chosenName, Format::Bmp};
    return {chosenName + QStringLiteral(".bmp"), Format::Bmp};
}

QByteArray encode(const QImage &picture, Format format)
{
    if (format == Format::Bmp)
        return MonoBmpWriter::encode(picture);
    // Pure black stays black, every other colour is white, as in the bitmap.
    QImage mono(picture.size(), QImage::Format_Mono);
    mono.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); ++y) {
        const auto *in = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x)
            mono.setPixel(x, y, (in[x] & 0xFFFFFF) == 0 ? 0 : 1);
    }
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    return writer.write(mono) ? data : QByteArray();
}

} // namespace PictureSaveFormat
