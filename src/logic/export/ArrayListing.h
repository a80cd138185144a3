#pragma once

#include "logic/canvas/LcdSizes.h"
#include "logic/convert/MatrixLayout.h"
#include "logic/decode/LayoutGuess.h"
#include "logic/export/ArrayFileReader.h"

#include <QImage>
#include <QString>

#include <optional>

// What is said about the arrays of a file, by `tavrel decode` and the
// window's array load: the list, the others beside the one read, the size
// hint taken, and the picture an array draws at a size and layout.
namespace ArrayListing {

// The fewest bytes a picture takes: the smallest size, 8 pixels a byte.
constexpr int FewestPictureBytes = LcdSizes::SmallestSide * LcdSizes::SmallestSide / 8;

// One line an array: "logo (line 12): 1024 bytes; sizes stated: 128x64 (LOGO_WIDTH 128, LOGO_HEIGHT 64)".
QString list(const ArrayFileReader::Result &arrays);

// "holds 3 arrays; reading logo (--array NAME picks another: icon, frame)";
// empty for a file of one array.
QString othersNote(const ArrayFileReader::Result &arrays);

// The array's name, or "(unnamed)" for the output text and unnamed data.
QString nameOf(const ArrayText::Array &array);

// "82x64"
QString sizeText(int width, int height);

// Whether `count` bytes are a width x height picture in `layout`: exactly,
// or with one byte more in rows (the output text's closing 00).
bool countFits(qsizetype count, int width, int height, const MatrixLayout &layout);

// The first hint whose size takes the array's bytes in `layout`; nullptr
// when none does.
const SizeHints::Hint *fittingHint(const ArrayText::Array &array, const MatrixLayout &layout);

// Whether any array is long enough to hold a picture. A source without
// arrays can still give a few stray numbers as bytes.
bool holdsPicture(const ArrayFileReader::Result &arrays);

// The array likeliest to hold a picture: the first whose stated size fits
// its bytes, else the largest (the first of equals).
int likeliestPicture(const ArrayFileReader::Result &arrays);

// Whether arrays of this form may close rows with an extra 00: only the
// output text and its streams do (no file template writes it).
bool mayCloseRowsWithZero(ArrayForm form);

// The likeliest size and layout of array `index` (see LayoutGuess) among
// those a canvas takes (sides LcdSizes::SmallestSide to LargestSide);
// nothing when no such size fits its bytes.
std::optional<LayoutGuess::Candidate> likeliestLayout(const ArrayFileReader::Result &arrays, int index);

struct Drawing
{
    QImage picture;  // null when the bytes do not fit
    QString problem; // then why: "1000 bytes; 128x64 needs 1024"
};

// The picture the array's bytes draw at this size and layout, leading
// width,height bytes the file states for this size left out.
Drawing draw(const ArrayText::Array &array, int width, int height, const MatrixLayout &layout);

} // namespace ArrayListing
