#pragma once

#include "logic/convert/MatrixLayout.h"

#include <QString>

// What "Convert" needs besides the picture: the LCD size, the packing and
// the text wrapped around the bytes. A plain value, so the window and a
// command line fill it the same way.
struct ConversionSettings
{
    int width = 240;
    int height = 64;
    // T6963C/SED1330 rows of bytes, MSB at left; usual(false): KS0108 columns.
    MatrixLayout layout = MatrixLayout::usual(true);
    QString header;         // before all bytes
    QString footer;         // after all bytes
    QString format;         // before every byte, e.g. "0x"
    QString delimiter;      // after every byte, e.g. ","
    bool lightIsSet = false; // light pixels are the set bits: a bitmap loaded with "Inverted" unchecked
};
