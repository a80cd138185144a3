#include "logic/canvas/Dithering.h"

#include <QVector>
#include <algorithm>

namespace {

const QRgb Black = qRgb(0, 0, 0);

// One error-diffusion neighbour: offset right, offset down, weight.
struct Share
{
    int dx, dy, weight;
};

// Floyd-Steinberg gives all of the error away (sixteenths), Atkinson three
// quarters of it (eighths), which keeps highlights and shadows cleaner.
const Share FloydSteinberg[] = {{1, 0, 7}, {-1, 1, 3}, {0, 1, 5}, {1, 1, 1}};
const int FloydSteinbergDivisor = 16;
const Share Atkinson[] = {{1, 0, 1}, {2, 0, 1}, {-1, 1, 1}, {0, 1, 1}, {1, 1, 1}, {0, 2, 1}};
const int AtkinsonDivisor = 8;

const int Bayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

template <size_t N>
void diffuse(const QImage &grey, QRect area, int threshold, const Share (&shares)[N], int divisor, QImage &out)
{
    // Errors for the rows still ahead, three rows deep, two pixels of margin a side.
    const int width = area.width() + 4;
    QVector<float> error(3 * width, 0.0f);
    for (int y = area.top(); y <= area.bottom(); ++y) {
        float *row = error.data() + (y % 3) * width + 2;
        const uchar *in = grey.constScanLine(y);
        auto *pixels = reinterpret_cast<QRgb *>(out.scanLine(y));
        // Serpentine: every other row runs right to left, so the error does not pile up in
        // columns (a plain left-to-right pass leaves light ramps with empty and crowded columns).
        const int step = (y - area.top()) % 2 ? -1 : 1;
        for (int n = 0; n < area.width(); ++n) {
            const int i = step > 0 ? n : area.width() - 1 - n;
            const int x = area.left() + i;
            const float value = in[x] + row[i];
            const bool light = value >= threshold;
            if (!light)
                pixels[x] = Black;
            const float spread = (value - (light ? 255.0f : 0.0f)) / divisor;
            for (const Share &share : shares) {
                if (y + share.dy > area.bottom())
                    continue;
                error[((y + share.dy) % 3) * width + 2 + i + step * share.dx] += spread * share.weight;
            }
        }
        std::fill(row - 2, row - 2 + width, 0.0f);
    }
}

void ordered(const QImage &grey, QRect area, int threshold, QImage &out)
{
    // Light when value >= 16 * (m + 1/2) + threshold - 128, kept in integers.
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const uchar *in = grey.constScanLine(y);
        auto *pixels = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = area.left(); x <= area.right(); ++x)
            if (2 * in[x] < 32 * Bayer[y % 4][x % 4] + 2 * threshold - 240)
                pixels[x] = Black;
    }
}

void plain(const QImage &grey, QRect area, int threshold, QImage &out)
{
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const uchar *in = grey.constScanLine(y);
        auto *pixels = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = area.left(); x <= area.right(); ++x)
            if (in[x] < threshold)
                pixels[x] = Black;
    }
}

} // namespace

namespace Dithering {

QImage quantised(const QImage &grey, QRect area, int threshold, ImportSettings::Dither method)
{
    const QImage in = grey.format() == QImage::Format_Grayscale8 ? grey
                                                                   : grey.convertToFormat(QImage::Format_Grayscale8);
    QImage out(in.size(), QImage::Format_RGB32);
    out.fill(Qt::white);
    area = area.intersected(in.rect());
    if (area.isEmpty())
        return out;
    switch (method) {
    case ImportSettings::Dither::None:
        plain(in, area, threshold, out);
        break;
    case ImportSettings::Dither::FloydSteinberg:
        diffuse(in, area, threshold, FloydSteinberg, FloydSteinbergDivisor, out);
        break;
    case ImportSettings::Dither::Atkinson:
        diffuse(in, area, threshold, Atkinson, AtkinsonDivisor, out);
        break;
    case ImportSettings::Dither::Bayer:
        ordered(in, area, threshold, out);
        break;
    }
    return out;
}

} // namespace Dithering
