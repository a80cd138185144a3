#include "logic/virtual/VirtualPic.h"

#include "logic/core/AckProtocol.h"

#include <utility>

VirtualPic::VirtualPic(const VirtualPicConfig &config, QObject *parent)
    : QObject(parent), m_config(config), m_memory(config),
      m_scanner([this](qsizetype offset, const QString &message) { junk(offset, message); }),
      m_blocks(m_config, m_memory, m_summary,
               [this](qsizetype offset, int block, const QString &message) { fault(offset, block, message); })
{
    connect(&m_blocks, &BlockReceiver::blockReceived, this, &VirtualPic::blockReceived);
    connect(&m_blocks, &BlockReceiver::answerAt, this, &VirtualPic::answerAt);
}

QImage VirtualPic::picture() const
{
    return m_memory.picture(m_lastHeader ? &*m_lastHeader : nullptr);
}

void VirtualPic::receive(const QByteArray &bytes, qint64 arrivalNs)
{
    m_lastArrivalNs = arrivalNs;
    for (const char c : bytes)
        take(c, arrivalNs);
}

void VirtualPic::checkQuiet(qint64 nowNs)
{
    m_blocks.flushQuiet(nowNs, m_lastArrivalNs);
    if (m_segmentActive && nowNs - m_lastArrivalNs >= m_config.quietNs)
        endStream();
}

void VirtualPic::finishStream()
{
    if (m_segmentActive)
        endStream();
}

void VirtualPic::take(char c, qint64 arrivalNs)
{
    // Line breaks between streams (a stream file's last line end) are no data.
    if (!m_segmentActive && (c == '\r' || c == '\n'))
        return;
    m_segmentActive = true;
    m_offset = m_nextOffset++;
    if (m_blocks.isReading())
        m_blocks.take(c, m_offset, arrivalNs);
    else
        takeIdle(c);
    if (m_blocks.isLcdFull())
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
    const bool acknowledging = std::exchange(m_ackRequested, false);
    m_blocks.start(acknowledging);
    emit streamStarted(header);
    if (acknowledging)
        emit answer(QByteArray(1, AckProtocol::Ready));
}

void VirtualPic::endStream()
{
    if (m_blocks.isReading())
        m_blocks.finish(m_nextOffset);
    else
        m_scanner.finish([this](qsizetype offset, const QString &message) { fault(offset, message); });
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
    m_blocks.reset();
    m_segmentActive = false;
    m_nextOffset = 0;
    m_scanner.clear();
    m_junkReported = false;
}

void VirtualPic::fault(qsizetype offset, int block, const QString &message)
{
    tell(m_faults.add(offset, block, message));
}

void VirtualPic::tell(const std::optional<VirtualFault> &fault)
{
    if (fault)
        emit faultFound(*fault);
}
