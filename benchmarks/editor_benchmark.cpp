// How fast the editor imports and undoes, and how much its history holds.
// Run: build/benchmarks/editor_benchmark
#include "logic/canvas/CanvasState.h"
#include "logic/canvas/ImportPipeline.h"
#include "logic/canvas/PictureOperations.h"
#include "logic/canvas/UndoHistory.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QRandomGenerator>
#include <QTextStream>
#include <algorithm>
#include <functional>

namespace {

// The median of `runs` timings of `work`, in milliseconds.
double medianMs(int runs, const std::function<void()> &work)
{
    QVector<double> times;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer clock;
        clock.start();
        work();
        times << clock.nsecsElapsed() / 1e6;
    }
    std::sort(times.begin(), times.end());
    return times.at(times.size() / 2);
}

// A colour photo stand-in: gradients, noise and shapes, so no step can take a shortcut.
QImage photo(int size)
{
    QImage image(size, size, QImage::Format_RGB32);
    QRandomGenerator random(11);
    for (int y = 0; y < size; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < size; ++x)
            line[x] = qRgb(x * 255 / size, y * 255 / size, int(random.bounded(256)));
    }
    QPainter painter(&image);
    painter.setBrush(Qt::darkBlue);
    painter.drawEllipse(size / 4, size / 4, size / 2, size / 3);
    return image;
}

QImage noise(QSize size, quint32 seed)
{
    QImage image(size, QImage::Format_RGB32);
    QRandomGenerator random(seed);
    for (int y = 0; y < size.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < size.width(); ++x)
            line[x] = random.bounded(2) ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
    }
    return image;
}

qint64 residentBytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    return QString::fromLatin1(statm.readAll()).section(' ', 1, 1).toLongLong() * 4096;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    QTextStream out(stdout);

    const QImage big = photo(1024);
    ImportSettings settings;
    settings.placement = ImportSettings::Placement::Stretch;
    for (auto [dither, name] : {std::pair{ImportSettings::Dither::FloydSteinberg, "Floyd-Steinberg"},
                                std::pair{ImportSettings::Dither::Atkinson, "Atkinson"},
                                std::pair{ImportSettings::Dither::Bayer, "Bayer 4x4"}}) {
        settings.dither = dither;
        const double ms = medianMs(21, [&] { ImportPipeline::run(big, QSize(320, 200), settings); });
        out << QStringLiteral("import 1024x1024 photo -> 320x200, %1: %2 ms (limit 50)\n").arg(name).arg(ms, 0, 'f', 2);
    }

    // One undo step of a 320x200 picture in which every pixel changed: record it, then undo it.
    const CanvasState state{QSize(320, 200), 7, false, true};
    const QImage before = noise(QSize(320, 200), 1), after = PictureOperations::inverted(before);
    const double recordMs = medianMs(51, [&] {
        UndoHistory history;
        history.record(before, after, state, state);
    });
    UndoHistory history;
    QImage sheet = after;
    CanvasState now = state;
    const double undoMs = medianMs(51, [&] {
        history.record(before, after, state, state);
        history.undo(sheet, now);
    });
    out << QStringLiteral("one undo step, 320x200, every pixel changed: record %1 ms, record and undo %2 ms "
                          "(limit 5)\n").arg(recordMs, 0, 'f', 3).arg(undoMs, 0, 'f', 3);

    // 100 steps of a 1024x1024 picture, each changing every pixel.
    const qint64 residentBefore = residentBytes();
    UndoHistory large;
    QImage picture = noise(QSize(1024, 1024), 2);
    const CanvasState largeState{QSize(1024, 1024), 8, false, true};
    for (int step = 0; step < 100; ++step) {
        const QImage next = PictureOperations::inverted(picture);
        large.record(picture, next, largeState, largeState);
        picture = next;
    }
    out << QStringLiteral("100 undo steps, 1024x1024, every pixel changed: %1 steps kept, %2 MB held by the "
                          "history, process grew %3 MB (limit 20)\n")
               .arg(large.undoCount())
               .arg(large.bytesUsed() / 1048576.0, 0, 'f', 2)
               .arg((residentBytes() - residentBefore) / 1048576.0, 0, 'f', 2);
    return 0;
}
