#include "logic/virtual/BlockReceiver.h"

#include "logic/core/AckProtocol.h"
#include "logic/virtual/ReceiverFirmware.h"
#include "logic/virtual/VirtualMemory.h"
#include "logic/virtual/VirtualPicConfig.h"
#include "logic/virtual/VirtualStreamSummary.h"
#include "logic/virtual/VirtualText.h"

#include <utility>

namespace {

QString milliseconds(qint64 ns)
{
    return QString::number(ns / 1e6, 'f', 1);
}

} // namespace

using VirtualText::hexValue;
using VirtualText::isHex;
using VirtualText::shown;

BlockReceiver::BlockReceiver(const VirtualPicConfig &config, VirtualMemory &memory, VirtualStreamSummary &summary,
                             Report fault)
    : m_config(config), m_memory(memory), m_summary(summary), m_report(std::move(fault))
{
}

void BlockReceiver::start(bool acknowledging)
{
    m_state = State::AwaitWait;
    m_acknowledging = acknowledging;
}

void BlockReceiver::take(char c, qsizetype offset, qint64 nowNs)
{
    m_offset = offset;
    m_now = nowNs;
    switch (m_state) {
    case State::Idle:
        break;
    case State::AwaitWait:
        takeAwaitWait(c);
        break;
    case State::Block:
        takeBlock(c);
        break;
    case State::Skipping:
        skip(c);
        break;
    }
}

void BlockReceiver::flushQuiet(qint64 nowNs, qint64 lastArrivalNs)
{
    if (m_acknowledging && m_state == State::Block && m_blockChars > 0
        && nowNs - lastArrivalNs >= m_config.blockFlushNs) {
        m_now = nowNs;
        endBlock();
    }
}

void BlockReceiver::takeAwaitWait(char c)
{
    if (m_waitChar == 0 && !isHex(c))
        m_waitChar = c; // whatever precedes the first block is this sender's wait character
    if (m_waitChar != 0 && c == m_waitChar) {
        beginBlock();
        return;
    }
    if (m_waitChar == 0)
        fault(m_offset, 1, QStringLiteral(": data without a wait character"));
    else if (isHex(c))
        fault(m_offset, m_block, QStringLiteral(" is longer than the buffer of %1 characters")
                                      .arg(m_summary.header->blockChars));
    else
        fault(m_offset, QStringLiteral("%1 where the wait character %2 belongs").arg(shown(c), shown(m_waitChar)));
    m_state = State::Skipping;
}

// After a fault, characters are passed over up to the next wait character.
void BlockReceiver::skip(char c)
{
    if (m_waitChar != 0 ? c == m_waitChar : !isHex(c)) {
        m_state = State::AwaitWait;
        takeAwaitWait(c);
    }
}

void BlockReceiver::beginBlock()
{
    ++m_block;
    m_blockDropped = false;
    if (m_block > 1)
        judgePause();
    m_blockFaulted = m_blockDropped;
    m_blockChars = 0;
    m_blockStartChars = m_dataChars;
    m_blockFirstByte = m_dataChars / 2;
    m_blockLength = m_summary.header->blockChars;
    if (!m_summary.header->isEeprom())
        m_blockLength = int(qMin<qsizetype>(m_blockLength, m_memory.lcdStreamChars() - m_dataChars));
    m_state = State::Block;
}

// The PIC writes a block while the line is quiet; a wait character that
// comes sooner than it needs finds it still busy with the last one.
void BlockReceiver::judgePause()
{
    const qint64 pause = m_now - m_lastBlockEndNs;
    m_summary.addPause(pause);
    const qint64 needs = writeNs();
    if (needs <= 0 || pause >= needs)
        return;
    m_blockDropped = m_config.strict;
    fault(m_offset, m_block, QStringLiteral(": wait character %1 ms after block %2; this PIC needs %3 ms \u2014 "
                                            "a real one would lose this block%4")
                        .arg(milliseconds(pause))
                        .arg(m_block - 1)
                        .arg(QString::number(needs / 1e6, 'g', 6))
                        .arg(m_config.strict ? QStringLiteral(" (dropped)") : QString()));
}

