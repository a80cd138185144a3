#include "LineRecorder.h"
#include "PseudoTerminal.h"
#include "logic/output/PacedSender.h"

#include <QElapsedTimer>
#include <QSerialPort>
#include <QSignalSpy>
#include <QtTest>

// The reader stamps bytes as they reach it through the pseudo-terminal, whose
// kernel worker runs late on a busy machine: with three busy loops and two
// builds on two cores, a 40 ms pause measured as little as 17 ms, while on an
// idle machine every gap measures the full pause. So a gap counts when it is
// at least half the pause; a sender that does not wait for the line leaves
// none at all. The full length of the pauses is checked by the sender's
// elapsed time, which the line's jitter cannot shorten.
bool isGap(qint64 gapNs, int pauseMs)
{
    return gapNs >= qint64(pauseMs) * 1000000 / 2;
}

// The paced sender over a real pseudo-terminal, measured by a reader on its
// own thread: every byte once and in order, a quiet gap on the line before
// every pause byte, a prompt stop and a clean failure when the line goes.
class PacedSenderTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void pauseByteFor_data();
    void pauseByteFor();
    void sendsEveryByteWithGaps_data();
    void sendsEveryByteWithGaps();
    void busyFarEndKeepsGapsAndBufferSmall();
    void stopPartWay_data();
    void stopPartWay();
    void stopDuringPauseEndsAtOnce();
    void lineLostMidSendFails_data();
    void lineLostMidSendFails();
    void refusesToStart();

private:
    bool openPort();
    // Byte indexes that must be preceded by a pause.
    static QList<qsizetype> pausePositions(const QByteArray &bytes, int pauseByte);

    PseudoTerminal *m_pty = nullptr;
    QSerialPort *m_port = nullptr;
};

void PacedSenderTest::init()
{
    m_pty = new PseudoTerminal;
    QVERIFY(m_pty->isValid());
    m_port = new QSerialPort(m_pty->slavePath());
    QVERIFY2(openPort(), qPrintable(m_port->errorString()));
}

void PacedSenderTest::cleanup()
{
    delete m_port;
    delete m_pty;
    m_port = nullptr;
    m_pty = nullptr;
}

bool PacedSenderTest::openPort()
{
    return m_port->open(QIODevice::ReadWrite) && m_port->setBaudRate(19200);
}

QList<qsizetype> PacedSenderTest::pausePositions(const QByteArray &bytes, int pauseByte)
{
    QList<qsizetype> positions;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (uchar(bytes.at(i)) == pauseByte)
            positions << i;
    }
    return positions;
}

void PacedSenderTest::pauseByteFor_data()
{
    QTest::addColumn<QString>("waitChars");
    QTest::addColumn<int>("pauseByte");
    QTest::newRow("bracket") << QStringLiteral("]") << int(']');
    QTest::newRow("highest Latin-1") << QStringLiteral("\u00ff") << 0xff;
    QTest::newRow("empty never matches") << QString() << -1;
    QTest::newRow("two characters never match") << QStringLiteral("]]") << -1;
    QTest::newRow("outside Latin-1 never matches") << QStringLiteral("\u20ac") << -1;
}

void PacedSenderTest::pauseByteFor()
{
    QFETCH(QString, waitChars);
    QFETCH(int, pauseByte);
    QCOMPARE(PacedSender::pauseByteFor(waitChars), pauseByte);
}

void PacedSenderTest::sendsEveryByteWithGaps_data()
{
    QByteArray allValues;
    for (int i = 0; i < 256; ++i)
        allValues.append(char(i));
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("pauseByte");
    QTest::addColumn<int>("pauseMs");
    QTest::addColumn<int>("pauses");
    QTest::newRow("header and blocks") << QByteArray("40400000a*]00ff]00ff]00") << int(']') << 60 << 3;
    QTest::newRow("pause byte first and doubled") << QByteArray("]]ab]") << int(']') << 60 << 3;
    QTest::newRow("long blocks") << QByteArray(300, 'f').append(']').append(QByteArray(300, '0')).append(']')
                                 << int(']') << 60 << 2;
    QTest::newRow("every byte value") << allValues << 0x5d << 60 << 1;
    QTest::newRow("no pause byte") << QByteArray("]a]b]c") << -1 << 1000 << 0;
    QTest::newRow("delay zero") << QByteArray("]a]b]c") << int(']') << 0 << 0;
    QTest::newRow("nothing to send") << QByteArray() << int(']') << 10 << 0;
}

