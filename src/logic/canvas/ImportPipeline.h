#pragma once

#include "logic/canvas/ImportSettings.h"

#include <QImage>
#include <QRect>
#include <QSize>

// A picture of any size and colour on its way to the LCD: luminance, then
// invert, rotate and flip, then placement on the LCD, then black and white.
// Each step is its own function so a preview can redo only what changed.
namespace ImportPipeline {

// Rec. 601 luminance of every pixel, transparency shown over white, rounded
// half up (Format_Grayscale8): a grey of 127.5 counts as 128.
QImage luminance(const QImage &picture);

// 255 - v for every pixel.
QImage inverted(const QImage &grey);

// Rotated clockwise by `rotation` degrees (0, 90, 180, 270), then mirrored.
QImage oriented(const QImage &grey, int rotation, bool flipHorizontal, bool flipVertical);

// Where `pictureSize` lands on an LCD of `lcd` pixels and at what size; the
// rectangle may reach outside the LCD (crop, center and fill cut it off).
QRect placement(QSize pictureSize, QSize lcd, ImportSettings::Placement placement);

// The LCD-size grey picture; `covered` (if given) receives the part of the
// LCD the picture reaches, the rest is white.
QImage placed(const QImage &grey, QSize lcd, ImportSettings::Placement placement, QRect *covered = nullptr);

// All steps: the LCD's black-and-white picture (RGB32).
QImage run(const QImage &picture, QSize lcd, const ImportSettings &settings);

// The grey picture up to and including orientation, the part a preview can
// keep while the placement, threshold or dithering change.
QImage prepared(const QImage &picture, const ImportSettings &settings);
// The rest of run() on a prepared picture.
QImage finished(const QImage &prepared, QSize lcd, const ImportSettings &settings);

} // namespace ImportPipeline
