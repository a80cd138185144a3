#pragma once

#include <QString>
#include <QStringView>

// The fields of a transfer header as the PIC reads them, from the text
// before the "*" ("02000000a": LCD type 0, buffer 0x20, address 0000,
// delay 0x0a); the one reader of what TransferHeader writes. Widths:
// target/type 1, buffer 2, address 4, then "0" and the delay's hex digits
// (1 to 4). Headers written before addresses were checked leave the address
// out when it was above 65535; then the delay has 1 or 2 digits, so the
// length alone tells whether the address is there.
struct TransferHeaderFields
{
    static constexpr int ShortestWithAddress = 9; // "02000000a"
    static constexpr int LongestWithAddress = 12; // a delay of 4096 ms and more

    bool eeprom = false;     // target "1"; otherwise the LCD
    QChar displayType;       // '0', '3' or '4' for the LCD
    int buffer = 0;          // block size in characters
    bool hasAddress = false; // an address above 65535 left the field out
    QString addressDigits;   // as written, e.g. "0400"
    int address = 0;
    int delayMs = 0;

    // "LCD, display type 0, buffer 32, address 0000, PIC delay 10 ms"
    QString words() const;
    // '1' for the EEPROM, else the display type.
    char targetCharacter() const { return eeprom ? '1' : char(displayType.toLatin1()); }

    // Reads `header` (without the "*"); on failure says why in `why`.
    static bool parse(QStringView header, TransferHeaderFields *fields, QString *why);
};
