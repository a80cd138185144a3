#pragma once

#include "logic/convert/PicTransferOptions.h"

#include <QCoreApplication>
#include <QString>

#include <optional>

// The command string sent ahead of the picture: target and LCD type, buffer
// size, EEPROM start address, delay, "*". Hex digits are upper case.
// Example: LCD 240x64, buffer 32, address 0, 10 ms gives "02000000A*".
class TransferHeader
{
    Q_DECLARE_TR_FUNCTIONS(TransferHeader)
public:
    static constexpr int MaxAddress = 65535; // four hex digits

    static TransferHeader build(const PicTransferOptions &settings);

    // The EEPROM start address as typed (decimal, blanks around allowed);
    // nothing, with the reason in *error, unless it is a whole number from 0
    // to MaxAddress.
    static std::optional<int> parseAddress(const QString &typed, QString *error = nullptr);

    // "1" for the EEPROM; otherwise by LCD size index, empty outside 0..7.
    static QString typeCharacter(int lcdSizeIndex);

    bool isValid() const { return m_error.isEmpty(); }
    // The whole header; after an error, the fields built before it.
    const QString &text() const { return m_text; }
    // Why the header could not be built, e.g. an address out of range.
    const QString &error() const { return m_error; }

private:
    bool appendAddress(const QString &typed);

    QString m_text;
    QString m_error;
};
