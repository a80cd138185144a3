#pragma once

#include "logic/decode/DecodeError.h"

#include <QByteArray>
#include <QStringView>

// The bytes a hexadecimal text holds, as Convert writes it and as C source
// keeps it: "0x05, 0xff", "$05,$ff", "&h05", "05ff00", "05h,ffh", one line
// or many, upper or lower case, with a header and a footer around the bytes.
//
// How a byte is told from header text that only looks like one ("c", "a",
// "de" in `const unsigned char face[] = {`):
// 1. C comments count as blanks. The text is cut into words (letters,
//    digits, '_') and separators (everything else; blanks and line breaks
//    inside a separator do not matter).
// 2. The way bytes are written is learned from the words: the prefix and
//    suffix around the two digits that explain the most bytes ("0x" in
//    "0x05"; none in "05"; units may be glued, "0x050x06"), and the
//    commonest separator between two words of one byte each ("," for ", "
//    and ",\n"; none when the bytes are glued into long words).
// 3. A run is a series of byte words joined by that separator. The bytes
//    run from the first to the last run of at least MinimumRun bytes and at
//    least 1/LongestRunShare of the longest run (or the longest run when
//    none is that long). Before them is header, after them footer: "face"
//    and "1024" in `char face[1024] = {` form runs of two bytes that a "["
//    or "] = {" cuts off from the bytes.
// 4. Between the first and the last byte every word must be bytes and every
//    separator the learned one; the first that is not is refused with its
//    place and text, and the bytes read before it are kept. A word just
//    before or after the bytes, joined to them by the separator and starting
//    like a byte (the prefix, or a hex digit when there is no prefix but a
//    separator), is read too, so a broken first or last byte is refused
//    rather than taken for header or footer.
// 5. A bare "00" right after the last byte (Convert closes horizontal rows
//    with it, after the delimiter but without the format) is read as one
//    more byte, and so is a last byte without the delimiter's letters
//    ("05h,ff": Convert cuts the last delimiter whole).
// Formats and delimiters this cannot read: a Format of hex digits only
// ("ab05" is two bytes), letters after the punctuation of a Delimiter
// (", h") or before the punctuation of a Format ("h'"); they would be taken
// for bytes or break the words apart.
// Text glued to the bytes without a separator is header or footer only
// when it cannot be part of a byte: "logo0x05" is read, "code0500" and
// "0500f" are refused ("co", "f"), since a hex digit next to bytes is more
// likely a typo than a header. A header separated from the
// bytes exactly like the bytes are ("db 05 00" with the delimiter " ")
// cannot be told from them; Convert's own headers such as "{" or "= {" are
// always told apart.
namespace HexTextDecoder {

constexpr int MinimumRun = 8;
constexpr int LongestRunShare = 8;

struct Result
{
    QByteArray bytes;  // on error, the bytes before the bad token
    DecodeError error; // isSet() when a token could not be read
    qsizetype bodyStart = 0; // where the bytes start in the text
    qsizetype bodyEnd = 0;   // just after the last byte

    bool ok() const { return !error.isSet(); }
};

Result decode(QStringView text);

} // namespace HexTextDecoder
