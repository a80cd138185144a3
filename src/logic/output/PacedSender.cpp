#include "logic/output/PacedSender.h"

#include "logic/core/AckProtocol.h"
#include "logic/serial/PortOutputQueue.h"
#include "logic/serial/SerialLineFormat.h"

#include <QMetaEnum>
#include <QSerialPort>

namespace {
// How often the driver's queue is looked at while waiting for it to empty.
constexpr int pollIntervalMs = 1;

} // namespace

PacedSender::PacedSender(QObject *parent) : QObject(parent)
{
    m_poll.setSingleShot(true);
    m_poll.setTimerType(Qt::PreciseTimer);
    m_poll.setInterval(pollIntervalMs);
    connect(&m_poll, &QTimer::timeout, this, &PacedSender::pump);
    connect(&m_pause, &ExactPause::elapsed, this, &PacedSender::pauseElapsed);
    m_verdictTimer.setSingleShot(true);
    connect(&m_verdictTimer, &QTimer::timeout, this, &PacedSender::verdictLate);
    connect(&m_listener, &AckListener::verdictArrived, this, &PacedSender::takeVerdict);
    connect(&m_listener, &AckListener::otherBytes, this, &PacedSender::received);
}

int PacedSender::pauseByteFor(const QString &waitChars)
{
    if (waitChars.size() != 1 || waitChars.at(0).unicode() > 0xff)
        return -1;
    return waitChars.at(0).unicode();
}

bool PacedSender::start(QSerialPort *port, const QByteArray &bytes, int pauseByte, int pauseMs)
{
    if (isSending() || !port || !port->isOpen())
        return false;
    m_acknowledged = false;
    m_pauseByte = pauseMs > 0 ? pauseByte : -1;
    m_pauseMs = pauseMs;
    begin(port, bytes);
    return true;
}

bool PacedSender::startAcknowledged(QSerialPort *port, const QByteArray &bytes, int waitByte, int timeoutMs)
{
    if (isSending() || !port || !port->isOpen() || waitByte < 0)
        return false;
    m_acknowledged = true;
    m_pauseByte = waitByte;
    m_timeoutMs = timeoutMs;
    m_characterNs = SerialLineFormat::of(*port).characterNs();
    m_blockStart = 0;
    m_acked = 0;
    m_resends = 0;
    m_blocks = int(bytes.count(char(waitByte)));
    m_listener.listen(port);
    begin(port, bytes);
    return true;
}

void PacedSender::begin(QSerialPort *port, const QByteArray &bytes)
{
    m_port = port;
    m_bytes = bytes;
    m_next = 0;
    m_pauseDone = false;
    m_phase = Phase::Feeding;
    connect(port, &QSerialPort::bytesWritten, this, &PacedSender::pump);
    connect(port, &QSerialPort::errorOccurred, this, &PacedSender::portFailed);
    connect(port, &QIODevice::aboutToClose, this, [this] { fail(tr("The port was closed.")); });
    pump();
}

void PacedSender::stop()
{
    if (!isSending())
        return;
    end();
    emit stopped();
}

void PacedSender::pump()
{
    if (!isSending())
        return;
    if (!m_port || !m_port->isOpen()) {
        fail(tr("The port is not open."));
        return;
    }
    switch (m_phase) {
    case Phase::Feeding:
        feed();
        break;
    case Phase::Draining:
    case Phase::Finishing:
        waitForDrain();
        break;
    case Phase::Pausing:
    case Phase::AwaitingVerdict:
    case Phase::Idle:
        break;
    }
}

void PacedSender::feed()
{
    while (m_next < m_bytes.size()) {
        if (isPause(m_next) && !m_pauseDone) {
            if (m_acknowledged) {
                awaitVerdict();
                return;
            }
            m_phase = Phase::Draining;
            waitForDrain();
            return;
        }
        const qsizetype room = m_maxInFlight - PortOutputQueue::inFlight(m_port);
        if (room <= 0) {
            m_poll.start();
            return;
        }
        const qsizetype length = qMin(pieceEnd(m_next) - m_next, room);
        const qint64 written = m_port->write(m_bytes.constData() + m_next, length);
        if (written <= 0) {
            fail(m_port->errorString());
            return;
        }
        m_next += written;
        m_pauseDone = false;
        emit progressed(m_next);
        if (m_phase != Phase::Feeding) // stopped or failed by a receiver
            return;
    }
    if (m_acknowledged && m_acked <= m_blocks) {
        awaitVerdict();
        return;
    }
    m_phase = Phase::Finishing;
    waitForDrain();
}

