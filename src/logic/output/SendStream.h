#pragma once

#include <QString>

// The text that goes to the PIC: the transfer header, then the picture's
// hexadecimal text cut into blocks the size of the PIC's receive buffer,
// each block preceded by the wait characters. The PIC writes a block to the
// LCD during the pause the sender makes before each wait character.
namespace SendStream {

// The output window's text as it is reformatted: surrounding white space
// removed, lower case.
QString outputTextFrom(const QString &windowText);

// Appends the blocks of `outputText` to `existing` (each block of
// `blockSize` characters, the last one shorter, preceded by `waitChars`),
// puts `header` in front and lower-cases the whole. Every character of
// `outputText` ends up in exactly one block; a blockSize below 1 makes the
// whole text one block.
QString reformat(const QString &existing, const QString &header, const QString &waitChars,
                 const QString &outputText, int blockSize);

// Why `waitChars` cannot mark the blocks of a stream, or "" when it can:
// the PIC needs exactly one character that no byte's hex digits contain.
QString waitCharProblem(const QString &waitChars);

// Why `outputText` (as outputTextFrom gives it) cannot be sent as a
// picture, naming its first character that is not a hex digit; "" when
// every character is one.
QString hexTextProblem(const QString &outputText);

} // namespace SendStream
