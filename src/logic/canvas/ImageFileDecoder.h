#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// Decodes any picture Qt reads (BMP of every header, depth and compression,
// PNG, GIF, JPEG, ...). Files cut short are refused rather than decoded with
// made-up pixels. ImportPipeline turns the picture into the LCD's.
namespace ImageFileDecoder {

// The picture `data` holds, or a null image and the reason in `error`.
QImage decode(const QByteArray &data, QString *error);

} // namespace ImageFileDecoder
