#include "FormLookup.h"
#include "widgets/ui/ControlNames.h"
#include "LineRecorder.h"
#include "MessageRecorder.h"
#include "PseudoTerminal.h"
#include "StallMeter.h"
#include "gui/MainWindow.h"
#include "widgets/canvas/PixelCanvas.h"
#include "logic/serial/PortAssignments.h"
#include "logic/output/PacedSender.h"
#include "logic/output/SendStream.h"

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <QSerialPort>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

namespace {
constexpr int pauseMs = 5;

// The stream of a 240x64 KS0108 picture: header, then 1,920 bytes as 3,840
// hexadecimal characters in 120 blocks of 32.
QByteArray pictureStream()
{
    QString hex;
    for (int i = 0; i < 1920; ++i)
        hex += QStringLiteral("%1").arg((i * 37) & 0xff, 2, 16, QLatin1Char('0'));
    return SendStream::reformat(QString(), QStringLiteral("02000000A*"), QStringLiteral("]"), hex, 32).toLatin1();
}

void report(const char *what, qint64 sendMs, const LineRecorder &line, const QByteArray &stream, double stallMs)
{
    QList<qint64> gapsNs;
    for (qsizetype i = 1; i < stream.size(); ++i) {
        if (stream.at(i) == ']')
            gapsNs << line.gapBeforeNs(i);
    }
    std::sort(gapsNs.begin(), gapsNs.end());
    const qsizetype shortGaps = std::count_if(gapsNs.cbegin(), gapsNs.cend(),
                                              [](qint64 gap) { return gap < pauseMs * 1000000; });
    const double budgetMs = 1.1 * (120 * pauseMs) + 100;
    qInfo("%s: whole send %lld ms (budget %.0f ms); gaps before blocks: shortest %.3f ms, median %.3f ms, "
          "%lld of %lld under %d ms; longest event-loop stall %.2f ms",
          what, sendMs, budgetMs, gapsNs.first() / 1e6, gapsNs.at(gapsNs.size() / 2) / 1e6, qint64(shortGaps),
          qint64(gapsNs.size()), pauseMs, stallMs);
}
} // namespace

// Sends a whole picture over a pseudo-terminal with a 5 ms transmit delay and
// reports the time taken, the gaps the far end saw before the blocks and the
// longest the event loop was held up. Figures go to the log; only the bytes
// are checked, since a busy machine delays the reader and blurs the gaps.
class SendBenchmark : public QObject
{
    Q_OBJECT
private slots:
    void pictureAtFiveMilliseconds();
    void pictureThroughTheWindow();
};

void SendBenchmark::pictureAtFiveMilliseconds()
{
    const QByteArray stream = pictureStream();
    QCOMPARE(stream.count(']'), 120);
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
    report("paced sender", sendMs, line, stream, stalls.longestLateMs());
}

// The same send from the window: draw, Convert, Reformat, open Com1 on the
// pseudo-terminal, "Send to LCD", with the echo into outputWindow and the count-down.
void SendBenchmark::pictureThroughTheWindow()
{
    PseudoTerminal pty;
    QVERIFY(pty.isValid());
    PortAssignments ports;
    ports.setDevice(1, pty.slavePath());
    MainWindow window(ports);
    MessageRecorder recorder;
    auto *verticalOption = control<QAbstractButton>(&window, ControlNames::verticalOption);
    QVERIFY(verticalOption);
    verticalOption->click();
    auto *canvas = control<PixelCanvas>(&window, ControlNames::pixelCanvas);
    QVERIFY(canvas);
    for (int x = 0; x < 240; x += 3)
        canvas->setPoint({x, (x * 7) % 64});
    auto *convertButton = control<QAbstractButton>(&window, ControlNames::convertButton);
    QVERIFY(convertButton);
    convertButton->click();
    auto *reformatButton = control<QAbstractButton>(&window, ControlNames::reformatButton);
    QVERIFY(reformatButton);
    reformatButton->click();
    const QByteArray stream = window.state().reformattedText.toLatin1();
    QCOMPARE(stream.count(']'), 120);
    auto *portOpenButton = control<QAbstractButton>(&window, ControlNames::portOpenButton);
    QVERIFY(portOpenButton);
    portOpenButton->click();
    auto *xmitDelay = control<QLineEdit>(&window, ControlNames::xmitDelayBox);
    QVERIFY(xmitDelay);
    xmitDelay->setText(QString::number(pauseMs));
    LineRecorder line(pty.masterFd());
    auto *stop = control<QWidget>(&window, ControlNames::stopSendButton);
    QVERIFY(stop);
    QEventLoop loop;
    QTimer poll;
    connect(&poll, &QTimer::timeout, &loop, [&] {
        if (stop->isHidden())
            loop.quit();
    });
    StallMeter stalls;
    QElapsedTimer clock;
    clock.start();
    auto *sendToLcdButton = control<QAbstractButton>(&window, ControlNames::sendToLcdButton);
    QVERIFY(sendToLcdButton);
    sendToLcdButton->click();
    poll.start(1);
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    loop.exec();
    const qint64 sendMs = clock.elapsed();
    QVERIFY(stop->isHidden());
    QTRY_COMPARE(line.size(), stream.size());
    QCOMPARE(line.bytes(), stream);
    report("window", sendMs, line, stream, stalls.longestLateMs());
}

QTEST_MAIN(SendBenchmark)
#include "tst_sendbenchmark.moc"
