#pragma once

#include <QByteArray>
#include <QImage>

// Writes a picture as the 62-byte-header one-bit Windows bitmap every paint
// program reads: palette entry 0 black, entry 1 white, rows bottom-up and
// padded to four bytes. Pure black pixels are black, all others white.
namespace MonoBmpWriter {

QByteArray encode(const QImage &picture);

} // namespace MonoBmpWriter
