#pragma once

#include <QString>

// Characters go to the PIC as single bytes, Latin-1. A character outside
// Latin-1 has no byte: it is refused before anything is sent.
namespace Latin1Text {

// Index of the first character outside Latin-1, -1 when there is none. A
// character written as a surrogate pair is reported at its first half.
qsizetype firstOutside(const QString &text);

// Names the character at `index`: "€" (U+20AC) at position 3.
QString describe(const QString &text, qsizetype index);

// The message refusing to send `text` because of the character at `index`.
QString sendRefusal(const QString &text, qsizetype index);

} // namespace Latin1Text
