// How long all of Latin-1 at 32 pixels takes from an outline font to a GFX
// C source and to a KS0108 table: drawing, cutting, packing and writing.
// Run: QT_QPA_PLATFORM=offscreen build/benchmarks/font_benchmark [FAMILY]
#include "logic/font/CharacterList.h"
#include "logic/font/FontExport.h"
#include "logic/font/FontSource.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTextStream>

#include <algorithm>

namespace {

// The median of five runs in milliseconds; false when the font fails.
bool medianMs(const FontSource &source, PackedFont::Form form, double *ms)
{
    QList<double> times;
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer clock;
        clock.start();
        FontExportChoice choice;
        QString reason;
        LoadedFont loaded;
        QByteArray content;
        choice.form = form;
        if (!CharacterList::parse(QStringLiteral("latin1"), &choice.codes, &reason)
            || !FontSources::load(source, choice.codes, &loaded, &reason)
            || !FontExport::content(loaded.font, choice, &content, &reason)) {
            QTextStream(stderr) << reason << '\n';
            return false;
        }
        times << clock.nsecsElapsed() / 1e6;
    }
    std::sort(times.begin(), times.end());
    *ms = times.at(times.size() / 2);
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    FontSource source;
    source.family = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("DejaVu Sans");
    source.pixelSize = 32;
    QTextStream out(stdout);
    for (const auto form : {PackedFont::Form::Gfx, PackedFont::Form::Table, PackedFont::Form::Proportional}) {
        double ms = 0;
        if (!medianMs(source, form, &ms))
            return 1;
        out << source.family << ", Latin-1 (191 characters) at 32 px, " << PackedFont::formNames().at(int(form))
            << " as C source: " << QString::number(ms, 'f', 1) << " ms (median of 5; goal under 200 ms)\n";
    }
    return 0;
}