void PacedSenderTest::sendsEveryByteWithGaps()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, pauseByte);
    QFETCH(int, pauseMs);
    QFETCH(int, pauses);
    LineRecorder line(m_pty->masterFd());
    PacedSender sender;
    QSignalSpy finished(&sender, &PacedSender::finished);
    QSignalSpy failed(&sender, &PacedSender::failed);
    QElapsedTimer clock;
    clock.start();
    QVERIFY(sender.start(m_port, bytes, pauseByte, pauseMs));
    QVERIFY(finished.count() == 1 || finished.wait(5000));
    const qint64 elapsedMs = clock.elapsed();
    QVERIFY(!sender.isSending());
    QCOMPARE(m_port->bytesToWrite(), 0);
    QTRY_COMPARE(line.size(), bytes.size());
    QCOMPARE(line.bytes(), bytes);
    QCOMPARE(failed.count(), 0);
    const QList<qsizetype> waits = pausePositions(bytes, pauseMs > 0 ? pauseByte : -1);
    QCOMPARE(waits.size(), pauses);
    for (qsizetype at : waits) {
        if (at > 0)
            QVERIFY2(isGap(line.gapBeforeNs(at), pauseMs),
                     qPrintable(QStringLiteral("gap before byte %1: %2 us").arg(at).arg(line.gapBeforeNs(at) / 1000)));
    }
    QVERIFY(elapsedMs >= qint64(pauses) * pauseMs);
    if (pauses == 0)
        QVERIFY2(elapsedMs < 500, qPrintable(QString::number(elapsedMs))); // a single 1 s pause would show
}

// The far end reads nothing for a while: the sender must not pile bytes up
// in QSerialPort, and the pause still has to fall after the block reached
// the line, not while it was waiting in a buffer.
void PacedSenderTest::busyFarEndKeepsGapsAndBufferSmall()
{
    const QByteArray bytes = QByteArray(40000, 'a').append(']').append(QByteArray(100, 'b')).append(']').append('c');
    LineRecorder line(m_pty->masterFd());
    line.stallFor(300);
    PacedSender sender;
    QSignalSpy finished(&sender, &PacedSender::finished);
    qint64 mostQueued = 0;
    connect(&sender, &PacedSender::progressed, this,
            [this, &mostQueued] { mostQueued = qMax(mostQueued, m_port->bytesToWrite()); });
    QVERIFY(sender.start(m_port, bytes, ']', 60));
    QVERIFY(finished.wait(10000));
    QTRY_COMPARE(line.size(), bytes.size());
    QCOMPARE(line.bytes(), bytes);
    QVERIFY(isGap(line.gapBeforeNs(40000), 60));
    QVERIFY(isGap(line.gapBeforeNs(40101), 60));
    QVERIFY2(mostQueued <= sender.maxInFlight(), qPrintable(QString::number(mostQueued)));
}

void PacedSenderTest::stopPartWay_data()
{
    QTest::addColumn<int>("pauseMs");
    QTest::addColumn<int>("stopAfter");
    QTest::newRow("between pauses") << 5 << 100;
    QTest::newRow("without pauses") << 0 << 1000;
}

