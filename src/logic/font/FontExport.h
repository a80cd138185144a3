#pragma once

#include "logic/export/ExportOptions.h"
#include "logic/font/GlyphCells.h"
#include "logic/font/PackedFont.h"

#include <QByteArray>
#include <QList>
#include <QString>

struct BitmapFont;

// Everything that turns a loaded (and maybe edited) font into a file: the
// characters, the metrics, the form, the byte layout and the template.
struct FontExportChoice
{
    QList<char32_t> codes;
    CellMetrics metrics;
    PackedFont::Form form = PackedFont::Form::Table;
    MatrixLayout layout = MatrixLayout::usual(false);
    ExportOptions file; // C (default), assembler or binary; name, PROGMEM, directive
    int pixelSize = 0;  // BDF: the size the font was made at

    FontExportChoice() { file.kind = ExportOptions::Template::C, file.name = QStringLiteral("font"); }
};

namespace FontExport {

// The file's content. False with a reason when the form cannot hold the
// font or the template does not suit it.
bool content(const BitmapFont &font, const FontExportChoice &choice, QByteArray *content, QString *reason);
// What the firmware draws from the file: the font read back from the packed
// arrays (for BDF, the glyphs as they are).
bool drawn(const BitmapFont &font, const FontExportChoice &choice, BitmapFont *result, QString *reason);
// A generated C font source, or a BDF or PCF font, read for drawing.
bool readForDrawing(const QString &path, BitmapFont *font, QString *reason);

} // namespace FontExport
