#pragma once

#include "logic/decode/LayoutGuess.h"
#include "logic/export/ArrayFileReader.h"

#include <QList>
#include <QString>

// What `tavrel decode --guess` prints: the likeliest sizes and layouts of an
// array, each with the command line that makes the same bytes again.
namespace GuessReport {

// The best three, and more when they tie with the third.
constexpr int Shown = 3;
constexpr int MostShown = 12;

// `picture`: the file the command lines convert (the --out picture).
QString text(const QString &file, const ArrayFileReader::Result &array, const QList<LayoutGuess::Candidate> &ranked,
             const QString &picture);

// `tavrel convert PICTURE ...` for one candidate, which --check accepts
// against the array; empty when convert makes no such size.
QString convertCommand(const LayoutGuess::Candidate &candidate, ArrayFileReader::Form form, const QString &picture);

} // namespace GuessReport
