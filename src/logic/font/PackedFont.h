#pragma once

#include "logic/convert/MatrixLayout.h"
#include "logic/font/BitmapFont.h"
#include "logic/font/GlyphCells.h"

#include <QByteArray>
#include <QList>
#include <QString>

// One entry of a GFX glyph table.
struct GfxGlyph
{
    int bitmapOffset = 0, width = 0, height = 0, xAdvance = 0, xOffset = 0, yOffset = 0;
};

// The arrays a firmware gets, in one of the output forms:
//  table        one cell of width x height a character, first to last;
//  proportional each glyph's bytes (width x height), a width table and an offset table;
//  gfx          the GFX font record: a bitmap of glyphs row by row, MSB first, without
//               row padding, each starting on a byte, and a glyph table.
struct PackedFont
{
    enum class Form { Table, Proportional, Gfx, Bdf };

    Form form = Form::Table;
    MatrixLayout layout; // table and proportional; GFX has its own bit order
    char32_t first = 0, last = 0;
    int width = 0;    // table: the cell's width
    int height = 0;   // table and proportional: rows of every glyph; GFX: the line (yAdvance)
    int baseline = 0; // the baseline's row, counted from the top
    QByteArray bitmap;
    QList<int> widths;  // proportional
    QList<int> offsets; // proportional: where each glyph's bytes start
    QList<GfxGlyph> glyphs;

    qsizetype count() const { return qsizetype(last - first) + 1; }

    // "table|proportional|gfx|bdf"
    static const QStringList &formNames();
    static bool formFromName(const QString &name, Form *form);
};

namespace FontPacking {

constexpr int MostCodes = 65536;

// Packs the glyphs of codes `codes` (sorted) in `form` (not Bdf). False with a
// reason when the form cannot hold them (GFX: codes above 0xFFFF, sizes
// beyond a byte, a bitmap beyond 64 KiB).
bool pack(const BitmapFont &font, const QList<char32_t> &codes, const CellMetrics &metrics, PackedFont::Form form,
          const MatrixLayout &layout, PackedFont *packed, QString *reason);

// The font a firmware draws from these arrays, read back from the bytes:
// every glyph placed as the drawing rule of its form places it.
BitmapFont drawn(const PackedFont &packed);

// The GFX bit order: a glyph row after row as one horizontal line of pixels.
MatrixLayout gfxLayout();

} // namespace FontPacking
