#include "TestPicture.h"

#include "logic/canvas/MonoBmpWriter.h"
#include "logic/canvas/PenStroke.h"
#include "logic/decode/PreviewImage.h"

#include <QFile>
#include <QTemporaryDir>

QImage framedPicture(int width, int height)
{
    QImage picture = PenStroke::blank(width, height);
    const QRgb black = qRgb(0, 0, 0);
    PenStroke::line(picture, QPoint(0, 0), QPoint(width - 1, 0), 1, black);
    PenStroke::line(picture, QPoint(0, 0), QPoint(0, height - 1), 1, black);
    PenStroke::line(picture, QPoint(0, height - 1), QPoint(width - 1, 0), 1, black);
    PenStroke::stamp(picture, QPoint(width / 2, height / 2), 10, black);
    return picture.convertToFormat(QImage::Format_RGB32);
}

int differingPixels(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return -1;
    int differing = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            differing += PreviewImage::isLit(a.pixel(x, y)) != PreviewImage::isLit(b.pixel(x, y));
    return differing;
}

QString writeBmp(const QTemporaryDir &dir, const QImage &picture)
{
    const QString path = dir.filePath(QStringLiteral("p%1x%2.bmp").arg(picture.width()).arg(picture.height()));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(MonoBmpWriter::encode(picture));
    return path;
}
