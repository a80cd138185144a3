#include "logic/canvas/ImageFileDecoder.h"

#include "logic/canvas/BmpFileHeader.h"
#include "logic/canvas/PictureLimits.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QImageReader>

namespace {
using PictureLimits::LargestSide;
// The one bound on a picture's size. Qt's own allocation limit is raised
// above it (8 bytes a pixel: 16-bit colour channels), so every picture too
// large gets this program's message, never Qt's.
const qint64 LargestArea = 32LL * 1024 * 1024;
const int QtLimitMegabytes = int(LargestArea * 8 / (1024 * 1024)) + 1;

QString tr(const char *text)
{
    return QCoreApplication::translate("ImageFileDecoder", text);
}

// Decoders of some formats fill the missing part of a file that ends early
// with background and report success; the closing marker tells.
QString truncation(const QByteArray &data)
{
    if (data.startsWith("BM"))
        return BmpFileHeader::parse(data).problem(data.size());
    if (data.startsWith("GIF8") && !data.endsWith(';'))
        return tr("the GIF file is truncated (it has no trailer)");
    if (data.startsWith("\xFF\xD8")) {
        qsizetype end = data.size();
        while (end > 0 && data.at(end - 1) == '\0')
            --end;
        if (end < 4 || data.at(end - 2) != '\xFF' || data.at(end - 1) != '\xD9')
            return tr("the JPEG file is truncated (it has no end-of-image marker)");
    }
    return QString();
}

} // namespace

namespace ImageFileDecoder {

QImage decode(const QByteArray &data, QString *error)
{
    *error = truncation(data);
    if (!error->isEmpty())
        return QImage();
    QByteArray copy = data;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(true);
    reader.setAllocationLimit(QtLimitMegabytes);
    const QSize size = reader.size();
    if (size.isValid()
        && (size.width() > LargestSide || size.height() > LargestSide
            || qint64(size.width()) * size.height() > LargestArea)) {
        *error = tr("the picture is too large (%1 x %2 pixels)").arg(size.width()).arg(size.height());
        return QImage();
    }
    QImage picture;
    if (!reader.read(&picture) || picture.isNull()) {
        *error = reader.errorString();
        return QImage();
    }
    return picture;
}

} // namespace ImageFileDecoder
