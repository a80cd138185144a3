#pragma once

#include "logic/font/BitmapFont.h"
#include "logic/font/FontSource.h"

#include <QFont>
#include <QImage>

// Draws outline glyphs at a pixel size without anti-aliasing, each cut to
// its lit pixels and placed on the font's baseline.
class OutlineRasterizer
{
public:
    OutlineRasterizer(const QString &family, const FontSource &source);

    // The glyphs the font has of `codes`; the others go to `missing`.
    BitmapFont glyphs(const QList<char32_t> &codes, QList<char32_t> *missing);

private:
    Glyph glyph(char32_t code);

    QFont m_font;
    QImage m_scratch;
    int m_margin = 0;
    int m_baseline = 0;
};
