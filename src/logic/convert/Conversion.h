#pragma once

#include "logic/convert/ConversionSettings.h"

#include <QByteArray>
#include <QImage>
#include <QString>

class HexGrid;

// What one "Convert" gave: the text for the output window and the matrix
// bytes it spells, with the geometry and layout that place them.
struct ConversionResult
{
    QString text;     // lower case, header and footer in place
    QByteArray bytes; // the picture's bytes only, without horizontal's closing 00
    int width = 0;
    int height = 0;
    MatrixLayout layout;
};

// "Convert" without a window: picture and settings in, the finished output
// text out (lower case, header and footer in place).
namespace Conversion {

// Packs the picture in the layout the settings give; a set bit is a black
// pixel, or a white one when the settings' lightIsSet.
ConversionResult ofPicture(const QImage &picture, const ConversionSettings &settings);
// Horizontal packing of a bitmap exactly as it was loaded: the file's own
// bytes, which may differ from the picture (the "Inverted" choice), with
// their bits mirrored for LSB at left.
ConversionResult ofLoadedBitmap(const HexGrid &grid, const ConversionSettings &settings);

QString fromPicture(const QImage &picture, const ConversionSettings &settings);
QString fromLoadedBitmap(const HexGrid &grid, const ConversionSettings &settings);

} // namespace Conversion
