#pragma once

#include "logic/decode/DecodeError.h"
#include "logic/decode/SizeHints.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>

// How a file held its bytes.
enum class ArrayForm { Text, CSource, Xbm, Assembler, IntelHex, Binary, Stream };

// The one reader of arrays in text: C, C++ and assembler sources (see
// SourceArrays), XBM, and the output text in any format, delimiter, header
// and footer (see HexTextDecoder). The source reading is tried first; the
// output text's reading takes over when the source holds no array, when
// its elements are not all C or assembler numbers (`{c0,ff}`, `db $c0 $ff`)
// or when they are bare hex pairs, which only the output text writes.
namespace ArrayText {

struct Array
{
    QString name; // empty for output text and unnamed data
    int line = 1;
    QByteArray bytes;
    QList<SizeHints::Hint> hints;
    ArrayForm form = ArrayForm::Text;
    qsizetype start = 0; // where the bytes start in the text (output text only)
    qsizetype end = 0;
};

struct Result
{
    QList<Array> arrays; // at least one when ok()
    DecodeError error;   // a token that could not be read

    bool ok() const { return !error.isSet() && !arrays.isEmpty(); }
    // The error's message, or "no bytes found".
    QString problem() const;
};

Result read(QStringView text);

// The array of this name; nullptr when none has it.
const Array *byName(const Result &result, const QString &name);

} // namespace ArrayText
