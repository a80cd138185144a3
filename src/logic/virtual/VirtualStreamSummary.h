#pragma once

#include "logic/virtual/ReceivedHeader.h"
#include "logic/virtual/VirtualFault.h"

#include <QList>
#include <QMetaType>

#include <optional>

// What one stream did: from its first byte to its last block or to a quiet
// second. Pauses are the quiet times before each wait character that
// follows a block, as measured at arrival; the first KeptPauses of them are
// kept, so a stream of endless tiny blocks needs no more memory.
struct VirtualStreamSummary
{
    int number = 0; // 1 for the first stream the device saw
    std::optional<ReceivedHeader> header;
    int blocks = 0;
    qsizetype bytes = 0;     // bytes received in blocks, dropped ones included
    int droppedBlocks = 0;   // left out under strict timing
    static constexpr int KeptPauses = 65536;

    QList<qint64> pausesNs;
    QList<VirtualFault> faults; // the first FaultLog::ListedFaults
    qsizetype unlistedFaults = 0;

    void addPause(qint64 ns)
    {
        if (pausesNs.size() < KeptPauses)
            pausesNs << ns;
    }
    bool isClean() const { return faults.isEmpty() && unlistedFaults == 0; }
    qint64 shortestPauseNs() const;
    qint64 medianPauseNs() const;
    // "stream 1: LCD, header 02000000a*, 120 blocks, 1920 bytes, shortest
    // pause 5.1 ms, median 5.3 ms, 0 faults"
    QString text() const;
};

Q_DECLARE_METATYPE(VirtualStreamSummary)
