#include "logic/font/PackedFont.h"

#include "logic/convert/ByteMatrix.h"
#include "logic/font/CharacterList.h"

const QStringList &PackedFont::formNames()
{
    static const QStringList names = {QStringLiteral("table"), QStringLiteral("proportional"), QStringLiteral("gfx"),
                                      QStringLiteral("bdf")};
    return names;
}

bool PackedFont::formFromName(const QString &name, Form *form)
{
    const qsizetype index = formNames().indexOf(name.toLower());
    if (index >= 0)
        *form = Form(index);
    return index >= 0;
}

namespace FontPacking {

namespace {

using Form = PackedFont::Form;

MatrixLayout gfxLine()
{
    return {true, MatrixLayout::BitOrder::MsbFirst, MatrixLayout::Scan::Pages};
}

// A glyph's rows one after another as a single row of pixels.
QImage asLine(const Glyph &glyph)
{
    QImage line = GlyphBits::blank(glyph.width() * glyph.height(), 1);
    for (int y = 0; y < glyph.height(); ++y)
        for (int x = 0; x < glyph.width(); ++x)
            if (glyph.lit(x, y))
                line.setPixel(y * glyph.width() + x, 0, 1);
    return line;
}

QImage bitsFrom(const QImage &picture, int width, int height, int lineWidth)
{
    QImage bits = GlyphBits::blank(width, height);
    for (int i = 0; i < width * height; ++i)
        if ((picture.pixel(lineWidth ? i : i % width, lineWidth ? 0 : i / width) & 0xFFFFFF) == 0)
            bits.setPixel(i % width, i / width, 1);
    return bits;
}

bool fitsGfx(const Glyph &glyph, QString *reason)
{
    if (glyph.code <= 0xFFFF && glyph.width() <= 255 && glyph.height() <= 255 && glyph.advance <= 255
        && glyph.advance >= 0 && glyph.xOffset >= -128 && glyph.xOffset <= 127 && glyph.top >= -128 && glyph.top <= 127)
        return true;
    *reason = QStringLiteral("%1 does not fit a GFX glyph (codes up to 0xFFFF, sizes up to 255, offsets -128 to 127)")
                  .arg(CharacterList::name(glyph.code));
    return false;
}

bool packGfx(const BitmapFont &font, PackedFont *packed, QString *reason)
{
    for (char32_t code = packed->first; code <= packed->last; ++code) {
        const Glyph *found = font.find(code);
        const Glyph glyph = found ? found->trimmed() : Glyph{code, QImage(), 0, 0, 0};
        if (!fitsGfx(glyph, reason))
            return false;
        packed->glyphs << GfxGlyph{int(packed->bitmap.size()), glyph.width(), glyph.height(), glyph.advance,
                                   glyph.width() ? glyph.xOffset : 0, glyph.width() ? glyph.top : 0};
        if (glyph.width())
            packed->bitmap += ByteMatrix::pack(asLine(glyph), glyph.width() * glyph.height(), 1, gfxLine());
    }
    if (packed->bitmap.size() > 0xFFFF) {
        *reason = QStringLiteral("the GFX bitmap takes %1 bytes; its offsets reach 65535").arg(packed->bitmap.size());
        return false;
    }
    packed->height = font.lineHeight();
    packed->baseline = font.ascent;
    return true;
}

void packCells(const BitmapFont &cells, PackedFont *packed)
{
    packed->height = cells.lineHeight();
    packed->baseline = cells.ascent;
    for (char32_t code = packed->first; code <= packed->last; ++code) {
        const Glyph *cell = cells.find(code);
        const int width = cell ? cell->width() : packed->form == Form::Table ? packed->width : 0;
        const QImage bits = cell && width ? cell->bits : GlyphBits::blank(width, packed->height);
        packed->offsets << int(packed->bitmap.size());
        packed->widths << width;
        if (width)
            packed->bitmap += ByteMatrix::pack(bits, width, packed->height, packed->layout);
    }
    if (packed->form == Form::Table) {
        packed->offsets.clear();
        packed->widths.clear();
    }
}

} // namespace

MatrixLayout gfxLayout()
{
    return gfxLine();
}

bool pack(const BitmapFont &font, const QList<char32_t> &codes, const CellMetrics &metrics, PackedFont::Form form,
          const MatrixLayout &layout, PackedFont *packed, QString *reason)
{
    *packed = PackedFont();
    if (codes.isEmpty() || codes.size() > MostCodes || codes.last() - codes.first() >= char32_t(MostCodes)) {
        *reason = QStringLiteral("choose 1 to %1 characters, the first and last at most %1 apart").arg(MostCodes);
        return false;
    }
    packed->form = form;
    packed->layout = form == Form::Gfx ? gfxLine() : layout;
    packed->first = codes.first();
    packed->last = codes.last();
    if (form == Form::Gfx)
        return packGfx(font.subset(codes), packed, reason);
    CellMetrics cellMetrics = metrics;
    cellMetrics.fixed = form == Form::Table;
    const BitmapFont cells = GlyphCells::cut(font, codes, cellMetrics);
    packed->width = cells.glyphs.isEmpty() ? 0 : cells.glyphs.first().width();
    if (cells.lineHeight() > CellMetrics::LargestCell || packed->width > CellMetrics::LargestCell) {
        *reason = QStringLiteral("cells of %1x%2 pixels are too large (at most %3 a side)")
                      .arg(packed->width).arg(cells.lineHeight()).arg(CellMetrics::LargestCell);
        return false;
    }
    packCells(cells, packed);
    return true;
}

BitmapFont drawn(const PackedFont &packed)
{
    BitmapFont font;
    font.ascent = packed.baseline;
    font.descent = packed.height - packed.baseline;
    for (char32_t code = packed.first; code <= packed.last; ++code) {
        const qsizetype i = qsizetype(code - packed.first);
        Glyph glyph{code, QImage(), 0, -packed.baseline, 0};
        if (packed.form == PackedFont::Form::Gfx) {
            const GfxGlyph g = packed.glyphs.value(i);
            const int area = g.width * g.height;
            glyph = Glyph{code, QImage(), g.xOffset, g.yOffset, g.xAdvance};
            if (area > 0)
                glyph.bits = bitsFrom(ByteMatrix::pictureFrom(packed.bitmap.mid(g.bitmapOffset, (area + 7) / 8), area, 1,
                                                              packed.layout),
                                      g.width, g.height, area);
        } else {
            const int width = packed.form == PackedFont::Form::Table ? packed.width : packed.widths.value(i);
            const qsizetype size = ByteMatrix::byteCount(width, packed.height, packed.layout);
            const qsizetype at = packed.form == PackedFont::Form::Table ? i * size : packed.offsets.value(i);
            glyph.advance = width;
            if (width > 0)
                glyph.bits = bitsFrom(ByteMatrix::pictureFrom(packed.bitmap.mid(at, size), width, packed.height,
                                                              packed.layout),
                                      width, packed.height, 0);
        }
        font.put(glyph);
    }
    return font;
}

} // namespace FontPacking
