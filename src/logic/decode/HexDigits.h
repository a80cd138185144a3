#pragma once

#include <QChar>

// Hex digits of lower-cased text.
namespace HexDigits {

inline bool isHex(QChar c)
{
    const ushort u = c.unicode();
    return (u >= '0' && u <= '9') || (u >= 'a' && u <= 'f');
}

// The digit's value; only for isHex() characters.
inline int value(QChar c)
{
    const ushort u = c.unicode();
    return u <= '9' ? u - '0' : u - 'a' + 10;
}

} // namespace HexDigits
