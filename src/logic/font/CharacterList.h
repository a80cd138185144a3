#pragma once

#include <QList>
#include <QString>

// Which characters a font holds, as a user writes them: "32-126",
// "0x20-0x7e,0xb0,°", "U+2190-U+2193", "latin1". Numbers are decimal, 0x or
// U+ hexadecimal; any other single character stands for itself (a comma as
// "0x2c", a digit by its code).
namespace CharacterList {

constexpr char32_t LastCodePoint = 0x10FFFF;
constexpr int MostCharacters = 65536;

// Sorted, each code once. False with a reason naming the item.
bool parse(const QString &list, QList<char32_t> *codes, QString *reason);
// Every character of `text` except line breaks, sorted, each once.
QList<char32_t> ofText(const QString &text);
// "0x20-0x7e, 0xb0": the codes back in the list's own spelling.
QString describe(const QList<char32_t> &codes);
// "U+00B0 '°'", for messages.
QString name(char32_t code);

} // namespace CharacterList
