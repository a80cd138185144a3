// Pauses as the far end sees them. A 128x64 KS0108 picture (64 blocks) is
// sent with a transmit delay of 1, 5 and 20 ms, by `tavrel send` and by the
// window's "Send to LCD", into the virtual LCD, whose reader thread stamps
// each byte's arrival. Prints, per delay and sender, the pause error (pause
// minus delay) at the median, the 95th percentile and the worst, and how many
// pauses fell short of the delay. Where allowed (root), the far end's threads
// run at real-time priority, so its stamps are late less often: a
// pseudo-terminal has no line, and a stamp taken late shortens the pause it ends.
// Run: QT_QPA_PLATFORM=offscreen build/benchmarks/pause_benchmark [runs]
#include "gui/MainWindow.h"
#include "logic/core/AppState.h"
#include "logic/serial/PortAssignments.h"
#include "logic/virtual/VirtualLcdDevice.h"
#include "logic/virtual/VirtualPic.h"
#include "logic/virtual/VirtualStreamSummary.h"
#include "widgets/canvas/PixelCanvas.h"
#include "widgets/ui/ControlNames.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QProcess>
#include <QRadioButton>
#include <QTemporaryFile>
#include <QThread>
#include <QTimer>

#include <sched.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

template <typename T>
T *find(QWidget *window, const char *name)
{
    T *found = window->findChild<T *>(QLatin1String(name));
    if (!found)
        qFatal("no control %s", name);
    return found;
}

// The virtual LCD on a thread of its own, so neither sender's event loop delays its reading.
class FarEnd
{
public:
    FarEnd()
    {
        // Threads started from here (the device's reader, the PIC's) take this policy with them.
        const sched_param realTime{sched_get_priority_min(SCHED_FIFO)};
        const sched_param normal{0};
        realTimeStamps = sched_setscheduler(0, SCHED_FIFO, &realTime) == 0;
        VirtualPicConfig config;
        config.width = 128;
        config.height = 64;
        config.horizontal = false;
        m_device = new VirtualLcdDevice(config);
        QString error;
        if (!m_device->open(&error))
            qFatal("cannot open the virtual LCD: %s", qPrintable(error));
        m_device->moveToThread(&m_thread);
        m_device->pic()->moveToThread(&m_thread);
        QObject::connect(m_device->pic(), &VirtualPic::streamEnded, qApp,
                         [this](const VirtualStreamSummary &summary) { m_summaries << summary; });
        m_thread.start();
        sched_setscheduler(0, SCHED_OTHER, &normal);
    }
    ~FarEnd()
    {
        QMetaObject::invokeMethod(m_device, [this] { m_device->close(); delete m_device; },
                                  Qt::BlockingQueuedConnection);
        m_thread.quit();
        m_thread.wait();
    }
    QString path() const { return m_device->devicePath(); }
    bool realTimeStamps = false;
    // The next stream's pauses, once it ended.
    QList<qint64> nextPausesNs()
    {
        while (m_summaries.isEmpty())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        const VirtualStreamSummary summary = m_summaries.takeFirst();
        if (!summary.isClean())
            std::fprintf(stderr, "pause_benchmark: %s\n", qPrintable(summary.text()));
        for (const VirtualFault &fault : summary.faults)
            std::fprintf(stderr, "  %s\n", qPrintable(fault.text()));
        return summary.pausesNs;
    }

private:
    QThread m_thread;
    VirtualLcdDevice *m_device;
    QList<VirtualStreamSummary> m_summaries;
};

void drawAndReformat(MainWindow &window)
{
    for (QRadioButton *option : window.findChildren<QRadioButton *>())
        if (option->accessibleName() == QLatin1String("128x64"))
            option->click();
    find<QAbstractButton>(&window, ControlNames::verticalOption)->click();
    auto *canvas = find<PixelCanvas>(&window, ControlNames::pixelCanvas);
    for (int x = 0; x < 128; x += 3)
        canvas->setPoint({x, (x * 7) % 64});
    find<QAbstractButton>(&window, ControlNames::convertButton)->click();
    find<QAbstractButton>(&window, ControlNames::reformatButton)->click();
}

void sendFromWindow(MainWindow &window, int delayMs)
{
    find<QLineEdit>(&window, ControlNames::xmitDelayBox)->setText(QString::number(delayMs));
    QWidget *stop = find<QWidget>(&window, ControlNames::stopSendButton);
    find<QAbstractButton>(&window, ControlNames::sendToLcdButton)->click();
    while (!stop->isHidden())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

void sendFromCommandLine(const QString &program, const QString &port, const QString &streamFile, int delayMs)
{
    QProcess send;
    send.start(program, {QStringLiteral("send"), QStringLiteral("--port"), port, QStringLiteral("--xmit-delay"),
                         QString::number(delayMs), streamFile});
    if (!send.waitForFinished(60000) || send.exitCode() != 0)
        qFatal("tavrel send failed: %s", send.readAllStandardError().constData());
}

struct Errors
{
    QList<double> errorsMs;
    int shortPauses = 0;
};

void add(Errors &errors, const QList<qint64> &pausesNs, int delayMs)
{
    for (qint64 pause : pausesNs) {
        errors.errorsMs << pause / 1e6 - delayMs;
        if (pause < qint64(delayMs) * 1000000)
            ++errors.shortPauses;
    }
}

void print(const char *sender, int delayMs, Errors errors)
{
    if (errors.errorsMs.isEmpty())
        return;
    std::sort(errors.errorsMs.begin(), errors.errorsMs.end());
    const auto at = [&](double share) { return errors.errorsMs.at(qsizetype(share * (errors.errorsMs.size() - 1))); };
    std::printf("%-12s %5d ms %8.3f %8.3f %8.3f %8.3f %7d of %lld\n", sender, delayMs, at(0.5), at(0.95),
                errors.errorsMs.last(), errors.errorsMs.first(), errors.shortPauses, qint64(errors.errorsMs.size()));
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/../src/tavrel");
    FarEnd farEnd;
    PortAssignments ports;
    ports.setDevice(1, farEnd.path());
    MainWindow window(ports);
    drawAndReformat(window);
    QTemporaryFile streamFile;
    if (!streamFile.open())
        qFatal("cannot write the stream file");
    streamFile.write(window.state().reformattedText.toLatin1());
    streamFile.close();
    double load[3] = {};
    getloadavg(load, 3);
    std::printf("128x64 KS0108, 64 blocks, %d runs each; load average %.2f; far end at %s priority\n", runs, load[0],
                farEnd.realTimeStamps ? "real-time" : "normal");
    std::printf("pause error in ms (pause - delay)\n%-12s %8s %8s %8s %8s %8s %s\n", "sender", "delay", "median",
                "95th", "worst", "least", "short pauses");
    for (int delayMs : {1, 5, 20}) {
        Errors command, windowed;
        for (int run = 0; run < runs; ++run) {
            sendFromCommandLine(program, farEnd.path(), streamFile.fileName(), delayMs);
            add(command, farEnd.nextPausesNs(), delayMs);
            find<QAbstractButton>(&window, ControlNames::portOpenButton)->click();
            sendFromWindow(window, delayMs);
            find<QAbstractButton>(&window, ControlNames::portOpenButton)->click();
            add(windowed, farEnd.nextPausesNs(), delayMs);
        }
        print("tavrel send", delayMs, command);
        print("window", delayMs, windowed);
    }
    return 0;
}
