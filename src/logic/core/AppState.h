#pragma once

#include "logic/core/HexGrid.h"
#include "logic/core/PicLink.h"

#include <QString>
#include <QtGlobal>

// The one record every handler of the main window shares. It lives as long
// as the window and is never saved; its initial values are the start-up
// state. Numbers are 16-bit like the PIC's.
struct AppState
{
    qint16 lcdWidth = 240;
    qint16 lcdHeight = 64;
    // The size option checked (0 = 240x64, 8 = a custom size): it picks the header's LCD type character.
    qint16 lcdSizeIndex = 0;
    // A custom size's type character for the header, as the user chose it.
    QChar customDisplayType = QLatin1Char('0');
    qint16 byteMatrixHorizontal = 1; // 1 horizontal (T6963C/SED1330), 0 vertical (KS0108)
    qint16 picBufferSize = PicLink::DefaultBufferSize;
    qint16 picDelayMs = PicLink::DefaultDelayMs;
    QString waitChars = PicLink::DefaultWaitChars;
    bool eepromMode = false;
    QString transferHeader;
    QString outputText;
    QString savedOutputText;
    QString reformattedText;
    // The wait character reformattedText was built with, as it stands in it:
    // Send pauses before exactly this character, whatever the box says now.
    QString reformattedWaitChar;
    HexGrid hexGrid;
    // True while the canvas shows a bitmap exactly as loaded: horizontal
    // packing then takes the file's own bytes from hexGrid.
    bool canvasShowsLoadedBitmap = false;
};
