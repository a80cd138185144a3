#pragma once

#include <QSize>

// What an undo step gives back besides the pixels: the LCD size shown and
// what a Load set for the picture.
struct CanvasState
{
    QSize lcdSize;
    int sizeIndex = 0;       // the size option, LcdSizes::CustomIndex for a custom size
    bool lightIsSet = false; // the picture's polarity: light pixels are the set bits
    bool sizesLocked = false;
    bool invertedEnabled = true;

    bool operator==(const CanvasState &other) const
    {
        return lcdSize == other.lcdSize && sizeIndex == other.sizeIndex && lightIsSet == other.lightIsSet
            && sizesLocked == other.sizesLocked && invertedEnabled == other.invertedEnabled;
    }
    bool operator!=(const CanvasState &other) const { return !(*this == other); }
};
