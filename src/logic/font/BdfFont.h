#pragma once

#include "logic/font/BitmapFont.h"

#include <QByteArray>
#include <QString>

// The Glyph Bitmap Distribution Format: the text form of bitmap fonts that
// X11 and most font tools read and write.
namespace BdfFont {

bool isBdf(const QByteArray &bytes);
// Glyphs with an ENCODING of -1 are skipped. False with a reason naming the line.
bool read(const QByteArray &bytes, BitmapFont *font, QString *reason);
// The font as BDF 2.1; `pixelSize` goes into the font's name and SIZE.
QByteArray write(const BitmapFont &font, int pixelSize);

} // namespace BdfFont
