// How long the window takes from a press of Convert (and of Reformat For
// Output) until the output window and the preview both show the result, and
// the longest time the event loop went unanswered meanwhile, at 128x64,
// 320x200 and 1024x1024 with a noisy picture (no run of equal bytes).
// Run: QT_QPA_PLATFORM=offscreen build/benchmarks/convert_benchmark [runs]
#include "gui/MainWindow.h"
#include "logic/core/AppState.h"
#include "widgets/canvas/PixelCanvas.h"
#include "widgets/decode/PreviewPane.h"
#include "widgets/ui/ControlNames.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QSpinBox>
#include <QTextStream>
#include <QTimer>

#include <algorithm>

namespace {

template <typename T>
T *find(QWidget *window, const QString &name)
{
    T *found = window->findChild<T *>(name);
    if (!found)
        qFatal("no control %s", qPrintable(name));
    return found;
}

// The longest gap between ticks of a 1 ms timer while `busy` runs.
struct Timing
{
    double ms = 0;
    double longestGapMs = 0;
};

Timing timeUntil(const std::function<void()> &press, const std::function<bool()> &done)
{
    QElapsedTimer clock;
    QElapsedTimer gap;
    double longest = 0;
    QTimer ticker;
    ticker.setInterval(1);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        longest = std::max(longest, gap.nsecsElapsed() / 1e6);
        gap.restart();
    });
    ticker.start();
    clock.start();
    gap.start();
    press();
    while (!done())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    longest = std::max(longest, gap.nsecsElapsed() / 1e6);
    return {clock.nsecsElapsed() / 1e6, longest};
}

void drawNoise(PixelCanvas *canvas, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    QRandomGenerator random(7);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, random.bounded(2) ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
    canvas->setImage(image);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 3;
    MainWindow window;
    window.resize(1366, 768);
    window.show();
    QCoreApplication::processEvents();
    auto *output = find<QPlainTextEdit>(&window, ControlNames::outputWindow);
    auto *preview = window.findChild<PreviewPane *>();
    bool decoded = false;
    QObject::connect(preview, &PreviewPane::decoded, [&decoded] { decoded = true; });
    QTextStream out(stdout);
    out << "size        Convert ms (longest gap)   Reformat ms (longest gap)\n";
    for (const QSize size : {QSize(128, 64), QSize(320, 200), QSize(1024, 1024)}) {
        find<QRadioButton>(&window, ControlNames::lcdSizeOption(8))->click();
        find<QSpinBox>(&window, ControlNames::customWidthBox)->setValue(size.width());
        find<QSpinBox>(&window, ControlNames::customHeightBox)->setValue(size.height());
        QCoreApplication::processEvents();
        drawNoise(window.findChild<PixelCanvas *>(), size);
        QVector<Timing> converts, reformats;
        for (int run = 0; run < runs; ++run) {
            output->clear();
            // Past the preview's typing delay, as a user's press would be.
            QElapsedTimer rest;
            rest.start();
            while (rest.elapsed() < 400)
                QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            decoded = false;
            converts << timeUntil([&] { find<QPushButton>(&window, ControlNames::convertButton)->click(); },
                                  [&] { return decoded && preview->result().ok(); });
            decoded = false;
            reformats << timeUntil([&] { find<QPushButton>(&window, ControlNames::reformatButton)->click(); },
                                   [&] { return decoded && preview->result().ok(); });
        }
        const auto median = [](QVector<Timing> timings) {
            std::sort(timings.begin(), timings.end(), [](const Timing &a, const Timing &b) { return a.ms < b.ms; });
            return timings.at(timings.size() / 2);
        };
        const Timing convert = median(converts), reformat = median(reformats);
        out << QStringLiteral("%1x%2").arg(size.width()).arg(size.height()).leftJustified(12)
            << QString::number(convert.ms, 'f', 1).rightJustified(10) << " ("
            << QString::number(convert.longestGapMs, 'f', 1) << ")"
            << QString::number(reformat.ms, 'f', 1).rightJustified(20) << " ("
            << QString::number(reformat.longestGapMs, 'f', 1) << ")\n";
        out.flush();
    }
    return 0;
}
