#include "logic/output/PacedSender.h"
#include "logic/output/SendStream.h"
#include "logic/virtual/PtyReader.h"
#include "logic/virtual/VirtualLcdDevice.h"
#include "logic/virtual/VirtualPic.h"

#include <QRandomGenerator>
#include <QSerialPort>
#include <QSignalSpy>
#include <QtTest>

#include <fcntl.h>
#include <thread>
#include <time.h>
#include <unistd.h>

namespace {

// A 320x200 KS0108 picture of random bytes (8,000) in blocks of 32 characters.
QByteArray pictureBytes(int count)
{
    QByteArray bytes(count, '\0');
    QRandomGenerator random(14);
    for (char &byte : bytes)
        byte = char(random.bounded(256));
    return bytes;
}

QByteArray streamOf(const QByteArray &bytes, int blockChars)
{
    // LCD type 0, the block size, address 0000, 10 ms.
    const QString header = QStringLiteral("0%1").arg(blockChars, 2, 16, QLatin1Char('0')) + QStringLiteral("00000a*");
    return SendStream::reformat(QString(), header, QStringLiteral("]"), QString::fromLatin1(bytes.toHex()), blockChars)
        .toLatin1();
}

// Unpaced sends repeat the 320x200 stream back to back: one alone is over
// in about a millisecond, too short to time.
constexpr int streamsInARow = 20;

VirtualPicConfig lcd(int width, int height)
{
    VirtualPicConfig config;
    config.width = width;
    config.height = height;
    return config;
}

bool writeAll(int fd, const char *data, qsizetype size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size_t(size));
        if (n <= 0)
            return false;
        data += n;
        size -= n;
    }
    return true;
}

void sleepNs(qint64 ns)
{
    const struct timespec pause = {time_t(ns / 1000000000), long(ns % 1000000000)};
    clock_nanosleep(CLOCK_MONOTONIC, 0, &pause, nullptr);
}

struct ErrorStats
{
    double meanUs = 0, medianAbsUs = 0, p95AbsUs = 0, worstUs = 0;
};

ErrorStats compare(const QList<qint64> &measured, const QList<qint64> &sent)
{
    ErrorStats stats;
    QList<double> absUs;
    for (qsizetype i = 0; i < sent.size(); ++i) {
        const double errorUs = (measured.at(i) - sent.at(i)) / 1e3;
        stats.meanUs += errorUs / sent.size();
        absUs << qAbs(errorUs);
        if (qAbs(errorUs) > qAbs(stats.worstUs))
            stats.worstUs = errorUs;
    }
    std::sort(absUs.begin(), absUs.end());
    stats.medianAbsUs = absUs.at(absUs.size() / 2);
    stats.p95AbsUs = absUs.at(absUs.size() * 95 / 100);
    return stats;
}

} // namespace

// How well the virtual PIC measures pauses, and whether it keeps up with a
// send that does not pause at all. Figures go to the log (run this test
// alone for them); the checks are loose, since a busy machine delays every
// thread.
class VirtualBenchmark : public QObject
{
    Q_OBJECT
private slots:
    void pauseAccuracy();
    void unpacedPacedSender();
    void unpacedRawWrites();

private:
    void checkReceived(VirtualLcdDevice &device, const QByteArray &bytes, const QSignalSpy &ended);
};

// A sender thread writes each block with write(2) and pauses 0.5 to 10 ms
// before the next wait character, stamping CLOCK_MONOTONIC around every
// write: its own view of each gap (from after the block's write to before
// the wait character's), against which the device's stamps are compared.
// When the sender itself was held up around a write, its view is blurred:
// such pauses are counted but left out of the error figures.
void VirtualBenchmark::pauseAccuracy()
{
    const QByteArray bytes = pictureBytes(1920);
    const QByteArray stream = streamOf(bytes, 32);
    VirtualLcdDevice device(lcd(240, 64));
    QString error;
    QVERIFY(device.open(&error));
    QSignalSpy ended(device.pic(), &VirtualPic::streamEnded);
    const int fd = ::open(QFile::encodeName(device.devicePath()).constData(), O_RDWR | O_NOCTTY);
    QVERIFY(fd >= 0);
    const QList<qint64> pausesNs = {500000, 1000000, 2000000, 5000000, 10000000};
    QList<qint64> sentNs;
    QList<qint64> blurNs; // time spent in the two writes around each gap
    std::thread sender([&] {
        qint64 lastWriteNs = 0;
        qint64 blockEnd = 0;
        qsizetype from = 0;
        for (int segment = 0; from < stream.size(); ++segment) {
            const qsizetype next = stream.indexOf(']', from + 1);
            const qsizetype end = next < 0 ? stream.size() : next;
            if (segment > 1) // before each wait character after the first block
                sleepNs(pausesNs.at(segment % pausesNs.size()));
            const qint64 before = PtyReader::monotonicNs();
            writeAll(fd, stream.constData() + from, end - from);
            const qint64 after = PtyReader::monotonicNs();
            if (segment > 1) {
                sentNs << before - blockEnd;
                blurNs << lastWriteNs + (after - before);
            }
            lastWriteNs = after - before;
            blockEnd = after;
            from = end;
        }
    });
    const bool finished = ended.wait(20000);
    sender.join();
    ::close(fd);
    QVERIFY(finished);
    const auto summary = ended.first().first().value<VirtualStreamSummary>();
    QCOMPARE(summary.pausesNs.size(), 119);
    QCOMPARE(sentNs.size(), 119);
    QList<qint64> measured, sent;
    for (qsizetype i = 0; i < sentNs.size(); ++i) {
        if (blurNs.at(i) < 100000) {
            measured << summary.pausesNs.at(i);
            sent << sentNs.at(i);
        }
    }
    if (sent.isEmpty())
        QSKIP("the sender was held up around every write");
    const ErrorStats stats = compare(measured, sent);
    qInfo("pause measurement over %lld of %lld pauses of 0.5 to 10 ms (the others blurred on the sender's side): "
          "error (measured minus the sender's own gap) mean %+.1f us, absolute median %.1f us, 95th percentile "
          "%.1f us, worst %+.1f us",
          qint64(sent.size()), qint64(sentNs.size()), stats.meanUs, stats.medianAbsUs, stats.p95AbsUs, stats.worstUs);
    QCOMPARE(device.pic()->lcdMemory(), bytes);
}

