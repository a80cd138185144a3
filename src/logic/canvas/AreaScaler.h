#pragma once

#include <QImage>
#include <QRect>
#include <QSize>

// Resizes a grey picture by area averaging: each new pixel is the mean of
// the old pixels it covers, weighted by how much of each it covers. A
// photo shrunk this way keeps its average darkness, which the dithering
// after it turns into the right share of lit pixels.
namespace AreaScaler {

// The part `window` of `grey` scaled to `fullSize` (Format_Grayscale8),
// computed without building the parts outside the window.
QImage scaled(const QImage &grey, QSize fullSize, QRect window);

} // namespace AreaScaler
