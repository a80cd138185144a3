#include "logic/virtual/VirtualPic.h"

#include "logic/convert/ByteMatrix.h"
#include "logic/virtual/ReceiverFirmware.h"

namespace {

const QByteArray displayRequestTail = QByteArrayLiteral("22000000a"); // after the "*"
constexpr int shortestHeaderDigits = 9;
constexpr int longestHeaderDigits = 12;

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool isHex(char c)
{
    return hexValue(c) >= 0;
}

// A character as a fault message shows it: "x", or 0x0d when unprintable.
QString shown(char c)
{
    const auto u = static_cast<unsigned char>(c);
    if (u >= 0x20 && u < 0x7f)
        return QStringLiteral("\"%1\"").arg(QLatin1Char(c));
    return QStringLiteral("0x%1").arg(u, 2, 16, QLatin1Char('0'));
}

QString milliseconds(qint64 ns)
{
    return QString::number(ns / 1e6, 'f', 1);
}

} // namespace

VirtualPic::VirtualPic(const VirtualPicConfig &config, QObject *parent)
    : QObject(parent), m_config(config), m_lcd(config.lcdBytes(), '\0'), m_eeprom(config.eepromSize, char(0xff))
{
}

QByteArray VirtualPic::eepromLine(const QByteArray &eeprom, int address, int count)
{
    QByteArray line = QStringLiteral("EEPROM %1:").arg(address, 4, 16, QLatin1Char('0')).toLatin1();
    for (int i = address; i < address + count && i < eeprom.size(); ++i)
        line += ' ' + QByteArray::number(static_cast<unsigned char>(eeprom.at(i)), 16).rightJustified(2, '0');
    return line + "\r\n";
}

QImage VirtualPic::picture() const
{
    if (m_lastHeader && m_lastHeader->isEeprom()) {
        const QByteArray stored = m_eeprom.mid(m_lastHeader->address, m_config.lcdBytes());
        return ByteMatrix::pictureFrom(stored, m_config.width, m_config.height, m_config.horizontal);
    }
    return ByteMatrix::pictureFrom(m_lcd, m_config.width, m_config.height, m_config.horizontal);
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
    case State::Command:
        takeCommand(c);
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
    if (c == '*') {
        if (m_pending.isEmpty()) {
            m_state = State::Command;
            m_pendingStart = m_offset;
            return;
        }
        takeHeader();
        return;
    }
    if (isHex(c)) {
        if (m_pending.isEmpty())
            m_pendingStart = m_offset;
        m_pending += c;
        if (m_pending.size() <= longestHeaderDigits)
            return;
        // Too long for a header: what came first is stray data.
        junk(m_pendingStart, QStringLiteral("data before a header"));
        m_pending.remove(0, 1);
        ++m_pendingStart;
        return;
    }
    junk(m_pending.isEmpty() ? m_offset : m_pendingStart, QStringLiteral("data before a header: %1").arg(shown(c)));
    m_pending.clear();
}

// The digits before "*" end with the header; any before it are stray. The
// shortest header that parses wins: a delay of 16 ms or more never leaves
// a 9-digit tail that parses, so the delay's extra digit is not taken as
// stray.
void VirtualPic::takeHeader()
{
    QString why;
    for (qsizetype digits = shortestHeaderDigits; digits <= m_pending.size(); ++digits) {
        const std::optional<ReceivedHeader> header = ReceivedHeader::parse(m_pending.right(digits), &why);
        if (!header)
            continue;
        if (digits < m_pending.size())
            junk(m_pendingStart, QStringLiteral("data before a header"));
        m_pending.clear();
        startStream(*header);
        return;
    }
    ReceivedHeader::parse(m_pending, &why);
    junk(m_pendingStart, QStringLiteral("header \"%1*\" does not parse: %2").arg(QString::fromLatin1(m_pending), why));
    m_pending.clear();
}

// Stray data is reported once until the next header: what follows a broken
// header is its stream, not news.
void VirtualPic::junk(qsizetype offset, const QString &message)
{
    if (!m_junkReported)
        fault(offset, message);
    m_junkReported = true;
}

void VirtualPic::takeCommand(char c)
{
    const qsizetype next = m_pending.size();
    if (c == displayRequestTail.at(next) || (c == 'A' && displayRequestTail.at(next) == 'a')) {
        m_pending += c;
        if (m_pending.size() < displayRequestTail.size())
            return;
        m_pending.clear();
        m_state = State::Idle;
        emit answer(eepromLine(m_eeprom, 0, shownEepromBytes));
        // A request on its own is no stream and needs no summary.
        if (!m_summary.header && m_summary.faults.isEmpty())
            resetStream();
        return;
    }
    junk(m_pendingStart, QStringLiteral("\"*%1\" is no command; the EEPROM display request is \"*%2\"")
                             .arg(QString::fromLatin1(m_pending + c), QString::fromLatin1(displayRequestTail)));
    m_pending.clear();
    m_state = State::Idle;
    if (c != '*' && !isHex(c))
        return;
    takeIdle(c);
}

