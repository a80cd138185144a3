#pragma once

#include "logic/export/ExportOptions.h"
#include "logic/font/PackedFont.h"

#include <QByteArray>

// Writes packed font arrays as C source, assembler or raw binary, the
// templates `convert` writes pictures in. The first line names the form and
// its geometry so `tavrel font --render` can read a C file back.
namespace FontFileWriter {

// C: `NAME` (table) or `NAME_bitmaps`, `NAME_widths`, `NAME_offsets`
// (proportional) or `NAME_bitmaps`, `NAME_glyphs` and `const GFXfont NAME`
// (GFX, with struct definitions guarded as the GFX library's header guards
// them). Assembler: the same arrays as labelled db (or retlw) lines, 16-bit
// values low byte first. Binary: the arrays one after another in that order.
QByteArray write(const PackedFont &font, const ExportOptions &options);
// The templates a font can take: C, assembler and binary.
bool supports(ExportOptions::Template kind);
// "form=table first=0x20 last=0x7e width=5 height=7 baseline=6 packing=vertical bit-order=lsb scan=pages"
QString geometryLine(const PackedFont &font);

} // namespace FontFileWriter
