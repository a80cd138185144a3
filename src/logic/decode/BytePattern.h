#pragma once

#include <QString>
#include <QStringView>

class TextWords;

// How a text writes its bytes, learned from the text itself. A byte word is
// one or more units glued together, each unit being `prefix`, two hex
// digits and `suffix` ("0x05", "05h", "05", or "0x050x06" without a
// delimiter); byte words are separated by `separator` plus any blanks,
// line breaks and comments.
//
// Prefix and suffix are the letters and digits of Format and Delimiter that
// touch the digits: Format "0x" gives prefix "0x", Format "&H" gives prefix
// "h" (the "&" is punctuation and lands in the separator), Delimiter "h,"
// gives suffix "h". The separator is the punctuation between words:
// Delimiter ", " with Format "$" gives ",$".
struct BytePattern
{
    QString prefix;
    QString suffix;
    QString separator;

    int unitLength() const { return int(prefix.size() + suffix.size()) + 2; }

    // The value of the unit at `at` in `word`, or -1 when none stands there.
    int unitAt(QStringView word, qsizetype at) const;
    // How many whole units `word` starts with.
    int leadingUnits(QStringView word) const;
    // How many whole units `word` ends with.
    int trailingUnits(QStringView word) const;
    // Text glued before or after bytes is header or footer unless it is a
    // byte gone wrong ("0g" in "01020g0405"): when it holds the prefix, has
    // a hex digit next to the bytes, or any hex digit and there is no prefix.
    bool holdsBrokenBytes(QStringView glued, bool beforeBytes) const;
    // Whether `word` is units and nothing else.
    bool isWhole(QStringView word) const;

    // The prefix and suffix that explain the most units among the text's
    // words (the shorter unit wins a tie, so "0000" is two bytes, not one
    // byte with the suffix "00"), then the commonest separator between two
    // whole byte words.
    static BytePattern learn(const TextWords &words);
};