void VirtualPic::startStream(const ReceivedHeader &header)
{
    m_summary.header = header;
    m_lastHeader = header;
    m_junkReported = false;
    if (!header.isEeprom())
        m_lcd.fill('\0');
    m_state = State::AwaitWait;
    emit streamStarted(header);
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
        fault(m_offset, QStringLiteral("block 1: data without a wait character"));
    else if (isHex(c))
        fault(m_offset, QStringLiteral("block %1 is longer than the buffer of %2 characters")
                            .arg(m_block).arg(m_summary.header->blockChars));
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
    m_blockChars = 0;
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
    m_summary.pausesNs << pause;
    const qint64 needs =
        m_config.receiverFirmware ? ReceiverFirmware::needsPauseNs(*m_summary.header) : m_config.needsPauseNs;
    if (needs <= 0 || pause >= needs)
        return;
    m_blockDropped = m_config.strict;
    fault(m_offset, QStringLiteral("block %1: wait character %2 ms after block %3; this PIC needs %4 ms \u2014 "
                                   "a real one would lose this block%5")
                        .arg(m_block)
                        .arg(milliseconds(pause))
                        .arg(m_block - 1)
                        .arg(QString::number(needs / 1e6, 'g', 6))
                        .arg(m_config.strict ? QStringLiteral(" (dropped)") : QString()));
}

void VirtualPic::takeBlock(char c)
{
    if (c == m_waitChar) {
        fault(m_offset, QStringLiteral("block %1: wait character after only %2 of %3 characters")
                            .arg(m_block).arg(m_blockChars).arg(m_blockLength));
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
        fault(m_offset, QStringLiteral("block %1: %2 is not a hex digit").arg(m_block).arg(shown(c)));
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
        if (index < m_lcd.size()) // the horizontal closing byte is taken, not shown
            m_lcd[index] = char(value);
        return;
    }
    const qsizetype address = m_summary.header->address + index;
    if (address < m_eeprom.size()) {
        m_eeprom[address] = char(value);
        return;
    }
    if (!m_eepromOverflowReported)
        fault(m_offset, QStringLiteral("block %1: address %2 is beyond the EEPROM's %3 bytes")
                            .arg(m_block).arg(address).arg(m_eeprom.size()));
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
}

qsizetype VirtualPic::lcdStreamChars() const
{
    return 2 * (qsizetype(m_lcd.size()) + (m_config.horizontal ? 1 : 0));
}

bool VirtualPic::isLcdFull() const
{
    return m_summary.header && !m_summary.header->isEeprom() && m_state == State::AwaitWait
        && m_dataChars >= lcdStreamChars();
}

void VirtualPic::reportUnfinished()
{
    if (m_state == State::Idle && !m_pending.isEmpty())
        junk(m_pendingStart, QStringLiteral("the stream ends in a header without \"*\""));
    if (m_state == State::Command)
        fault(m_pendingStart, QStringLiteral("the stream ends inside a command"));
    if (!m_summary.header)
        return;
    const bool inBlock = m_state == State::Block;
    if (!m_summary.header->isEeprom() && m_dataChars < lcdStreamChars()) {
        fault(m_nextOffset, inBlock ? QStringLiteral("the stream ends in the middle of block %1, after %2 of %3 characters")
                                      .arg(m_block).arg(m_blockChars).arg(m_blockLength)
                                : QStringLiteral("the stream ends after %1 of the LCD's %2 bytes")
                                      .arg(m_dataChars / 2).arg(m_lcd.size()));
    } else if (m_dataChars % 2) {
        fault(m_nextOffset, QStringLiteral("the stream ends in the middle of a byte in block %1").arg(m_block));
    }
    if (inBlock)
        endBlock(); // the last block of an EEPROM stream is shorter
}

void VirtualPic::endStream()
{
    reportUnfinished();
    if (m_summary.header || !m_summary.faults.isEmpty()) {
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
    m_state = State::Idle;
    m_segmentActive = false;
    m_nextOffset = 0;
    m_pending.clear();
    m_junkReported = false;
    m_waitChar = 0;
    m_block = 0;
    m_blockChars = 0;
    m_dataChars = 0;
    m_highNibble = -1;
    m_eepromOverflowReported = false;
}

void VirtualPic::fault(qsizetype offset, const QString &message)
{
    const VirtualFault found{offset, message};
    m_summary.faults << found;
    emit faultFound(found);
}
