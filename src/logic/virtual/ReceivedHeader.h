#pragma once

#include <QByteArray>
#include <QMetaType>
#include <QString>

#include <optional>

// The transfer header as the PIC reads it: hex digits up to "*", read by
// TransferHeaderFields with the address required, as the firmware takes it.
// "02000000a*": LCD type 0, blocks of 32, address 0, 10 ms.
struct ReceivedHeader
{
    QByteArray text;     // as received, "*" included
    char type = '0';     // '1' EEPROM; '0', '3', '4' LCD types
    int blockChars = 0;  // characters after each wait character
    int address = 0;     // EEPROM start address
    int delayMs = 0;

    bool isEeprom() const { return type == '1'; }

    // `digits` is what came before "*". Nullopt with the reason otherwise.
    static std::optional<ReceivedHeader> parse(const QByteArray &digits, QString *why);
};

Q_DECLARE_METATYPE(ReceivedHeader)
