#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <functional>

struct VirtualPicConfig;
struct VirtualStreamSummary;
class VirtualMemory;

// The part of a stream after its transfer header, read as the PIC reads it:
// after each wait character one block of the header's block size in hex
// digits, two to a byte, into LCD memory (the horizontal closing byte taken
// and ignored) or into the EEPROM from the start address. It judges the
// pause before each block against the time the last one needs to be
// written, counts blocks, bytes and pauses into the stream's summary, and
// when the sender asked for it answers each block once it is written.
class BlockReceiver : public QObject
{
    Q_OBJECT
public:
    // `message` follows "block N": ": ..." or " is ..."; block 0 names none.
    using Report = std::function<void(qsizetype offset, int block, const QString &message)>;

    // The summary's header is the stream's; all four outlive the receiver.
    BlockReceiver(const VirtualPicConfig &config, VirtualMemory &memory, VirtualStreamSummary &summary,
                  Report fault);

    // The header has been read; `acknowledging`: answer each block.
    void start(bool acknowledging);
    bool isReading() const { return m_state != State::Idle; }
    // One character at `offset` in the stream, arrived at `nowNs`.
    void take(char c, qsizetype offset, qint64 nowNs);
    // Nothing else tells an acknowledging PIC that an EEPROM stream's last,
    // shorter block is complete: a quiet time does.
    void flushQuiet(qint64 nowNs, qint64 lastArrivalNs);
    bool isLcdFull() const;
    // The stream ends at `endOffset`: what is missing is a fault.
    void finish(qsizetype endOffset);
    void reset();

signals:
    // A block has been taken: its bytes [firstByte, firstByte + byteCount)
    // of the stream's data, written unless dropped.
    void blockReceived(int block, qsizetype firstByte, qsizetype byteCount, bool dropped);
    // Bytes the PIC sends back at `dueNs` on the arrival clock.
    void answerAt(const QByteArray &bytes, qint64 dueNs);

private:
    enum class State { Idle, AwaitWait, Block, Skipping }; // Idle: no header yet

    void takeAwaitWait(char c);
    void takeBlock(char c);
    void skip(char c);
    void beginBlock();
    void judgePause();
    void storeDigit(char c);
    void writeByte(qsizetype index, uchar value);
    void endBlock();
    void acknowledgeBlock();
    qint64 writeNs() const;
    void fault(qsizetype offset, const QString &message) { fault(offset, 0, message); }
    void fault(qsizetype offset, int block, const QString &message);

    const VirtualPicConfig &m_config;
    VirtualMemory &m_memory;
    VirtualStreamSummary &m_summary;
    Report m_report;

    State m_state = State::Idle;
    qsizetype m_offset = 0; // of the character being taken
    qint64 m_now = 0;
    char m_waitChar = 0; // learnt from the first block
    int m_block = 0;
    int m_blockChars = 0;
    int m_blockLength = 0;
    qsizetype m_blockFirstByte = 0;
    bool m_blockDropped = false;
    qint64 m_lastBlockEndNs = 0;
    qsizetype m_dataChars = 0;
    int m_highNibble = -1; // -1: the pair's first digit was not hex
    bool m_eepromOverflowReported = false;
    bool m_acknowledging = false;
    bool m_blockFaulted = false;
    qsizetype m_blockStartChars = 0;
};
