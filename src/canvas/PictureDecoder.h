#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// Decodes any picture Qt reads (BMP of every header, depth and compression,
// PNG, GIF, JPEG, ...) and turns it into the black-and-white picture of an
// LCD. Files cut short are refused rather than decoded with made-up pixels.
namespace PictureDecoder {

// The picture `data` holds, or a null image and the reason in `error`.
QImage decode(const QByteArray &data, QString *error);

// An LCD-size picture holding `picture` at its top-left: pixels of at least
// half luminance (transparency shows white) are white, darker ones black;
// the area the picture does not cover is white.
QImage thresholded(const QImage &picture, int lcdWidth, int lcdHeight);

} // namespace PictureDecoder
