#pragma once

#include <QImage>
#include <QRgb>

// The decoded picture in LCD colours, one image pixel per LCD pixel, with
// the pixels that differ from a reference picture (the canvas) marked.
// Lit means pure black (RGB 0), as in the conversion.
namespace PreviewImage {

struct Colours
{
    QRgb lit;
    QRgb unlit;
    QRgb markedLit;   // lit here, not on the reference
    QRgb markedUnlit; // lit on the reference only
};

struct Result
{
    QImage image;       // RGB32, the picture's size
    int differing = -1; // -1: no reference of the same size to compare with
};

Result compose(const QImage &picture, const QImage &reference, const Colours &colours);

bool isLit(QRgb pixel);

} // namespace PreviewImage
