#include "logic/canvas/ImportPipeline.h"

#include "logic/canvas/AreaScaler.h"
#include "logic/canvas/Dithering.h"

#include <algorithm>

namespace {

uchar luminanceOf(QRgb pixel)
{
    const int alpha = qAlpha(pixel);
    const auto over = [alpha](int channel) { return (channel * alpha + 255 * (255 - alpha)) / 255; };
    return uchar((299 * over(qRed(pixel)) + 587 * over(qGreen(pixel)) + 114 * over(qBlue(pixel)) + 500) / 1000);
}

// Width and height of a picture scaled uniformly to `width` or `height`.
QSize scaledToWidth(QSize picture, int width)
{
    return QSize(width, qMax(1, int((qint64(picture.height()) * width + picture.width() / 2) / picture.width())));
}

QSize scaledToHeight(QSize picture, int height)
{
    return QSize(qMax(1, int((qint64(picture.width()) * height + picture.height() / 2) / picture.height())), height);
}

QRect centred(QSize size, QSize lcd)
{
    return QRect(QPoint((lcd.width() - size.width()) / 2, (lcd.height() - size.height()) / 2), size);
}

} // namespace

namespace ImportPipeline {

QImage luminance(const QImage &picture)
{
    const QImage argb = picture.convertToFormat(QImage::Format_ARGB32);
    QImage grey(argb.size(), QImage::Format_Grayscale8);
    for (int y = 0; y < argb.height(); ++y) {
        const auto *in = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
        uchar *out = grey.scanLine(y);
        for (int x = 0; x < argb.width(); ++x)
            out[x] = luminanceOf(in[x]);
    }
    return grey;
}

QImage inverted(const QImage &grey)
{
    QImage result = grey.convertToFormat(QImage::Format_Grayscale8);
    for (int y = 0; y < result.height(); ++y) {
        uchar *line = result.scanLine(y);
        for (int x = 0; x < result.width(); ++x)
            line[x] = uchar(255 - line[x]);
    }
    return result;
}

QImage oriented(const QImage &grey, int rotation, bool flipHorizontal, bool flipVertical)
{
    const QImage in = grey.convertToFormat(QImage::Format_Grayscale8);
    const int turns = ((rotation / 90) % 4 + 4) % 4;
    const int w = in.width(), h = in.height();
    QImage out(turns % 2 ? h : w, turns % 2 ? w : h, QImage::Format_Grayscale8);
    for (int y = 0; y < out.height(); ++y) {
        uchar *line = out.scanLine(y);
        const int fy = flipVertical ? out.height() - 1 - y : y;
        for (int x = 0; x < out.width(); ++x) {
            const int fx = flipHorizontal ? out.width() - 1 - x : x;
            // Where the pixel at (fx, fy) of the turned picture came from.
            int sx = fx, sy = fy;
            if (turns == 1) {
                sx = fy;
                sy = h - 1 - fx;
            } else if (turns == 2) {
                sx = w - 1 - fx;
                sy = h - 1 - fy;
            } else if (turns == 3) {
                sx = w - 1 - fy;
                sy = fx;
            }
            line[x] = in.constScanLine(sy)[sx];
        }
    }
    return out;
}

QRect placement(QSize picture, QSize lcd, ImportSettings::Placement placement)
{
    using Placement = ImportSettings::Placement;
    if (picture.isEmpty() || lcd.isEmpty())
        return QRect();
    // Is the picture wider than the LCD, for their heights?
    const bool wider = qint64(picture.width()) * lcd.height() > qint64(picture.height()) * lcd.width();
    switch (placement) {
    case Placement::Crop:
        return QRect(QPoint(0, 0), picture);
    case Placement::Center:
        return centred(picture, lcd);
    case Placement::Fit:
        return centred(wider ? scaledToWidth(picture, lcd.width()) : scaledToHeight(picture, lcd.height()), lcd);
    case Placement::Fill:
        return centred(wider ? scaledToHeight(picture, lcd.height()) : scaledToWidth(picture, lcd.width()), lcd);
    case Placement::Stretch:
        return QRect(QPoint(0, 0), lcd);
    }
    return QRect();
}

QImage placed(const QImage &grey, QSize lcd, ImportSettings::Placement how, QRect *covered)
{
    QImage out(lcd, QImage::Format_Grayscale8);
    out.fill(255);
    const QRect target = placement(grey.size(), lcd, how);
    const QRect visible = target.intersected(out.rect());
    if (covered)
        *covered = visible;
    if (visible.isEmpty())
        return out;
    const QImage part = target.size() == grey.size()
        ? grey.copy(visible.translated(-target.topLeft()))
        : AreaScaler::scaled(grey, target.size(), visible.translated(-target.topLeft()));
    const QImage source = part.convertToFormat(QImage::Format_Grayscale8);
    for (int y = 0; y < visible.height(); ++y)
        std::copy_n(source.constScanLine(y), visible.width(), out.scanLine(visible.top() + y) + visible.left());
    return out;
}

QImage prepared(const QImage &picture, const ImportSettings &settings)
{
    QImage grey = luminance(picture);
    if (settings.invert)
        grey = inverted(grey);
    if (settings.rotation % 360 != 0 || settings.flipHorizontal || settings.flipVertical)
        grey = oriented(grey, settings.rotation, settings.flipHorizontal, settings.flipVertical);
    return grey;
}

QImage finished(const QImage &prepared, QSize lcd, const ImportSettings &settings)
{
    QRect covered;
    const QImage grey = placed(prepared, lcd, settings.placement, &covered);
    return Dithering::quantised(grey, covered, settings.threshold, settings.dither);
}

QImage run(const QImage &picture, QSize lcd, const ImportSettings &settings)
{
    // A plain crop needs only the corner the LCD shows: a camera photo stays cheap.
    const bool cornerOnly = settings.placement == ImportSettings::Placement::Crop && settings.rotation % 360 == 0
        && !settings.flipHorizontal && !settings.flipVertical;
    const QImage source = cornerOnly ? picture.copy(QRect(QPoint(0, 0), lcd).intersected(picture.rect())) : picture;
    return finished(prepared(source, settings), lcd, settings);
}

} // namespace ImportPipeline
