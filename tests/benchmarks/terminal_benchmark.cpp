// Measures what receiving costs the window, over a pseudo-terminal:
//  - a line with no break arriving at 115,200 baud for 10 s: the CPU time
//    of the window's thread against the time that passed;
//  - a 5 MB flood written as fast as the line takes it: the longest time
//    the window did not answer, and whether it ends showing the newest text.
// Each in the classic view and in the hex view with timestamps. Run it
// offscreen or on a display (xvfb-run -a ...) to include painting.
#include "SerialRig.h"
#include "StallMeter.h"
#include "widgets/ui/ControlNames.h"

#include <QCheckBox>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include <atomic>
#include <cstdio>
#include <ctime>
#include <thread>
#include <poll.h>
#include <unistd.h>

namespace {
constexpr int baud = 115200;
constexpr int bytesPerSecond = baud / 10; // 8N1: ten bits a byte
constexpr int lineSeconds = 10;
constexpr qsizetype floodBytes = 5 * 1024 * 1024;

double threadCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec + now.tv_nsec / 1e9;
}

// Letters without any line break, paced to the baud rate.
void writePaced(int master, std::atomic<bool> &done)
{
    QElapsedTimer clock;
    clock.start();
    qint64 sent = 0;
    while (clock.elapsed() < lineSeconds * 1000) {
        const qint64 due = clock.elapsed() * bytesPerSecond / 1000;
        QByteArray chunk;
        for (; sent < due; ++sent)
            chunk += char('A' + sent % 26);
        if (!chunk.isEmpty() && ::write(master, chunk.constData(), size_t(chunk.size())) < 0)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    done = true;
}

// Numbered lines as fast as the line takes them; the last one marks the end.
void writeFlood(int master, std::atomic<bool> &done)
{
    QByteArray flood;
    for (int i = 0; flood.size() < floodBytes; ++i)
        flood += "line " + QByteArray::number(i) + " of the flood\r\n";
    flood += "END\r\n";
    qsizetype at = 0;
    while (at < flood.size()) {
        const ssize_t n = ::write(master, flood.constData() + at, size_t(qMin<qsizetype>(4096, flood.size() - at)));
        if (n > 0) {
            at += n;
        } else if (errno != EAGAIN && errno != EINTR) {
            break;
        } else { // the line is full: write again the moment the window has read
            pollfd room = {master, POLLOUT, 0};
            ::poll(&room, 1, 100);
        }
    }
    done = true;
}

struct Window
{
    explicit Window(PseudoTerminal &pty, bool hexView) : rig(portsWith(pty))
    {
        rig.window.show();
        if (!QTest::qWaitForWindowExposed(&rig.window))
            std::printf("the window did not show\n");
        for (const char *name : {ControlNames::hexViewCheck, ControlNames::timestampsCheck})
            if (auto *check = rig.get<QCheckBox>(name))
                check->setChecked(hexView);
        rig.clickOpenClose();
    }
    SerialRig rig;
};

void longLine(bool hexView)
{
    PseudoTerminal pty;
    Window window(pty, hexView);
    std::atomic<bool> done{false};
    QElapsedTimer wall;
    wall.start();
    const double cpuBefore = threadCpuSeconds();
    std::thread writer(writePaced, pty.masterFd(), std::ref(done));
    // A plain event loop, as the program runs: no polling of our own.
    QEventLoop loop;
    QTimer::singleShot((lineSeconds * 1000) + 200, &loop, &QEventLoop::quit);
    loop.exec();
    const double cpu = threadCpuSeconds() - cpuBefore;
    const double seconds = wall.elapsed() / 1000.0;
    writer.join();
    std::printf("line without a break at %d baud for %d s, %s view: window thread CPU %.1f%% (%.2f s in %.2f s)\n",
                baud, lineSeconds, hexView ? "hex + timestamps" : "classic", 100 * cpu / seconds, cpu, seconds);
}

void flood(bool hexView)
{
    PseudoTerminal pty;
    Window window(pty, hexView);
    QPlainTextEdit *input = window.rig.input();
    std::atomic<bool> done{false};
    StallMeter stalls;
    QElapsedTimer wall;
    wall.start();
    const double cpuBefore = threadCpuSeconds();
    std::thread writer(writeFlood, pty.masterFd(), std::ref(done));
    const QString end = hexView ? QStringLiteral("45 4e 44 0d 0a") : QStringLiteral("\nEND\n");
    QEventLoop loop;
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, &loop, [&] {
        if (done.load() && input->toPlainText().contains(end))
            loop.quit();
    });
    look.start(50);
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    loop.exec();
    const bool shown = input->toPlainText().contains(end);
    const double seconds = wall.elapsed() / 1000.0;
    const double cpu = threadCpuSeconds() - cpuBefore;
    writer.join();
    std::printf("5 MB flood, %s view: shown in %.2f s (window thread CPU %.2f s), longest time the window did "
                "not answer %.0f ms, ends with the newest text: %s\n",
                hexView ? "hex + timestamps" : "classic", seconds, cpu, stalls.longestLateMs(), shown ? "yes" : "NO");
}
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    std::printf("platform: %s\n", qPrintable(QGuiApplication::platformName()));
    MessageRecorder recorder; // no message box may wait for a person
    const QStringList only = QCoreApplication::arguments().mid(1); // "line", "flood": one of them
    for (bool hexView : {false, true})
        if (only.isEmpty() || only.contains(QStringLiteral("line")))
            longLine(hexView);
    for (bool hexView : {false, true})
        if (only.isEmpty() || only.contains(QStringLiteral("flood")))
            flood(hexView);
    for (const QString &message : recorder.messages)
        std::printf("message: %s\n", qPrintable(message));
    return 0;
}
