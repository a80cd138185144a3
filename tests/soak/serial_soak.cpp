// A soak of the serial path over a pseudo-terminal, run by hand (not a CTest
// test: it takes about a minute and its figures are for reading):
//   build/tests/soak/serial_soak [ROUNDS]          (default 100)
// 1. Sends the stream of a 240x64 picture ROUNDS times through CommPort and
//    the paced sender, as "Send to LCD" does, with a 5 ms transmit delay; the
//    far end reads as a device would and each send must arrive byte-exact.
// 2. Opens and closes the port ROUNDS times with bytes flowing both ways; the
//    process must hold the same descriptors afterwards (/proc/self/fd).
// Prints the figures; exits 1 when anything failed.
#include "LineRecorder.h"
#include "PseudoTerminal.h"
#include "logic/canvas/LcdSizes.h"
#include "logic/convert/Conversion.h"
#include "logic/convert/TransferHeader.h"
#include "logic/output/PacedSender.h"
#include "logic/output/SendStream.h"
#include "logic/serial/CommPort.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QImage>
#include <QPainter>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {
constexpr int transmitDelayMs = 5;
constexpr int cycleBytes = 64;

// Runs the event loop until `done` holds or `timeoutMs` passed.
bool waitUntil(const std::function<bool()> &done, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done() || clock.elapsed() > timeoutMs)
            loop.quit();
    });
    poll.start(1);
    loop.exec();
    return done();
}

// What `tavrel convert --stream --size 240x64` prints for a drawing.
QByteArray pictureStream()
{
    QImage picture(240, 64, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setPen(Qt::black);
    for (int x = 0; x < 240; x += 7)
        painter.drawLine(x, 0, 239 - x, 63);
    painter.end();
    const LcdSize *lcd = LcdSizes::byCaption(QStringLiteral("240x64"));
    ConversionSettings conversion;
    conversion.width = lcd->width;
    conversion.height = lcd->height;
    conversion.layout = MatrixLayout::usual(false);
    PicTransferOptions transfer;
    transfer.lcdSizeIndex = qint16(lcd->index);
    const QString hex = SendStream::outputTextFrom(Conversion::fromPicture(picture, conversion));
    return SendStream::reformat(QString(), TransferHeader::build(transfer).text(), QStringLiteral("]"), hex,
                                transfer.picBufferSize)
        .toLatin1();
}

QStringList openDescriptors()
{
    QStringList fds = QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::NoDotAndDotDot | QDir::System);
    QStringList described;
    for (const QString &fd : fds)
        described << fd + QLatin1String(" -> ") + QFile::symLinkTarget(QStringLiteral("/proc/self/fd/") + fd);
    return described;
}

int sends(int rounds, PseudoTerminal &pty)
{
    const QByteArray stream = pictureStream();
    PortAssignments devices;
    devices.setDevice(1, pty.slavePath());
    CommPort port(devices);
    if (!port.setSettings(QStringLiteral("19200,n,8,1")) || !port.setPortOpen(true)) {
        std::printf("cannot open %s: %s\n", qPrintable(pty.slavePath()), qPrintable(port.errorString()));
        return rounds;
    }
    PacedSender sender;
    sender.setMaxInFlight(port.outBufferSize());
    int failures = 0;
    QList<qint64> timesMs;
    QElapsedTimer whole;
    whole.start();
    for (int round = 0; round < rounds; ++round) {
        LineRecorder line(pty.masterFd());
        bool finished = false;
        QObject::connect(&sender, &PacedSender::finished, &sender, [&finished] { finished = true; });
        QElapsedTimer clock;
        clock.start();
        const bool ok = sender.start(port.serialPort(), stream, ']', transmitDelayMs)
            && waitUntil([&] { return finished; }, 20000)
            && waitUntil([&] { return line.size() >= stream.size(); }, 2000) && line.bytes() == stream;
        timesMs << clock.elapsed();
        sender.disconnect(&sender);
        if (!ok) {
            ++failures;
            std::printf("send %d: %lld of %lld bytes arrived, %s\n", round + 1, qint64(line.size()),
                        qint64(stream.size()), line.bytes() == stream.left(line.size()) ? "in order" : "garbled");
        }
    }
    std::sort(timesMs.begin(), timesMs.end());
    std::printf("sends: %d of %lld bytes (%lld bytes in all), %d failures, %.1f s; a send took %.2f s at the "
                "median, %.2f s at most\n",
                rounds, qint64(stream.size()), qint64(stream.size()) * rounds, failures, whole.elapsed() / 1000.0,
                timesMs.at(timesMs.size() / 2) / 1000.0, timesMs.last() / 1000.0);
    return failures;
}

int openCloseCycles(int rounds, PseudoTerminal &pty)
{
    PortAssignments devices;
    devices.setDevice(1, pty.slavePath());
    CommPort port(devices);
    LineRecorder line(pty.masterFd());
    QByteArray outgoing(cycleBytes, '\0');
    for (int i = 0; i < cycleBytes; ++i)
        outgoing[i] = char(i * 37 + 11);
    const QStringList before = openDescriptors();
    qsizetype most = before.size();
    int failures = 0;
    QElapsedTimer whole;
    whole.start();
    for (int round = 0; round < rounds; ++round) {
        QString received;
        const bool ok = port.setPortOpen(true) && pty.write(outgoing) && port.writeBytes(outgoing) == cycleBytes
            && waitUntil([&] { received += port.input(); return received.size() >= cycleBytes && port.bytesToWrite() == 0; }, 2000)
            && received.toLatin1() == outgoing;
        most = std::max(most, openDescriptors().size());
        port.setPortOpen(false);
        if (!ok) {
            ++failures;
            std::printf("cycle %d failed: %s\n", round + 1, qPrintable(port.errorString()));
        }
    }
    const bool allArrived = waitUntil([&] { return line.size() >= qsizetype(rounds) * cycleBytes; }, 2000)
        && line.bytes() == outgoing.repeated(rounds);
    if (!allArrived) {
        ++failures;
        std::printf("the far end got %lld of %lld bytes\n", qint64(line.size()), qint64(rounds) * cycleBytes);
    }
    const QStringList after = openDescriptors();
    std::printf("open/close: %d cycles with %d bytes each way, %d failures, %.1f s; descriptors before %lld, "
                "after %lld, most while open %lld\n",
                rounds, cycleBytes, failures, whole.elapsed() / 1000.0, qint64(before.size()), qint64(after.size()),
                qint64(most));
    if (after != before) {
        ++failures;
        std::printf("descriptors before:\n  %s\nafter:\n  %s\n", qPrintable(before.join(QLatin1String("\n  "))),
                    qPrintable(after.join(QLatin1String("\n  "))));
    }
    return failures;
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const int rounds = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 100;
    if (rounds < 1) {
        std::fprintf(stderr, "usage: serial_soak [ROUNDS]\n");
        return 2;
    }
    PseudoTerminal pty;
    if (!pty.isValid()) {
        std::printf("no pseudo-terminal\n");
        return 1;
    }
    const int failures = sends(rounds, pty) + openCloseCycles(rounds, pty);
    std::printf("%s\n", failures == 0 ? "soak passed" : "soak FAILED");
    return failures == 0 ? 0 : 1;
}
