#pragma once

#include "logic/canvas/LcdSizes.h"
#include "logic/convert/MatrixLayout.h"
#include "logic/decode/SizeHints.h"

#include <QByteArray>
#include <QImage>
#include <QList>

// Which size and layout made an array of unknown origin: every size the
// byte count allows in every layout, ranked by how much the picture looks
// like one. Drawings have long runs of one colour; a wrong bit order,
// scan order or width breaks them up, so fewer changes between
// neighbouring pixels means a likelier guess.
//
// Sizes tried: those the file states (hints), the LCD sizes, and for
// vertical bytes every width that divides the count (8 rows a page), for
// rows every height that divides it (the width a whole number of bytes:
// the count cannot tell padding bits from pixels, a hint can).
namespace LayoutGuess {

// Sizes tried beyond the hints and LCD sizes: at least ShortestSide and at
// most LongestSide a side, neither more than MostAspect times the other.
constexpr int ShortestSide = LcdSizes::SmallestSide;
constexpr int LongestSide = LcdSizes::LargestSide;
constexpr int MostAspect = 8;

struct Candidate
{
    int width = 0;
    int height = 0;
    MatrixLayout layout;
    bool closingZero = false; // a last 00 beyond the rows, as horizontal text ends
    int skip = 0;             // leading bytes that hold no pixels (a width,height prefix)
    bool hinted = false;      // the size the file states
    qint64 changes = 0;       // between neighbouring pixels, across and down

    // Changes per bit of the bytes, scaled to whole numbers: 6 pixels a
    // byte draw fewer pixels, and so fewer changes, from the same bytes.
    qint64 score() const { return changes * 24 / (layout.horizontal ? layout.pixelsPerByte : 8); }
};

// Neighbouring pixels of different colour, across and down.
qint64 pixelChanges(const QImage &picture);

// Every layout the guess tries, the usual ones first.
QList<MatrixLayout> layouts();

// All candidates: the sizes the file states first, then the others; each
// group lowest score first, ties going to an LCD size, then a layout a
// controller profile uses, then landscape. `closingZero`: the bytes may end
// with the output text's closing 00 of rows (no file template writes it).
QList<Candidate> rank(const QByteArray &bytes, const QList<SizeHints::Hint> &hints = {}, bool closingZero = true);

// The candidate's picture.
QImage pictureOf(const QByteArray &bytes, const Candidate &candidate);

} // namespace LayoutGuess
