#include "logic/font/GlyphCells.h"

namespace GlyphCells {

QPair<int, int> inkRows(const BitmapFont &font)
{
    int first = 0, last = -1;
    bool any = false;
    for (const Glyph &source : font.glyphs) {
        const Glyph glyph = source.trimmed();
        if (glyph.bits.isNull())
            continue;
        first = any ? qMin(first, glyph.top) : glyph.top;
        last = any ? qMax(last, glyph.top + glyph.height() - 1) : glyph.top + glyph.height() - 1;
        any = true;
    }
    if (!any)
        return {-font.ascent, font.descent - 1};
    return {first, last};
}

namespace {

// The baseline's row and the rows of every cell.
QPair<int, int> rows(const BitmapFont &font, const CellMetrics &metrics)
{
    const int given = metrics.fixed && !metrics.cell.isEmpty() ? metrics.cell.height() : metrics.height;
    const QPair<int, int> ink = inkRows(font);
    if (given <= 0)
        return {-ink.first, ink.second - ink.first + 1};
    // A given height starts at the font's top, or the ink's when that is lower.
    const int baseline = qMin(font.ascent, -ink.first);
    return {qMax(baseline, 0), given};
}

int widestAdvance(const BitmapFont &font)
{
    int widest = 1;
    for (const Glyph &glyph : font.glyphs)
        widest = qMax(widest, qMax(glyph.advance, glyph.xOffset + glyph.width()));
    return widest;
}

Glyph cellOf(const Glyph &source, int width, int height, int baseline, int shift)
{
    Glyph cell;
    cell.code = source.code;
    if (width <= 0)
        return cell; // takes no room: no bitmap, no advance
    cell.bits = GlyphBits::blank(width, height);
    cell.top = -baseline;
    cell.advance = width;
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x)
            if (source.lit(x, y)) {
                const int cx = x + source.xOffset - shift, cy = y + source.top + baseline;
                if (cx >= 0 && cy >= 0 && cx < width && cy < height)
                    cell.bits.setPixel(cx, cy, 1);
            }
    return cell;
}

} // namespace

BitmapFont cut(const BitmapFont &font, const QList<char32_t> &codes, const CellMetrics &metrics)
{
    const QPair<int, int> lines = rows(font, metrics);
    const int baseline = lines.first, height = qMax(lines.second, 1);
    const int fixedWidth = !metrics.cell.isEmpty() ? metrics.cell.width() : widestAdvance(font);
    BitmapFont cells;
    cells.name = font.name;
    cells.ascent = baseline;
    cells.descent = height - baseline;
    for (char32_t code : codes) {
        const Glyph *found = font.find(code);
        const Glyph glyph = found ? found->trimmed() : Glyph{code, QImage(), 0, 0, 0};
        if (metrics.fixed) {
            cells.put(cellOf(glyph, fixedWidth, height, baseline, 0));
        } else if (glyph.bits.isNull()) {
            // A blank glyph (a space) keeps its advance; a missing one takes no room.
            cells.put(cellOf(glyph, qMax(found ? glyph.advance : 0, 0), height, baseline, 0));
        } else {
            Glyph cell = cellOf(glyph, glyph.width() + metrics.spacing, height, baseline, glyph.xOffset);
            cells.put(cell);
        }
    }
    return cells;
}

} // namespace GlyphCells