void PacedSender::awaitVerdict()
{
    m_phase = Phase::AwaitingVerdict;
    if (m_listener.hasVerdict())
        takeVerdict();
    else
        m_verdictTimer.start(verdictTimeoutMs());
}

void PacedSender::takeVerdict()
{
    if (m_phase != Phase::AwaitingVerdict || !m_listener.hasVerdict())
        return;
    m_verdictTimer.stop();
    if (m_listener.takeVerdict() == AckProtocol::Ready)
        blockTaken();
    else
        blockRefused();
}

void PacedSender::blockTaken()
{
    ++m_acked;
    m_resends = 0;
    m_blockStart = m_next;
    emit acknowledged(acknowledgedBlocks(), m_blocks);
    if (m_phase != Phase::AwaitingVerdict) // stopped by a receiver
        return;
    m_pauseDone = true;
    m_phase = m_next < m_bytes.size() ? Phase::Feeding : Phase::Finishing;
    pump();
}

// The PIC forgot the block: it goes again from its wait byte.
void PacedSender::blockRefused()
{
    if (m_acked == 0) {
        fail(tr("the PIC refused the transfer header"));
        return;
    }
    if (++m_resends > AckProtocol::MaxResends) {
        fail(tr("block %1 of %2 refused %3 times").arg(m_acked).arg(m_blocks).arg(m_resends));
        return;
    }
    m_next = m_blockStart;
    m_pauseDone = true;
    m_phase = Phase::Feeding;
    emit progressed(m_next);
    pump();
}

void PacedSender::verdictLate()
{
    if (m_phase != Phase::AwaitingVerdict)
        return;
    const int ms = verdictTimeoutMs();
    if (m_acked == 0)
        fail(tr("the transfer header was not acknowledged within %1 ms: does the PIC's firmware answer "
                "\"Wait for PIC\"?").arg(ms));
    else
        fail(tr("block %1 of %2 not acknowledged within %3 ms").arg(m_acked).arg(m_blocks).arg(ms));
}

// The piece's own line time ten times over, as it may still be in the
// driver's queue, plus the PIC's time to write it.
int PacedSender::verdictTimeoutMs() const
{
    if (m_timeoutMs > 0)
        return m_timeoutMs;
    const qint64 lineNs = qint64(m_next - m_blockStart) * m_characterNs;
    return int((10 * lineNs + 999999) / 1000000) + AckProtocol::TimeoutMarginMs;
}

void PacedSender::waitForDrain()
{
    if (!PortOutputQueue::drained(m_port)) {
        m_poll.start();
        return;
    }
    m_poll.stop();
    if (m_phase == Phase::Finishing) {
        end();
        emit finished();
        return;
    }
    m_phase = Phase::Pausing;
    m_pause.start(m_pauseMs);
}

void PacedSender::pauseElapsed()
{
    if (m_phase != Phase::Pausing)
        return;
    m_pauseDone = true;
    m_phase = Phase::Feeding;
    pump();
}

void PacedSender::portFailed()
{
    if (!m_port || m_port->error() == QSerialPort::NoError)
        return;
    const char *kind = QMetaEnum::fromType<QSerialPort::SerialPortError>().valueToKey(m_port->error());
    fail(QStringLiteral("%1: %2").arg(QLatin1String(kind ? kind : "SerialPortError"), m_port->errorString()));
}

void PacedSender::fail(const QString &reason)
{
    if (!isSending())
        return;
    end();
    emit failed(reason);
}

void PacedSender::end()
{
    m_phase = Phase::Idle;
    m_poll.stop();
    m_pause.stop();
    m_verdictTimer.stop();
    m_listener.stop();
    if (m_port)
        disconnect(m_port, nullptr, this, nullptr);
}

bool PacedSender::isPause(qsizetype index) const
{
    return m_pauseByte >= 0 && uchar(m_bytes.at(index)) == m_pauseByte;
}

// A piece runs up to, not including, the next pause byte after `from`.
qsizetype PacedSender::pieceEnd(qsizetype from) const
{
    if (m_pauseByte < 0)
        return m_bytes.size();
    const qsizetype next = m_bytes.indexOf(char(m_pauseByte), from + 1);
    return next < 0 ? m_bytes.size() : next;
}