void BlockReceiver::takeBlock(char c)
{
    // Acknowledged, the sender waits after each block: a wait character
    // inside one is a damaged digit, and the block is refused whole.
    if (c == m_waitChar && !m_acknowledging) {
        fault(m_offset, m_block, QStringLiteral(": wait character after only %1 of %2 characters")
                                      .arg(m_blockChars).arg(m_blockLength));
        endBlock();
        beginBlock();
        return;
    }
    storeDigit(c);
    if (++m_blockChars == m_blockLength)
        endBlock();
}

void BlockReceiver::storeDigit(char c)
{
    const int value = hexValue(c);
    if (value < 0)
        fault(m_offset, m_block, QStringLiteral(": %1 is not a hex digit").arg(shown(c)));
    if (m_dataChars % 2 == 0) {
        m_highNibble = value;
    } else {
        ++m_summary.bytes;
        if (m_highNibble >= 0 && value >= 0 && !m_blockDropped)
            writeByte(m_dataChars / 2, uchar(m_highNibble << 4 | value));
    }
    ++m_dataChars;
}

void BlockReceiver::writeByte(qsizetype index, uchar value)
{
    if (m_memory.write(*m_summary.header, index, value))
        return;
    m_blockFaulted = true; // refused each time it is sent: the sender gives up rather than lose it
    if (m_eepromOverflowReported)
        return;
    fault(m_offset, m_block, QStringLiteral(": address %1 is beyond the EEPROM's %2 bytes")
                                 .arg(m_summary.header->address + index).arg(m_memory.eeprom().size()));
    m_eepromOverflowReported = true;
}

void BlockReceiver::endBlock()
{
    m_lastBlockEndNs = m_now;
    ++m_summary.blocks;
    if (m_blockDropped)
        ++m_summary.droppedBlocks;
    emit blockReceived(m_block, m_blockFirstByte, m_dataChars / 2 - m_blockFirstByte, m_blockDropped);
    m_state = State::AwaitWait;
    if (m_acknowledging)
        acknowledgeBlock();
}

// A block cut short or with a fault is refused and forgotten: the next
// block lands where it began, so the sender's second try fills its place.
void BlockReceiver::acknowledgeBlock()
{
    const bool whole = m_blockChars == m_blockLength || m_summary.header->isEeprom();
    if (whole && !m_blockFaulted) {
        emit answerAt(QByteArray(1, AckProtocol::Ready), m_now + writeNs());
        return;
    }
    m_dataChars = m_blockStartChars;
    --m_block;
    emit answerAt(QByteArray(1, AckProtocol::Refused), m_now + writeNs());
}

qint64 BlockReceiver::writeNs() const
{
    return m_config.receiverFirmware ? ReceiverFirmware::needsPauseNs(*m_summary.header) : m_config.needsPauseNs;
}

bool BlockReceiver::isLcdFull() const
{
    return m_state == State::AwaitWait && !m_summary.header->isEeprom() && m_dataChars >= m_memory.lcdStreamChars();
}

void BlockReceiver::finish(qsizetype endOffset)
{
    if (m_state == State::Idle)
        return;
    const bool inBlock = m_state == State::Block;
    if (!m_summary.header->isEeprom() && m_dataChars < m_memory.lcdStreamChars()) {
        fault(endOffset, inBlock ? QStringLiteral("the stream ends in the middle of block %1, after %2 of %3 characters")
                                       .arg(m_block).arg(m_blockChars).arg(m_blockLength)
                                 : QStringLiteral("the stream ends after %1 of the LCD's %2 bytes")
                                       .arg(m_dataChars / 2).arg(m_memory.lcd().size()));
    } else if (m_dataChars % 2) {
        fault(endOffset, QStringLiteral("the stream ends in the middle of a byte in block %1").arg(m_block));
    }
    if (inBlock)
        endBlock(); // the last block of an EEPROM stream is shorter
}

void BlockReceiver::reset()
{
    m_state = State::Idle;
    m_waitChar = 0;
    m_block = 0;
    m_blockChars = 0;
    m_dataChars = 0;
    m_highNibble = -1;
    m_eepromOverflowReported = false;
    m_acknowledging = false;
}

void BlockReceiver::fault(qsizetype offset, int block, const QString &message)
{
    if (m_state == State::Block)
        m_blockFaulted = true;
    m_report(offset, block, message);
}
