#pragma once

#include <QString>
#include <QStringView>

// The fields of a transfer header as the PIC reads them, from the text
// before the "*" ("02000000a": LCD type 0, buffer 0x20, address 0000,
// delay 0x0a). Widths: target/type 1, buffer 2, address 4 or none, delay 2
// or 3, so the length alone tells whether the address is there.
struct TransferHeaderFields
{
    bool eeprom = false;     // target "1"; otherwise the LCD
    QChar displayType;       // '0', '3' or '4' for the LCD
    int buffer = 0;          // block size in characters
    bool hasAddress = false; // an address above 65535 leaves the field out
    QString addressDigits;   // as written, e.g. "0400"
    int address = 0;
    int delayMs = 0;

    // "LCD, display type 0, buffer 32, address 0000, PIC delay 10 ms"
    QString words() const;

    // Reads `header` (without the "*"); on failure says why in `why`.
    static bool parse(QStringView header, TransferHeaderFields *fields, QString *why);
};
