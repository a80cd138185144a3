#pragma once

#include "logic/canvas/LcdSizes.h"
#include "logic/convert/MatrixLayout.h"

#include <QByteArray>
#include <QImage>
#include <QList>

// Which size and layout made an array of unknown origin: every size the
// byte count fits (the LCD sizes first, then widths in steps of 8) in every
// packing, bit order and scan order, ranked by how much the picture looks
// like one. Drawings have long runs of one colour; a wrong bit order,
// scan order or width breaks them up, so fewer changes between
// neighbouring pixels means a likelier guess.
namespace LayoutGuess {

// Widths and heights tried beyond the LCD sizes: at most this long, and
// neither more than MostAspect times the other.
constexpr int LongestSide = LcdSizes::LargestSide;
constexpr int MostAspect = 8;

struct Candidate
{
    int width = 0;
    int height = 0;
    MatrixLayout layout;
    bool closingZero = false; // a last 00 beyond the rows, as horizontal text ends
    qint64 changes = 0;       // between neighbouring pixels, across and down
};

// Neighbouring pixels of different colour, across and down.
qint64 pixelChanges(const QImage &picture);

// All candidates, fewest changes first; ties keep the order tried, the
// usual layouts and LCD sizes first.
QList<Candidate> rank(const QByteArray &bytes);

// The candidate's picture.
QImage pictureOf(const QByteArray &bytes, const Candidate &candidate);

} // namespace LayoutGuess
