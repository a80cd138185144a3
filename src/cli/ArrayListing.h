#pragma once

#include "logic/convert/MatrixLayout.h"
#include "logic/export/ArrayFileReader.h"

#include <QString>

// What `tavrel decode` says about the arrays of a file: the list for
// --list, the others beside the one read, and the size hint it takes.
namespace ArrayListing {

// One line an array: "logo (line 12): 1024 bytes; sizes stated: 128x64 (LOGO_WIDTH 128, LOGO_HEIGHT 64)".
QString list(const ArrayFileReader::Result &arrays);

// "holds 3 arrays; reading logo (--array NAME picks another: icon, frame)";
// empty for a file of one array.
QString othersNote(const ArrayFileReader::Result &arrays);

// "82x64"
QString sizeText(int width, int height);

// The first hint whose size takes the array's bytes in `layout`; nullptr
// when none does.
const SizeHints::Hint *fittingHint(const ArrayText::Array &array, const MatrixLayout &layout);

} // namespace ArrayListing
