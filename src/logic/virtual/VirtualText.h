#pragma once

#include <QString>

// How the virtual PIC reads characters and names them in its faults.
namespace VirtualText {

inline int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

inline bool isHex(char c)
{
    return hexValue(c) >= 0;
}

// A character as a fault message shows it: "x", or 0x0d when unprintable.
inline QString shown(char c)
{
    const auto u = static_cast<unsigned char>(c);
    if (u >= 0x20 && u < 0x7f)
        return QStringLiteral("\"%1\"").arg(QLatin1Char(c));
    return QStringLiteral("0x%1").arg(u, 2, 16, QLatin1Char('0'));
}

} // namespace VirtualText
