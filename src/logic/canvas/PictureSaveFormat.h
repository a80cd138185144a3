#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// A saved picture is what its name says: "x.bmp" a one-bit Windows bitmap,
// "x.png" a one-bit PNG; any other name gets ".bmp" added.
namespace PictureSaveFormat {

enum class Format { Bmp, Png };

struct Target
{
    QString path;
    Format format = Format::Bmp;
};

Target targetFor(const QString &chosenName);
QByteArray encode(const QImage &picture, Format format);

} // namespace PictureSaveFormat
