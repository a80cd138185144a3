#pragma once

#include <QStringView>

#include <optional>

// The value of one number or character as C, C++ and assemblers write it:
// 31, 0x1f, 037, 0b11111, 1'000 (C++), 0x1fu; $1f, 1fh, 0ffh, 11111b,
// %11111, &h1f, H'1f', B'11111', D'31', O'37', A'c'; 'c', '\x1f', '\037',
// '\n'; and Arduino's B11111.
namespace SourceLiteral {

// Nothing when the text is no number of any of these forms.
std::optional<qint64> number(QStringView text);
// A quoted character, quotes included; nothing for more than one.
std::optional<qint64> character(QStringView text);
// The characters of a quoted string, escapes resolved (Latin-1).
QByteArray string(QStringView text);
// Arduino's binary names B0 .. B11111111.
std::optional<qint64> arduinoBinary(QStringView text);
// Exactly two hex digits and nothing else ("c0", "05"): a byte as the output
// text writes it without a format.
bool isBareHexPair(QStringView text);

} // namespace SourceLiteral
