#pragma once

#include <QImage>
#include <QString>

class QTemporaryDir;

// Something in every page and byte column of a picture of any LCD size: a
// frame, a diagonal and a filled block, black on white (RGB32).
QImage framedPicture(int width, int height);

// How many pixels are lit in one picture and not in the other; -1 when the
// sizes differ.
int differingPixels(const QImage &a, const QImage &b);

// Writes the picture as a one-bit BMP named after its size; gives its path.
QString writeBmp(const QTemporaryDir &dir, const QImage &picture);
