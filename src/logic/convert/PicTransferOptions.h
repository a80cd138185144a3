#pragma once

#include "logic/core/PicLink.h"

#include <QChar>
#include <QString>
#include <QtGlobal>

// What the PIC must know before the picture's bytes arrive. Numbers are
// 16-bit like the window's state record.
struct PicTransferOptions
{
    bool eepromMode = false; // write to the I2C EEPROM instead of the LCD
    qint16 lcdSizeIndex = 2; // picks the LCD type character
    qint16 picBufferSize = PicLink::DefaultBufferSize;
    qint16 picDelayMs = PicLink::DefaultDelayMs;
    QString eepromText = QStringLiteral("00000"); // start address as typed, decimal
    QChar displayType = QChar(); // a custom size's type character as the user chose it; null: by lcdSizeIndex
};
