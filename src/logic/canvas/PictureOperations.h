#pragma once

#include <QImage>

// Whole-picture changes of a black-and-white picture, pixel-exact: each
// returns a new RGB32 picture and leaves its argument as it was.
namespace PictureOperations {

QImage inverted(const QImage &picture);
QImage flippedHorizontally(const QImage &picture);
QImage flippedVertically(const QImage &picture);
QImage rotated180(const QImage &picture);
// A quarter turn clockwise: width and height trade places.
QImage rotated90(const QImage &picture);
// Moved by (dx, dy) pixels; what moves out is gone, white moves in.
QImage shifted(const QImage &picture, int dx, int dy);

} // namespace PictureOperations
