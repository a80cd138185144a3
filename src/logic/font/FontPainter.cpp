#include "logic/font/FontPainter.h"

namespace FontPainter {

int draw(QImage &image, QPoint topLeft, const QString &text, const BitmapFont &font, QRgb colour)
{
    int x = topLeft.x();
    const int baseline = topLeft.y() + font.ascent;
    for (uint code : text.toUcs4()) {
        const Glyph *glyph = font.find(char32_t(code));
        if (!glyph)
            continue;
        for (int y = 0; y < glyph->height(); ++y)
            for (int column = 0; column < glyph->width(); ++column) {
                const QPoint at(x + glyph->xOffset + column, baseline + glyph->top + y);
                if (glyph->lit(column, y) && image.valid(at))
                    image.setPixel(at, colour);
            }
        x += glyph->advance;
    }
    return x - topLeft.x();
}

int width(const QString &text, const BitmapFont &font)
{
    int total = 0;
    for (uint code : text.toUcs4())
        if (const Glyph *glyph = font.find(char32_t(code)))
            total += glyph->advance;
    return total;
}

QImage render(const QString &text, const BitmapFont &font)
{
    QImage image(qMax(width(text, font), 1), qMax(font.lineHeight(), 1), QImage::Format_RGB32);
    image.fill(Qt::white);
    draw(image, QPoint(0, 0), text, font, qRgb(0, 0, 0));
    return image;
}

} // namespace FontPainter
