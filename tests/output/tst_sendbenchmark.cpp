#include "LineRecorder.h"
#include "PseudoTerminal.h"
#include "output/PacedSender.h"
#include "output/SendStream.h"

#include <QElapsedTimer>
#include <QSerialPort>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

namespace {
// Lateness of a 10 ms timer: how long the event loop was kept from running.
class StallMeter : public QObject
{
public:
    StallMeter()
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(10);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            m_longestLateMs = qMax(m_longestLateMs, m_clock.nsecsElapsed() / 1e6 - 10.0);
            m_clock.start();
        });
        m_clock.start();
        m_timer.start();
    }
    double longestLateMs() const { return m_longestLateMs; }

private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    double m_longestLateMs = 0;
};

// The stream of a 240x64 KS0108 picture: header, then 1,920 bytes as 3,840
// hexadecimal characters in 120 blocks of 32.
QByteArray pictureStream()
{
    QString hex;
    for (int i = 0; i < 1920; ++i)
        hex += QStringLiteral("%1").arg((i * 37) & 0xff, 2, 16, QLatin1Char('0'));
    return SendStream::reformat(QString(), QStringLiteral("02000000A*"), QStringLiteral("]"), hex, 32).toLatin1();
}
} // namespace

// Sends a whole picture over a pseudo-terminal with a 5 ms transmit delay and
// reports the time taken, the shortest gap the far end saw before a block
// and the longest the event loop was held up. Figures go to the log; only
// the bytes and the presence of the gaps are checked.
class SendBenchmark : public QObject
{
    Q_OBJECT
private slots:
    void pictureAtFiveMilliseconds();
};

void SendBenchmark::pictureAtFiveMilliseconds()
{
    const QByteArray stream = pictureStream();
    QCOMPARE(stream.count(']'), 120);
    const int pauseMs = 5;
    PseudoTerminal pty;
    QVERIFY(pty.isValid());
    QSerialPort port(pty.slavePath());
    QVERIFY(port.open(QIODevice::ReadWrite) && port.setBaudRate(19200));
    LineRecorder line(pty.masterFd());
    PacedSender sender;
    QSignalSpy finished(&sender, &PacedSender::finished);
    StallMeter stalls;
    // A real event loop, as in the program: QTRY_ and qWait sleep 10 ms at a time.
    QElapsedTimer clock;
    clock.start();
    QVERIFY(sender.start(&port, stream, ']', pauseMs));
    QVERIFY(finished.wait(10000));
    const qint64 sendMs = clock.elapsed();
    QTRY_COMPARE(line.size(), stream.size());
    QCOMPARE(line.bytes(), stream);
    qint64 shortestGapNs = std::numeric_limits<qint64>::max();
    for (qsizetype i = 1; i < stream.size(); ++i) {
        if (stream.at(i) == ']')
            shortestGapNs = qMin(shortestGapNs, line.gapBeforeNs(i));
    }
    const double budgetMs = 1.1 * (120 * pauseMs) + 100;
    qInfo("whole send %lld ms (budget %.0f ms), shortest gap before a block %.3f ms, longest event-loop stall %.2f ms",
          sendMs, budgetMs, shortestGapNs / 1e6, stalls.longestLateMs());
    QVERIFY(shortestGapNs > 0);
}

QTEST_MAIN(SendBenchmark)
#include "tst_sendbenchmark.moc"
