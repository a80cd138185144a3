#pragma once

#include "logic/canvas/ImportSettings.h"

#include <QImage>
#include <QRect>

// Turns a grey picture into black and white. Without dithering a pixel is
// black when its luminance is below the threshold; the dithering methods
// spread each pixel's rounding error (Floyd-Steinberg, Atkinson) or compare
// against a 4x4 Bayer pattern, so a grey area becomes a matching share of
// black dots. The threshold shifts all three methods alike.
namespace Dithering {

// An RGB32 picture of `grey`'s size, pure black and white; pixels outside
// `area` are white and take no error.
QImage quantised(const QImage &grey, QRect area, int threshold, ImportSettings::Dither method);

} // namespace Dithering
