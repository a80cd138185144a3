#pragma once

#include "logic/core/SettingKey.h"

#include <QList>

// Every value the window keeps between runs, declared once: its key, what
// it holds, its range and its first-start value. Values are stored as
// values ("32", "240x64", "rts-cts"), never as the row of a list; keys of
// older files are read once and the next save writes the new ones.
struct SettingsSchema
{
    // Frame "Graphic"
    SettingKey lcdSize;      // a size's caption ("240x64") or "custom"
    SettingKey customWidth;  // a custom size's sides
    SettingKey customHeight;
    SettingKey displayType;  // the type character a custom size tells the PIC
    SettingKey penWidth;     // pixels
    SettingKey inverted;
    SettingKey zoom;         // 0: Fit
    SettingKey fontFamily;
    SettingKey fontSize;     // points
    // Frames "Output Format" and "Byte Matrix"
    SettingKey header;
    SettingKey footer;
    SettingKey delimiter;
    SettingKey prefix;
    SettingKey packing;
    SettingKey profile;
    SettingKey bitOrder;
    SettingKey scan;
    // Frames "I/O" and "I2C Eeprom"
    SettingKey waitChars;
    SettingKey picBuffer;    // bytes a block
    SettingKey picDelay;     // milliseconds
    SettingKey eepromTarget;
    SettingKey startAddress;
    SettingKey transmitDelay;
    SettingKey waitForPic;   // acknowledged sends
    // The serial port
    SettingKey comPort;
    SettingKey lineSettings; // "19200,n,8,1", any the port takes
    SettingKey handshake;    // one the port applied; none until the user applies one
    SettingKey outBuffer;
    // The window
    SettingKey windowGeometry; // "x,y,width,height" of the normal (not maximised) window
    SettingKey windowMaximized;

    static const SettingsSchema &keys();
    QList<const SettingKey *> all() const;
    // The handshake names in the order of CommPort::Handshake.
    static QStringList handshakeNames();
};
