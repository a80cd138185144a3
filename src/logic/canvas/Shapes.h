#pragma once

#include <QImage>
#include <QPoint>

// Rectangles and ellipses in exact black-and-white pixels, by integer
// stepping only, between two corner points in either order. Outlines use
// the pen's square dot; filled shapes ignore the pen width. Points outside
// the picture are clipped.
namespace Shapes {

void rectangle(QImage &image, QPoint corner, QPoint opposite, int penWidth, QRgb colour, bool filled);

// The ellipse inside the box from `corner` to `opposite` (both included),
// touching each of its four sides.
void ellipse(QImage &image, QPoint corner, QPoint opposite, int penWidth, QRgb colour, bool filled);

} // namespace Shapes