// Every stream whole: 500 blocks, 8,000 bytes, no fault, the LCD as sent.
void VirtualBenchmark::checkReceived(VirtualLcdDevice &device, const QByteArray &bytes, const QSignalSpy &ended)
{
    QCOMPARE(ended.size(), streamsInARow);
    for (const QList<QVariant> &arguments : ended) {
        const auto summary = arguments.first().value<VirtualStreamSummary>();
        QCOMPARE(summary.faults.size(), 0);
        QCOMPARE(summary.bytes, bytes.size());
        QCOMPARE(summary.blocks, 500);
    }
    QCOMPARE(device.pic()->lcdMemory(), bytes);
}

// The program's own sender with no transmit delay, as `tavrel send
// --xmit-delay 0` runs it, in the same event loop as the parsing.
void VirtualBenchmark::unpacedPacedSender()
{
    const QByteArray bytes = pictureBytes(8000);
    const QByteArray stream = streamOf(bytes, 32).repeated(streamsInARow);
    VirtualLcdDevice device(lcd(320, 200));
    QString error;
    QVERIFY(device.open(&error));
    QSignalSpy ended(device.pic(), &VirtualPic::streamEnded);
    QSerialPort port(device.devicePath());
    QVERIFY(port.open(QIODevice::ReadWrite) && port.setBaudRate(19200));
    PacedSender sender;
    QElapsedTimer clock;
    clock.start();
    QVERIFY(sender.start(&port, stream, ']', 0));
    QTRY_COMPARE_WITH_TIMEOUT(ended.size(), streamsInARow, 20000);
    const qint64 ns = clock.nsecsElapsed();
    checkReceived(device, bytes, ended);
    qInfo("unpaced PacedSender, %d 320x200 streams, %lld bytes: all received in %.1f ms, %.0f bytes/s",
          streamsInARow, qint64(stream.size()), ns / 1e6, stream.size() / (ns / 1e9));
}

// The line's own limit: one thread writing the streams as fast as the
// pseudo-terminal takes them.
void VirtualBenchmark::unpacedRawWrites()
{
    const QByteArray bytes = pictureBytes(8000);
    const QByteArray stream = streamOf(bytes, 32).repeated(streamsInARow);
    VirtualLcdDevice device(lcd(320, 200));
    QString error;
    QVERIFY(device.open(&error));
    QSignalSpy ended(device.pic(), &VirtualPic::streamEnded);
    const int fd = ::open(QFile::encodeName(device.devicePath()).constData(), O_RDWR | O_NOCTTY);
    QVERIFY(fd >= 0);
    QElapsedTimer clock;
    clock.start();
    std::thread sender([&] { writeAll(fd, stream.constData(), stream.size()); });
    QTRY_COMPARE_WITH_TIMEOUT(ended.size(), streamsInARow, 20000);
    const qint64 ns = clock.nsecsElapsed();
    sender.join();
    ::close(fd);
    checkReceived(device, bytes, ended);
    qInfo("unpaced write(2), %d 320x200 streams, %lld bytes: all received in %.1f ms, %.0f bytes/s",
          streamsInARow, qint64(stream.size()), ns / 1e6, stream.size() / (ns / 1e9));
}

QTEST_GUILESS_MAIN(VirtualBenchmark)
#include "tst_virtual_benchmark.moc"
