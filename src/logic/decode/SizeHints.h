#pragma once

#include "logic/decode/SourceArrays.h"

#include <QList>
#include <QString>

// The width and height a file states for an array: named numbers beside it
// (`#define logo_width 82`, `LOGO_HEIGHT 64`, `const uint8_t logo_w = 82;`,
// an XBM's `_width`/`_height`), a size in its name (`icon_16x16`), or two
// leading bytes that give width and height and match the count.
namespace SizeHints {

struct Hint
{
    int width = 0;
    int height = 0;
    int skip = 0;   // leading bytes that are no pixels (2 for a width,height prefix)
    QString origin; // "logo_width 82, logo_height 64", "the name icon_16x16", "its first two bytes"
};

// Likeliest first: numbers named after the array, its name, its first two
// bytes, then numbers named after no array when the file holds only one.
QList<Hint> forArray(const SourceArrays::Array &array, const QList<SourceArrays::Constant> &constants,
                     bool onlyArray);

// Whether width x height pictures, in rows or pages of eight, take `count`
// bytes.
bool countFits(int width, int height, qsizetype count);

} // namespace SizeHints
