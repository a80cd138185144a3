#include "logic/virtual/VirtualPic.h"

#include "logic/core/AckProtocol.h"
#include "logic/virtual/ReceiverFirmware.h"
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

VirtualPic::VirtualPic(const VirtualPicConfig &config, QObject *parent)
    : QObject(parent), m_config(config), m_memory(config),
      m_scanner([this](qsizetype offset, const QString &message) { junk(offset, message); })
{
}

QImage VirtualPic::picture() const
{
    return m_memory.picture(m_lastHeader ? &*m_lastHeader : nullptr);
}

void VirtualPic::receive(const QByteArray &bytes, qint64 arrivalNs)
{
    m_now = arrivalNs;
    m_lastArrivalNs = arrivalNs;
    for (const char c : bytes)
        take(c);
}

void VirtualPic::checkQuiet(qint64 nowNs)
{
    // Nothing else tells an acknowledging PIC that an EEPROM stream's
    // last, shorter block is complete.
    if (m_acknowledging && m_state == State::Block && m_blockChars > 0
        && nowNs - m_lastArrivalNs >= m_config.blockFlushNs) {
        m_now = nowNs;
        endBlock();
    }
    if (m_segmentActive && nowNs - m_lastArrivalNs >= m_config.quietNs)
        endStream();
}

void VirtualPic::finishStream()
{
    if (m_segmentActive)
        endStream();
}

void VirtualPic::take(char c)
{
    // Line breaks between streams (a stream file's last line end) are no data.
    if (!m_segmentActive && (c == '\r' || c == '\n'))
        return;
    m_segmentActive = true;
    m_offset = m_nextOffset++;
    switch (m_state) {
    case State::Idle:
        takeIdle(c);
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
    if (isLcdFull())
        endStream();
}

void VirtualPic::takeIdle(char c)
{
    if (m_config.acknowledge && c == AckProtocol::RequestChar) {
        m_ackRequested = true;
        return;
    }
    switch (m_scanner.take(c, m_offset)) {
    case HeaderScanner::Outcome::Header:
        startStream(m_scanner.header());
        break;
    case HeaderScanner::Outcome::DisplayRequest:
        emit answer(eepromLine(m_memory.eeprom(), 0, shownEepromBytes));
        // A request on its own is no stream and needs no summary.
        if (!m_summary.header && m_faults.isEmpty())
            resetStream();
        break;
    case HeaderScanner::Outcome::Pending:
        break;
    }
}

// Stray data is reported once until the next header: what follows a broken
// header is its stream, not news.
void VirtualPic::junk(qsizetype offset, const QString &message)
{
    if (!m_junkReported)
        fault(offset, message);
    m_junkReported = true;
}

void VirtualPic::startStream(const ReceivedHeader &header)
{
    m_summary.header = header;
    m_lastHeader = header;
    m_junkReported = false;
    if (!header.isEeprom())
        m_memory.clearLcd();
    m_state = State::AwaitWait;
    m_acknowledging = std::exchange(m_ackRequested, false);
    emit streamStarted(header);
    if (m_acknowledging)
        emit answer(QByteArray(1, AckProtocol::Ready));
}

void VirtualPic::takeAwaitWait(char c)
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
void VirtualPic::skip(char c)
{
    if (m_waitChar != 0 ? c == m_waitChar : !isHex(c)) {
        m_state = State::AwaitWait;
        takeAwaitWait(c);
    }
}

void VirtualPic::beginBlock()
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
        m_blockLength = int(qMin<qsizetype>(m_blockLength, lcdStreamChars() - m_dataChars));
    m_state = State::Block;
}

// The PIC writes a block while the line is quiet; a wait character that
// comes sooner than it needs finds it still busy with the last one.
void VirtualPic::judgePause()
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

void VirtualPic::takeBlock(char c)
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

void VirtualPic::storeDigit(char c)
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

void VirtualPic::writeByte(qsizetype index, uchar value)
{
    if (!m_summary.header->isEeprom()) {
        m_memory.writeLcd(index, value);
        return;
    }
    const qsizetype address = m_summary.header->address + index;
    if (m_memory.writeEeprom(address, value))
        return;
    m_blockFaulted = true; // refused each time it is sent: the sender gives up rather than lose it
    if (m_eepromOverflowReported)
        return;
    fault(m_offset, m_block, QStringLiteral(": address %1 is beyond the EEPROM's %2 bytes")
                                 .arg(address).arg(m_memory.eeprom().size()));
    m_eepromOverflowReported = true;
}

void VirtualPic::endBlock()
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
void VirtualPic::acknowledgeBlock()
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

qint64 VirtualPic::writeNs() const
{
    return m_config.receiverFirmware ? ReceiverFirmware::needsPauseNs(*m_summary.header) : m_config.needsPauseNs;
}

qsizetype VirtualPic::lcdStreamChars() const
{
    return 2 * (qsizetype(m_memory.lcd().size()) + (m_config.horizontal ? 1 : 0));
}

bool VirtualPic::isLcdFull() const
{
    return m_summary.header && !m_summary.header->isEeprom() && m_state == State::AwaitWait
        && m_dataChars >= lcdStreamChars();
}

void VirtualPic::reportUnfinished()
{
    if (m_state == State::Idle)
        m_scanner.finish([this](qsizetype offset, const QString &message) { fault(offset, message); });
    if (!m_summary.header)
        return;
    const bool inBlock = m_state == State::Block;
    if (!m_summary.header->isEeprom() && m_dataChars < lcdStreamChars()) {
        fault(m_nextOffset, inBlock ? QStringLiteral("the stream ends in the middle of block %1, after %2 of %3 characters")
                                      .arg(m_block).arg(m_blockChars).arg(m_blockLength)
                                : QStringLiteral("the stream ends after %1 of the LCD's %2 bytes")
                                      .arg(m_dataChars / 2).arg(m_memory.lcd().size()));
    } else if (m_dataChars % 2) {
        fault(m_nextOffset, QStringLiteral("the stream ends in the middle of a byte in block %1").arg(m_block));
    }
    if (inBlock)
        endBlock(); // the last block of an EEPROM stream is shorter
}

void VirtualPic::endStream()
{
    reportUnfinished();
    tell(m_faults.flush());
    m_summary.faults = m_faults.listed();
    m_summary.unlistedFaults = m_faults.unlisted();
    if (m_summary.header || !m_faults.isEmpty()) {
        m_summary.number = ++m_streamCount;
        m_allClean = m_allClean && m_summary.isClean();
        const VirtualStreamSummary summary = m_summary;
        resetStream();
        emit streamEnded(summary);
        return;
    }
    resetStream();
}

void VirtualPic::resetStream()
{
    m_summary = VirtualStreamSummary();
    m_faults.clear();
    m_state = State::Idle;
    m_segmentActive = false;
    m_nextOffset = 0;
    m_scanner.clear();
    m_junkReported = false;
    m_waitChar = 0;
    m_block = 0;
    m_blockChars = 0;
    m_dataChars = 0;
    m_highNibble = -1;
    m_eepromOverflowReported = false;
    m_acknowledging = false;
}

void VirtualPic::fault(qsizetype offset, int block, const QString &message)
{
    if (m_state == State::Block)
        m_blockFaulted = true;
    tell(m_faults.add(offset, block, message));
}

void VirtualPic::tell(const std::optional<VirtualFault> &fault)
{
    if (fault)
        emit faultFound(*fault);
}
