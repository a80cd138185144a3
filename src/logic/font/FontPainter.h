#pragma once

#include "logic/font/BitmapFont.h"

#include <QImage>
#include <QPoint>
#include <QString>

// Draws text with a bitmap font the way firmware does: the cursor on the
// baseline, each glyph at cursor + (xOffset, top), then on by its advance.
// Characters the font lacks take no room.
namespace FontPainter {

// Lights `colour` pixels of `image` for one line whose cell's top-left is
// `topLeft` (the baseline lies `font.ascent` rows lower); the rest stays.
// Returns the line's width.
int draw(QImage &image, QPoint topLeft, const QString &text, const BitmapFont &font, QRgb colour);
// The width the line takes.
int width(const QString &text, const BitmapFont &font);
// The line alone, black on white (RGB32), as wide as its advances and a line high.
QImage render(const QString &text, const BitmapFont &font);

} // namespace FontPainter
