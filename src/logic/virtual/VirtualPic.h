#pragma once

#include "logic/virtual/BlockReceiver.h"
#include "logic/virtual/FaultLog.h"
#include "logic/virtual/HeaderScanner.h"
#include "logic/virtual/ReceivedHeader.h"
#include "logic/virtual/VirtualFault.h"
#include "logic/virtual/VirtualMemory.h"
#include "logic/virtual/VirtualPicConfig.h"
#include "logic/virtual/VirtualStreamSummary.h"

#include <QByteArray>
#include <QImage>
#include <QObject>

#include <optional>

// The far end of a send: a PIC with its LCD memory and I2C EEPROM, fed the
// bytes the line delivered with the time they arrived. It reads a stream as
// the PIC does: the transfer header up to "*" (HeaderScanner), then the
// blocks (BlockReceiver). An LCD stream ends when the LCD is full, any
// stream after a quiet time. It answers the EEPROM display request
// "*22000000a" with one line (see eepromLine()) and reports everything a
// real PIC would have choked on as a fault with its byte offset (see
// FaultLog: repeats are counted, not listed again). Memory stays flat
// whatever arrives.
//
// Each LCD stream starts on a blank LCD, so its picture shows only what that
// stream wrote; the EEPROM keeps its contents (0xff when new).
class VirtualPic : public QObject
{
    Q_OBJECT
public:
    explicit VirtualPic(const VirtualPicConfig &config, QObject *parent = nullptr);

    const VirtualPicConfig &config() const { return m_config; }

    // Bytes that arrived together at `arrivalNs` (a monotonic clock).
    void receive(const QByteArray &bytes, qint64 arrivalNs);
    // Ends the stream in progress if nothing arrived for config().quietNs.
    void checkQuiet(qint64 nowNs);
    // Ends the stream in progress now (the device is stopping).
    void finishStream();

    const QByteArray &lcdMemory() const { return m_memory.lcd(); }
    const QByteArray &eeprom() const { return m_memory.eeprom(); }
    // The header of the stream in progress or of the last one.
    const std::optional<ReceivedHeader> &lastHeader() const { return m_lastHeader; }
    // What the LCD shows; after an EEPROM stream, the EEPROM from its start
    // address drawn the same way, as the PIC would later show it.
    QImage picture() const;
    bool isInStream() const { return m_segmentActive; }
    int streamCount() const { return m_streamCount; }
    bool allStreamsClean() const { return m_allClean; }

    // "EEPROM 0000: 00 11 22 ... ff" and CR LF: `count` bytes from `address`.
    static QByteArray eepromLine(const QByteArray &eeprom, int address, int count = 16)
    {
        return VirtualMemory::eepromLine(eeprom, address, count);
    }
    static constexpr int shownEepromBytes = 16;

signals:
    void streamStarted(const ReceivedHeader &header);
    // A block has been taken: its bytes [firstByte, firstByte + byteCount)
    // of the stream's data, written unless dropped.
    void blockReceived(int block, qsizetype firstByte, qsizetype byteCount, bool dropped);
    void faultFound(const VirtualFault &fault);
    void streamEnded(const VirtualStreamSummary &summary);
    // Bytes the PIC sends back on the line.
    void answer(const QByteArray &bytes);
    // The same, at `dueNs` on the arrival clock: once it has written a block.
    void answerAt(const QByteArray &bytes, qint64 dueNs);

private:
    void take(char c, qint64 arrivalNs);
    void takeIdle(char c);
    void junk(qsizetype offset, const QString &message);
    void startStream(const ReceivedHeader &header);
    void endStream();
    void resetStream();
    void fault(qsizetype offset, const QString &message) { fault(offset, 0, message); }
    // `message` follows "block N": ": ..." or " is ...".
    void fault(qsizetype offset, int block, const QString &message);
    void tell(const std::optional<VirtualFault> &fault);

    VirtualPicConfig m_config;
    VirtualMemory m_memory;
    std::optional<ReceivedHeader> m_lastHeader;
    int m_streamCount = 0;
    bool m_allClean = true;

    // The stream in progress; offsets count from its first byte.
    VirtualStreamSummary m_summary;
    FaultLog m_faults;
    bool m_segmentActive = false;
    qsizetype m_offset = 0;     // of the byte being taken
    qsizetype m_nextOffset = 0;
    qint64 m_lastArrivalNs = 0;
    HeaderScanner m_scanner;
    BlockReceiver m_blocks; // after the header
    bool m_junkReported = false;
    bool m_ackRequested = false; // the request came; its header has not
};
