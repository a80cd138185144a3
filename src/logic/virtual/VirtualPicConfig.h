#pragma once

#include <QtGlobal>

// What the virtual PIC is told on its command line: the LCD behind it (the
// header's display type does not give the width), its EEPROM, and how much
// quiet it needs after each block to write it.
struct VirtualPicConfig
{
    int width = 240;
    int height = 64;
    bool horizontal = false;       // T6963C / SED1330 rows; otherwise KS0108 pages
    int eepromSize = 32 * 1024;
    qint64 needsPauseNs = 0;       // 0: judge no timing
    bool receiverFirmware = false; // judge by what firmware/ needs for each header instead
    bool strict = false;           // drop a block whose wait character came too soon
    qint64 quietNs = 1000000000;   // this long without a byte ends a stream
    // Answers the acknowledged send's request: a verdict after the header
    // and after each block, once the block's write time (the pause it needs)
    // has passed.
    bool acknowledge = false;
    qint64 blockFlushNs = 5000000; // quiet inside a block that ends it (an EEPROM stream's last block)

    // Bytes of LCD memory: pages of 8 rows, or rows of 8-pixel bytes.
    int lcdBytes() const
    {
        return horizontal ? (width + 7) / 8 * height : width * ((height + 7) / 8);
    }
};
