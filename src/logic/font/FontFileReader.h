#pragma once

#include "logic/font/PackedFont.h"

#include <QByteArray>
#include <QString>

// Reads back the C source this program writes for a font (table,
// proportional or GFX), by its first line and its arrays.
namespace FontFileReader {

bool isFontSource(const QByteArray &text);
// False with a reason when the text is not such a file or its arrays do not
// match the geometry it names.
bool read(const QByteArray &text, PackedFont *font, QString *reason);

} // namespace FontFileReader
