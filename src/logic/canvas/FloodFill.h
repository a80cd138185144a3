#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>

// Fills the area of one colour around a seed, across edges only (a
// diagonal gap of one pixel holds the fill), row span by row span.
namespace FloodFill {

// Returns the rectangle of pixels changed; empty when the seed is outside
// the picture or already has `colour`.
QRect fill(QImage &image, QPoint seed, QRgb colour);

} // namespace FloodFill
