#pragma once

#include "logic/decode/SizeHints.h"

#include <QByteArray>
#include <QList>
#include <QString>

struct ConversionResult;

// Whether an array file still holds what a conversion gives: for build
// scripts that guard committed arrays.
namespace ArrayCheck {

struct Verdict
{
    bool matches = false;
    QString message; // "1024 bytes match" or where the first difference is
};

// `expected` against `found`. `closingZeroAllowed`: one more 00 at the end
// is no difference (horizontal text closes with it for the PIC).
Verdict compare(const QByteArray &expected, const QByteArray &found, bool closingZeroAllowed);

// The bytes an array file of this form must hold: an XBM the picture in
// XBM's own layout, any other form the conversion's bytes.
QByteArray expectedBytes(const ConversionResult &matrix, bool xbm);

// The leading bytes that state this size (width, height) rather than
// pixels: 2 when a hint from them says width x height, else 0.
int leadingSizeBytes(const QList<SizeHints::Hint> &hints, int width, int height);

// When the file states a size and none is width x height: "the file states
// 82x64: logo_width 82, logo_height 64"; empty otherwise.
QString sizeNote(const QList<SizeHints::Hint> &hints, int width, int height);

} // namespace ArrayCheck
