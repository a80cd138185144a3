#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

class HexGrid;

// What loading a picture file gave: the canvas picture, the hexGrid cells
// and the dump for the output window, or why the file could not be used.
struct BitmapLoadResult
{
    QImage picture;     // LCD-size, pure black and white; null on failure
    QString dump;       // the walked bytes as hex text; empty on failure
    QString error;      // empty on success
    int cellsWritten = 0;
    bool walkedAsStored = false; // the file's own bytes were walked, no decoding

    bool ok() const { return error.isEmpty(); }
};

// Loads a picture into hexGrid at the LCD's geometry. A one-bit bitmap in
// the standard 62-byte layout at exactly the LCD's size is walked byte by
// byte as it is stored (flipped first when its palette lists the light
// colour first); any other picture is decoded, thresholded, placed top-left
// and walked as if saved in that layout. In hexGrid a light pixel is a 1 bit
// unless `inverted`. On failure nothing in `grid` changes.
namespace BitmapLoader {

BitmapLoadResult loadFile(const QString &path, QSize lcdSize, bool inverted, HexGrid &grid);
BitmapLoadResult loadData(const QByteArray &data, QSize lcdSize, bool inverted, HexGrid &grid);

} // namespace BitmapLoader