void PacedSenderTest::stopPartWay()
{
    QFETCH(int, pauseMs);
    QFETCH(int, stopAfter);
    QByteArray bytes;
    for (int block = 0; block < 200; ++block)
        bytes.append(']').append(QByteArray::number(block).rightJustified(32, '0'));
    LineRecorder line(m_pty->masterFd());
    PacedSender sender;
    QSignalSpy finished(&sender, &PacedSender::finished);
    QSignalSpy stopped(&sender, &PacedSender::stopped);
    connect(&sender, &PacedSender::progressed, this, [&sender, stopAfter](qsizetype sent) {
        if (sent >= stopAfter)
            sender.stop();
    });
    QVERIFY(sender.start(m_port, bytes, ']', pauseMs));
    QVERIFY(stopped.wait(5000));
    QVERIFY(!sender.isSending());
    const qsizetype sent = sender.sentCount();
    QVERIFY(sent >= stopAfter && sent < bytes.size());
    QVERIFY(sent < stopAfter + sender.maxInFlight());
    QTRY_COMPARE(line.size(), sent);
    QTest::qWait(100); // nothing follows the stop
    QCOMPARE(line.bytes(), bytes.left(sent));
    QCOMPARE(finished.count(), 0);
}

void PacedSenderTest::stopDuringPauseEndsAtOnce()
{
    // Long enough to stop inside it on a busy machine, short enough to outwait:
    // a stop that left the pause running would let "]def" out after it.
    const int pauseMs = 1000;
    LineRecorder line(m_pty->masterFd());
    PacedSender sender;
    QSignalSpy stopped(&sender, &PacedSender::stopped);
    QSignalSpy finished(&sender, &PacedSender::finished);
    QVERIFY(sender.start(m_port, QByteArray("abc]def"), ']', pauseMs));
    QTRY_COMPARE(line.size(), 3);
    QElapsedTimer clock;
    clock.start();
    sender.stop();
    QCOMPARE(stopped.count(), 1);
    QVERIFY(clock.elapsed() < 100);
    QTest::qWait(pauseMs * 3 / 2);
    QCOMPARE(line.bytes(), QByteArray("abc"));
    QCOMPARE(finished.count(), 0);
}

void PacedSenderTest::lineLostMidSendFails_data()
{
    QTest::addColumn<bool>("farEndCloses");
    QTest::newRow("far end closes") << true;
    QTest::newRow("port closed under the sender") << false;
}

void PacedSenderTest::lineLostMidSendFails()
{
    QFETCH(bool, farEndCloses);
    QByteArray bytes;
    for (int block = 0; block < 100; ++block)
        bytes.append(']').append(QByteArray(32, 'e'));
    auto line = std::make_unique<LineRecorder>(m_pty->masterFd());
    PacedSender sender;
    QSignalSpy finished(&sender, &PacedSender::finished);
    QSignalSpy failed(&sender, &PacedSender::failed);
    // A port whose other end vanished reports errors without end: close it at the first.
    connect(&sender, &PacedSender::failed, m_port, [this] { m_port->close(); });
    QVERIFY(sender.start(m_port, bytes, ']', 10));
    QTRY_VERIFY(line->size() >= 100);
    if (farEndCloses) {
        line.reset();
        m_pty->closeMaster();
    } else {
        m_port->close();
    }
    QVERIFY(failed.count() == 1 || failed.wait(3000));
    QVERIFY(!sender.isSending());
    QVERIFY(!failed.first().first().toString().isEmpty());
    QCOMPARE(finished.count(), 0);
    QVERIFY(sender.sentCount() < bytes.size());
}

void PacedSenderTest::refusesToStart()
{
    PacedSender sender;
    QSerialPort closed;
    QVERIFY(!sender.start(&closed, QByteArray("abc"), ']', 5));
    QVERIFY(!sender.start(nullptr, QByteArray("abc"), ']', 5));
    QVERIFY(sender.start(m_port, QByteArray("]abc"), ']', 1000));
    QVERIFY(!sender.start(m_port, QByteArray("xyz"), ']', 5)); // one send at a time
    sender.stop();
}

QTEST_MAIN(PacedSenderTest)
#include "tst_pacedsender.moc"
