#pragma once

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
// the PIC does: the transfer header up to "*", then after each wait
// character one block of the header's block size in hex digits, two to a
// byte, into LCD memory (the horizontal closing byte taken and ignored) or
// into the EEPROM from the start address. An LCD stream ends when the LCD is
// full, any stream after a quiet time. It answers the EEPROM display request
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
    enum class State { Idle, AwaitWait, Block, Skipping }; // Idle: before a header (see HeaderScanner)

    void take(char c);
    void takeIdle(char c);
    void junk(qsizetype offset, const QString &message);
    void takeAwaitWait(char c);
    void takeBlock(char c);
    void skip(char c);
    void startStream(const ReceivedHeader &header);
    void beginBlock();
    void judgePause();
    void storeDigit(char c);
    void writeByte(qsizetype index, uchar value);
    void endBlock();
    void acknowledgeBlock();
    qint64 writeNs() const;
    void reportUnfinished();
    void endStream();
    void resetStream();
    void fault(qsizetype offset, const QString &message) { fault(offset, 0, message); }
    // `message` follows "block N": ": ..." or " is ...".
    void fault(qsizetype offset, int block, const QString &message);
    void tell(const std::optional<VirtualFault> &fault);
    bool isLcdFull() const;
    qsizetype lcdStreamChars() const;

    VirtualPicConfig m_config;
    VirtualMemory m_memory;
    std::optional<ReceivedHeader> m_lastHeader;
    int m_streamCount = 0;
    bool m_allClean = true;

    // The stream in progress; offsets count from its first byte.
    VirtualStreamSummary m_summary;
    FaultLog m_faults;
    State m_state = State::Idle;
    bool m_segmentActive = false;
    qsizetype m_offset = 0;     // of the byte being taken
    qsizetype m_nextOffset = 0;
    qint64 m_now = 0;
    qint64 m_lastArrivalNs = 0;
    HeaderScanner m_scanner;
    bool m_junkReported = false;
    char m_waitChar = 0;  // learnt from the first block
    int m_block = 0;
    int m_blockChars = 0;
    int m_blockLength = 0;
    qsizetype m_blockFirstByte = 0;
    bool m_blockDropped = false;
    qint64 m_lastBlockEndNs = 0;
    qsizetype m_dataChars = 0;
    int m_highNibble = -1; // -1: the pair's first digit was not hex
    bool m_eepromOverflowReported = false;
    bool m_ackRequested = false; // the request came; its header has not
    bool m_acknowledging = false;
    bool m_blockFaulted = false;
    qsizetype m_blockStartChars = 0;
};
