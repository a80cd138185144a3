#pragma once

#include "logic/font/BitmapFont.h"

#include <QList>
#include <QSize>

// How glyphs sit in the rows a firmware copies: every glyph in one W x H
// cell, or each at its own width trimmed of blank columns plus spacing;
// all on one baseline, the rows trimmed to the tallest glyph or given.
struct CellMetrics
{
    bool fixed = false;
    QSize cell;        // fixed: a given cell; empty: the widest advance and the trimmed height
    int spacing = 1;   // proportional: blank columns after each glyph
    int height = 0;    // rows when no cell is given; 0: from the highest to the lowest lit row

    static constexpr int LargestCell = 255;
};

namespace GlyphCells {

// The font as cells: each glyph's bitmap is its whole cell (the cell's
// height, its own or the common width), xOffset 0, top -ascent, advance
// the cell's width; `ascent` is the baseline's row in the cell. Pixels
// outside a given cell are cut off. `codes` missing from the font become
// blank cells (proportional: of width 0).
BitmapFont cut(const BitmapFont &font, const QList<char32_t> &codes, const CellMetrics &metrics);

// The first and last row, relative to the baseline, that any glyph lights;
// the font's own line when none does.
QPair<int, int> inkRows(const BitmapFont &font);

} // namespace GlyphCells
