#pragma once

#include "logic/convert/MatrixLayout.h"

#include <QString>

#include <optional>

// What "Convert" needs besides the picture: the LCD size, the packing and
// the text wrapped around the bytes. A plain value, so the window and a
// command line fill it the same way.
struct ConversionSettings
{
    int width = 240;
    int height = 64;
    bool horizontal = true; // T6963C/SED1330 rows of bytes; false: KS0108 columns
    QString header;         // before all bytes
    QString footer;         // after all bytes
    QString format;         // before every byte, e.g. "0x"
    QString delimiter;      // after every byte, e.g. ","
    bool lightIsSet = false; // light pixels are the set bits: a bitmap loaded with "Inverted" unchecked
    // Unset: the packing's usual order (LSB at top, MSB at left).
    std::optional<MatrixLayout::BitOrder> bitOrder = std::nullopt;
    MatrixLayout::Scan scan = MatrixLayout::Scan::Pages; // vertical bytes only
    int pixelsPerByte = 8;                               // horizontal bytes only

    MatrixLayout layout() const
    {
        return {horizontal, bitOrder.value_or(MatrixLayout::usualBitOrder(horizontal)),
                horizontal ? MatrixLayout::Scan::Pages : scan, horizontal ? pixelsPerByte : 8};
    }
};
