#pragma once

#include "convert/ConversionSettings.h"

#include <QImage>
#include <QString>

class HexGrid;

// "Convert" without a window: picture and settings in, the finished output
// text out (lower case, header and footer in place).
namespace Conversion {

// Packs the picture vertically or horizontally as the settings say; a
// set bit is a black pixel, or a white one when the settings' lightIsSet.
QString fromPicture(const QImage &picture, const ConversionSettings &settings);

// Horizontal packing of a bitmap exactly as it was loaded: the file's own
// bytes, which may differ from the picture (the "Inverted" choice).
QString fromLoadedBitmap(const HexGrid &grid, const ConversionSettings &settings);

} // namespace Conversion
