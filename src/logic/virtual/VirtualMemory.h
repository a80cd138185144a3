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
    // Byte `index` of a stream's data: into the LCD, or into the EEPROM from
    // the header's address. False when it falls beyond the EEPROM; the
    // horizontal closing byte lies beyond the LCD: taken, not shown.
    bool write(const ReceivedHeader &header, qsizetype index, uchar value);
    // Hex digits of a whole LCD stream, the horizontal closing byte's included.
    qsizetype lcdStreamChars() const { return 2 * (m_lcd.size() + (m_config.horizontal ? 1 : 0)); }

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
