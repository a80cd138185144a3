#pragma once

#include <QString>
#include <QStringList>

// How a picture of any size and colour becomes the LCD's black-and-white
// picture. The defaults are what a plain Load always did: the top-left
// corner, cut at the middle grey, nothing else.
struct ImportSettings
{
    enum class Placement { Crop, Center, Fit, Fill, Stretch };
    enum class Dither { None, FloydSteinberg, Atkinson, Bayer };

    Placement placement = Placement::Crop;
    int threshold = 128; // luminance 0..255; darker pixels are lit
    Dither dither = Dither::None;
    bool invert = false;
    int rotation = 0; // clockwise degrees: 0, 90, 180 or 270
    bool flipHorizontal = false;
    bool flipVertical = false;

    bool isDefault() const;

    // The command line's words ("crop", "fs", ...), in enum order.
    static QStringList placementNames();
    static QStringList ditherNames();
    // False when `name` is not one of the words.
    static bool placementFromName(const QString &name, Placement *placement);
    static bool ditherFromName(const QString &name, Dither *dither);
};
