#pragma once

#include "logic/font/BitmapFont.h"

#include <QByteArray>
#include <QString>

// Reads X11 PCF fonts (the format bdftopcf writes) with their own metrics,
// pixel for pixel. Encodings are taken as code points: right for the
// ISO 10646 and ISO 8859-1 fonts.
namespace PcfReader {

bool isPcf(const QByteArray &bytes);
// False with a reason when the tables are damaged or missing.
bool read(const QByteArray &bytes, BitmapFont *font, QString *reason);

} // namespace PcfReader
