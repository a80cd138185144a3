#pragma once

#include "logic/decode/DecodeError.h"
#include "logic/convert/TransferHeaderFields.h"

#include <QString>
#include <QStringView>

// Takes a send stream apart: the transfer header up to the "*", then
// blocks of the header's buffer size, each led by the wait characters.
//
// The wait characters are not in the header; they are found as the
// shortest run of characters (no hex digits, no blanks, at most
// LongestWait) that stands after the "*" and again before every block.
// When no such run fits, the stream has none.
namespace SendStreamDecoder {

constexpr int LongestWait = 16;

struct Result
{
    TransferHeaderFields header;
    QString waitChars;
    QString data;      // the blocks joined: the text Convert wrote
    DecodeError error; // a broken header

    bool ok() const { return !error.isSet(); }
    // Where the data's character `dataPosition` stands in the stream.
    qsizetype streamPosition(qsizetype dataPosition) const;

    qsizetype dataStart = 0; // just after the wait characters of the first block
    int blockSize = 0;       // 0: one block
};

Result split(QStringView stream);

// Whether the text starts with something shaped like a transfer header
// ("02000000a*"), after blanks.
bool looksLikeStream(QStringView text);

} // namespace SendStreamDecoder
