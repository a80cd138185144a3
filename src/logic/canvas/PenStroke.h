#pragma once

#include <QImage>
#include <QList>
#include <QPoint>

// Pixel-exact pen operations on a black-and-white picture: no antialiasing,
// so every pixel stays pure black or pure white.
namespace PenStroke {

// The pen widths "Pen Size" offers, in pixels.
inline const QList<int> Widths = {1, 2, 3, 4, 5, 10};

// The square dot a pen of `width` leaves, centred on `centre` (clipped).
void stamp(QImage &image, QPoint centre, int width, QRgb colour);

// Every dot from `from` to `to` by integer line stepping, so a fast
// mouse stroke leaves no gaps.
void line(QImage &image, QPoint from, QPoint to, int width, QRgb colour);

// A white picture of the new size holding the old one anchored top-left.
QImage resizedAnchored(const QImage &image, int width, int height);

QImage blank(int width, int height);

} // namespace PenStroke
