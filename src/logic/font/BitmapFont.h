#pragma once

#include <QImage>
#include <QList>
#include <QString>

// One character of a bitmap font, placed the way a firmware draws it: the
// cursor sits on the baseline, the bitmap's top-left lands at cursor +
// (xOffset, top), then the cursor moves right by advance.
struct Glyph
{
    char32_t code = 0;
    QImage bits;     // Format_Mono, index 1 lit; null for a glyph without ink
    int xOffset = 0; // from the cursor to the bitmap's left column
    int top = 0;     // from the baseline down to the bitmap's top row (negative above it)
    int advance = 0;

    int width() const { return bits.isNull() ? 0 : bits.width(); }
    int height() const { return bits.isNull() ? 0 : bits.height(); }
    bool lit(int x, int y) const;

    // The same glyph with its bitmap cut to the lit pixels (none: a null bitmap).
    Glyph trimmed() const;
    friend bool operator==(const Glyph &a, const Glyph &b);
};

// A monochrome font: glyphs sorted by code point, and the line it sits in.
struct BitmapFont
{
    QString name;
    int ascent = 0;  // rows above the baseline
    int descent = 0; // rows below it
    QList<Glyph> glyphs;

    // Rows above or below the baseline a font file may state: far beyond
    // any LCD, and the line's height still fits an int.
    static constexpr int LargestMetric = 32767;
    static bool isMetric(qint64 value) { return value >= -LargestMetric && value <= LargestMetric; }

    int lineHeight() const { return ascent + descent; }
    const Glyph *find(char32_t code) const;
    Glyph *find(char32_t code);
    // Adds or replaces, keeping the order.
    void put(const Glyph &glyph);
    // Only the glyphs of `codes` (those the font has).
    BitmapFont subset(const QList<char32_t> &codes) const;
};

namespace GlyphBits {

// A blank bitmap of this size: Format_Mono, index 0 white, index 1 black.
QImage blank(int width, int height);

} // namespace GlyphBits
