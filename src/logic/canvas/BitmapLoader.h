#pragma once

#include "logic/canvas/ImportSettings.h"

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
    QSize sourceSize;            // the picture's own size before placing it on the LCD

    bool ok() const { return error.isEmpty(); }
};

// Loads a picture into hexGrid at the LCD's geometry. A one-bit bitmap in
// the standard 62-byte layout at exactly the LCD's size is walked byte by
// byte as it is stored (flipped first when its palette lists the light
// colour first), unless import settings other than the defaults are given;
// any other picture is decoded, placed and turned black and white as the
// import settings say (by default: top-left, cut at the middle grey) and
// walked as if saved in that layout. In hexGrid a light pixel is a 1 bit
// unless `inverted`. On failure nothing in `grid` changes.
namespace BitmapLoader {

// Far above any LCD picture; keeps a wrong choice of file from filling memory.
constexpr qint64 LargestFile = 64LL * 1024 * 1024;

// The whole file, at most LargestFile bytes; false and `error` when unreadable.
bool readFile(const QString &path, QByteArray *data, QString *error);
// Is `data` a one-bit bitmap of exactly `lcdSize`, walked byte by byte?
bool isExactBitmap(const QByteArray &data, QSize lcdSize);

BitmapLoadResult loadFile(const QString &path, QSize lcdSize, bool inverted, HexGrid &grid,
                          const ImportSettings &import = ImportSettings());
BitmapLoadResult loadData(const QByteArray &data, QSize lcdSize, bool inverted, HexGrid &grid,
                          const ImportSettings &import = ImportSettings());
// A black-and-white picture already at the LCD's size, walked as if saved
// as a one-bit bitmap.
BitmapLoadResult loadPicture(const QImage &lcdPicture, bool inverted, HexGrid &grid);

} // namespace BitmapLoader
