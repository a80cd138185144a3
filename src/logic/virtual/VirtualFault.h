#pragma once

#include <QMetaType>
#include <QString>

// Something a real PIC would have choked on, at the byte of the stream
// (counted from the stream's first byte, 0-based) where it showed. The same
// fault found again and again in a row (the same block or the next) is one
// fault with a count: its first and last byte and block.
struct VirtualFault
{
    qsizetype offset = 0;
    QString message; // after "block N" when there is a block, e.g. ": 0x00 is not a hex digit"
    int block = 0;   // 0: the fault belongs to no block
    qsizetype lastOffset = -1; // -1: found once
    int lastBlock = 0;
    qsizetype count = 1;

    // "byte 13: block 1: "g" is not a hex digit"; repeated: "byte 11 to 40
    // (30 times): block 2 to 31: wait character after only 0 of 32 characters"
    QString text() const
    {
        QString where = QStringLiteral("byte %1").arg(offset);
        if (count > 1)
            where += QStringLiteral(" to %1 (%2 times)").arg(lastOffset).arg(count);
        if (block == 0)
            return where + QStringLiteral(": ") + message;
        where += QStringLiteral(": block %1").arg(block);
        if (lastBlock > block)
            where += QStringLiteral(" to %1").arg(lastBlock);
        return where + message;
    }
};

Q_DECLARE_METATYPE(VirtualFault)
