#pragma once

#include "logic/convert/Conversion.h"

#include <QString>

// What Export writes: the picture's bytes read back from the output
// window's text (Convert's text, edited or not, or a send stream) for the
// LCD size and layout chosen.
namespace ExportSource {

// The bytes, without horizontal's closing 00; on failure an empty result
// and `problem` says why, in words for a message.
ConversionResult read(const QString &text, int width, int height, const MatrixLayout &layout, QString *problem);

} // namespace ExportSource
