#pragma once

#include <QSize>

// What an undo step gives back besides the pixels: the LCD size shown and
// the locks a Load set.
struct CanvasState
{
    QSize lcdSize;
    int sizeIndex = 0;       // the size option, LcdSizes::CustomIndex for a custom size
    bool sizesLocked = false;
    bool invertedEnabled = true;

    bool operator==(const CanvasState &other) const
    {
        return lcdSize == other.lcdSize && sizeIndex == other.sizeIndex && sizesLocked == other.sizesLocked && invertedEnabled == other.invertedEnabled;
    }
    bool operator!=(const CanvasState &other) const { return !(*this == other); }
};
