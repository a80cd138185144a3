#pragma once

#include "logic/virtual/ReceivedHeader.h"
#include "logic/virtual/VirtualPicConfig.h"

#include <QByteArray>
#include <QImage>

// The PIC's two memories: the LCD's (blank at each LCD stream) and the I2C
// EEPROM's (0xff when new, kept between streams).
class VirtualMemory
{
public:
    explicit VirtualMemory(const VirtualPicConfig &config);

    const QByteArray &lcd() const { return m_lcd; }
    const QByteArray &eeprom() const { return m_eeprom; }

    void clearLcd() { m_lcd.fill('\0'); }
    // The horizontal closing byte lies beyond the LCD: taken, not shown.
    void writeLcd(qsizetype index, uchar value);
    // False when `address` is beyond the EEPROM.
    bool writeEeprom(qsizetype address, uchar value);

    // What the LCD shows; after an EEPROM stream (`header`), the EEPROM from
    // its start address drawn the same way.
    QImage picture(const ReceivedHeader *header) const;

    // "EEPROM 0000: 00 11 22 ... ff" and CR LF: `count` bytes from `address`.
    static QByteArray eepromLine(const QByteArray &eeprom, int address, int count);

private:
    VirtualPicConfig m_config;
    QByteArray m_lcd;
    QByteArray m_eeprom;
};
