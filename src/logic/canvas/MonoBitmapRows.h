#pragma once

#include <QByteArray>
#include <QImage>

// The pixel rows of a one-bit Windows bitmap: bottom row first, the leftmost
// pixel in the most significant bit, each row padded to four bytes. Here a
// 1 bit is a light (white, unlit) pixel and a 0 bit a black (lit) one.
namespace MonoBitmapRows {

// Bytes a row of `width` pixels takes: 128 -> 16, 240 -> 32, 320 -> 40.
int stride(int width);

// Rows of `picture`: pure black pixels become 0 bits, every other colour 1.
QByteArray fromPicture(const QImage &picture);

// The black-and-white picture the rows hold; `rows` must hold
// stride(width) x height bytes.
QImage toPicture(const QByteArray &rows, int width, int height);

// 255 - b for every byte.
void invert(QByteArray &rows);

} // namespace MonoBitmapRows
