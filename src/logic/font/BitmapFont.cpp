#include "logic/font/BitmapFont.h"

#include <algorithm>

namespace GlyphBits {

QImage blank(int width, int height)
{
    QImage image(qMax(width, 1), qMax(height, 1), QImage::Format_Mono);
    image.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    image.fill(0);
    return image;
}

} // namespace GlyphBits

bool Glyph::lit(int x, int y) const
{
    return !bits.isNull() && bits.valid(x, y) && bits.pixelIndex(x, y) == 1;
}

Glyph Glyph::trimmed() const
{
    int left = width(), right = -1, upper = height(), lower = -1;
    for (int y = 0; y < height(); ++y)
        for (int x = 0; x < width(); ++x)
            if (lit(x, y)) {
                left = qMin(left, x);
                right = qMax(right, x);
                upper = qMin(upper, y);
                lower = qMax(lower, y);
            }
    Glyph result = *this;
    if (right < 0) {
        result.bits = QImage();
        result.xOffset = 0;
        result.top = 0;
        return result;
    }
    result.bits = bits.copy(left, upper, right - left + 1, lower - upper + 1);
    result.xOffset += left;
    result.top += upper;
    return result;
}

bool operator==(const Glyph &a, const Glyph &b)
{
    const Glyph x = a.trimmed(), y = b.trimmed();
    if (x.code != y.code || x.advance != y.advance || x.width() != y.width() || x.height() != y.height())
        return false;
    if (x.width() == 0)
        return true;
    if (x.xOffset != y.xOffset || x.top != y.top)
        return false;
    for (int row = 0; row < x.height(); ++row)
        for (int column = 0; column < x.width(); ++column)
            if (x.lit(column, row) != y.lit(column, row))
                return false;
    return true;
}

namespace {
bool byCode(const Glyph &glyph, char32_t code)
{
    return glyph.code < code;
}
} // namespace

const Glyph *BitmapFont::find(char32_t code) const
{
    const auto at = std::lower_bound(glyphs.cbegin(), glyphs.cend(), code, byCode);
    return at != glyphs.cend() && at->code == code ? &*at : nullptr;
}

Glyph *BitmapFont::find(char32_t code)
{
    const auto at = std::lower_bound(glyphs.begin(), glyphs.end(), code, byCode);
    return at != glyphs.end() && at->code == code ? &*at : nullptr;
}

void BitmapFont::put(const Glyph &glyph)
{
    const auto at = std::lower_bound(glyphs.begin(), glyphs.end(), glyph.code, byCode);
    if (at != glyphs.end() && at->code == glyph.code)
        *at = glyph;
    else
        glyphs.insert(at, glyph);
}

BitmapFont BitmapFont::subset(const QList<char32_t> &codes) const
{
    BitmapFont result = *this;
    result.glyphs.clear();
    for (char32_t code : codes)
        if (const Glyph *glyph = find(code))
            result.put(*glyph);
    return result;
}
