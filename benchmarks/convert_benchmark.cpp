// Convert and Reformat in the window, as a user presses them: from the
// press until the output window and the preview both show the result, and
// the longest time the window did not answer meanwhile, at 128x64, 320x200
// and 1024x1024 with a random picture. Medians of `runs` presses.
// Run: QT_QPA_PLATFORM=offscreen build/benchmarks/convert_benchmark 5
//   (or on a display, DISPLAY=:99, to include painting)
#include "../tests/support/StallMeter.h"
#include "gui/MainWindow.h"
#include "logic/canvas/LcdSizes.h"
#include "widgets/canvas/CanvasPanel.h"
#include "widgets/canvas/PixelCanvas.h"
#include "widgets/decode/PreviewPane.h"
#include "widgets/ui/ControlNames.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSignalSpy>

#include <algorithm>
#include <cstdio>

namespace {

QImage randomPicture(QSize size)
{
    QImage picture(size, QImage::Format_RGB32);
    QRandomGenerator random(7);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            picture.setPixel(x, y, random.bounded(2) ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
    return picture;
}

struct Timing
{
    double ms;
    double stallMs;
};

// From the press of `button` until the preview has decoded the new text and
// the window has painted it.
Timing press(MainWindow &window, const char *buttonName)
{
    auto *button = window.findChild<QPushButton *>(QLatin1String(buttonName));
    auto *preview = window.findChild<PreviewPane *>();
    QSignalSpy decoded(preview, &PreviewPane::decoded);
    StallMeter stalls;
    QElapsedTimer clock;
    clock.start();
    button->click();
    while (decoded.isEmpty())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    QCoreApplication::processEvents(); // the paint that shows both
    const double ms = clock.nsecsElapsed() / 1e6;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return {ms, stalls.longestLateMs()};
}

double median(QVector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    MainWindow window;
    window.resize(1366, 740);
    window.show();
    auto *canvas = window.findChild<CanvasPanel *>();
    std::printf("press to output window and preview shown, median of %d, ms (longest stall)\n", runs);
    for (const QSize size : {QSize(128, 64), QSize(320, 200), QSize(1024, 1024)}) {
        canvas->sizeChosen(LcdSizes::indexFor(size), size);
        canvas->canvas()->replaceAll(randomPicture(size));
        QVector<double> convert, reformat, convertStall, reformatStall;
        for (int run = 0; run < runs; ++run) {
            const Timing converted = press(window, ControlNames::convertButton);
            const Timing reformatted = press(window, ControlNames::reformatButton);
            convert << converted.ms;
            convertStall << converted.stallMs;
            reformat << reformatted.ms;
            reformatStall << reformatted.stallMs;
        }
        std::printf("%4dx%-4d  Convert %7.1f (%6.1f)   Reformat %7.1f (%6.1f)\n", size.width(), size.height(),
                    median(convert), median(convertStall), median(reformat), median(reformatStall));
    }
    return 0;
}
