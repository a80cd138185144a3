#pragma once

#include "logic/output/AckListener.h"
#include "logic/output/ExactPause.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QTimer>

class QSerialPort;

// Sends bytes through an open serial port from the event loop, pausing
// before every pause byte: the PIC has no handshake and writes a block while
// the line is quiet. Before a pause, everything written so far must have left
// both QSerialPort's buffer and the driver's output queue, so the pause is a
// real gap on the line. Bytes are handed over in small pieces as the port
// drains, which keeps Stop prompt and QSerialPort's unbounded buffer small.
//
// Acknowledged, it waits instead for the PIC's verdict at each pause byte
// and after the last byte (see AckProtocol): a refused block is sent again,
// a block not answered in time ends the send.
class PacedSender : public QObject
{
    Q_OBJECT
public:
    explicit PacedSender(QObject *parent = nullptr);

    // The pause byte for a wait string: only a single Latin-1 character can
    // equal a sent character; an empty or longer string never pauses (-1).
    static int pauseByteFor(const QString &waitChars);

    // Starts sending; false when a send is running or the port is not open.
    // pauseByte -1 or pauseMs <= 0 means no pauses.
    bool start(QSerialPort *port, const QByteArray &bytes, int pauseByte, int pauseMs);
    // Starts an acknowledged send of `bytes` (which begin with the request):
    // the header up to the first wait byte, then each block, waits for its
    // verdict. timeoutMs <= 0: ten times the piece's line time plus a margin.
    bool startAcknowledged(QSerialPort *port, const QByteArray &bytes, int waitByte, int timeoutMs = 0);
    // Ends the send at once: nothing after the bytes already handed to the port.
    void stop();

    bool isSending() const { return m_phase != Phase::Idle; }
    qsizetype sentCount() const { return m_next; }
    // In an acknowledged send: blocks the PIC has taken, and how many there are.
    int acknowledgedBlocks() const { return qMax(0, m_acked - 1); }
    int blockCount() const { return m_blocks; }
    bool isAcknowledged() const { return m_acknowledged; }

    // Most bytes handed to the port and not yet on the line while feeding.
    static constexpr qsizetype defaultMaxInFlight = 64;
    // A smaller limit (the port's output buffer size), for the next start.
    void setMaxInFlight(qsizetype bytes) { m_maxInFlight = qBound<qsizetype>(1, bytes, defaultMaxInFlight); }
    qsizetype maxInFlight() const { return m_maxInFlight; }

signals:
    // `sent` bytes have been handed to the port so far.
    void progressed(qsizetype sent);
    // Every byte has left the port and the driver.
    void finished();
    void stopped();
    void failed(const QString &reason);
    // Acknowledged sends: the PIC took block `done` of `total` (0: the header).
    void acknowledged(int done, int total);
    // What the PIC sent besides its verdicts.
    void received(const QByteArray &bytes);

private:
    enum class Phase { Idle, Feeding, Draining, Pausing, AwaitingVerdict, Finishing };

    void begin(QSerialPort *port, const QByteArray &bytes);
    void awaitVerdict();
    void takeVerdict();
    void blockTaken();
    void blockRefused();
    void verdictLate();
    int verdictTimeoutMs() const;
    void pump();
    void feed();
    void waitForDrain();
    void pauseElapsed();
    void portFailed();
    void end();
    void fail(const QString &reason);
    bool isPause(qsizetype index) const;
    qsizetype pieceEnd(qsizetype from) const;

    QPointer<QSerialPort> m_port;
    QByteArray m_bytes;
    qsizetype m_next = 0;
    qsizetype m_maxInFlight = defaultMaxInFlight;
    int m_pauseByte = -1;
    int m_pauseMs = 0;
    bool m_pauseDone = false;
    Phase m_phase = Phase::Idle;
    QTimer m_poll;
    ExactPause m_pause;

    bool m_acknowledged = false;
    AckListener m_listener;
    QTimer m_verdictTimer;
    int m_timeoutMs = 0;
    qint64 m_characterNs = 0;
    qsizetype m_blockStart = 0; // where the piece awaiting its verdict began
    int m_acked = 0;            // verdicts of "taken", the header's included
    int m_blocks = 0;
    int m_resends = 0;
};
