#pragma once

#include "logic/decode/ArrayText.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Reads the arrays of a file in any form: Intel HEX, raw binary, a send
// stream for the PIC, and every text ArrayText reads (C, C++, assembler,
// XBM, the output window's text). One reader for decode, --guess, --check
// and the window.
namespace ArrayFileReader {

using Form = ArrayForm;

struct Result
{
    QList<ArrayText::Array> arrays; // at least one when ok()
    int chosen = 0;
    QByteArray bytes; // the chosen array's
    Form form = Form::Text;
    QString error; // empty when the bytes could be read

    bool ok() const { return error.isEmpty(); }
    const ArrayText::Array &array() const { return arrays.at(chosen); }
};

// `raw`: take the content itself as the bytes (a binary file).
Result read(const QByteArray &content, bool raw = false);
// Whether a file of this name holds raw bytes: *.bin.
bool isRaw(const QString &path);
// The name endings of files that hold arrays rather than pictures, without
// the dot: C, C++ and Arduino sources, XBM, Intel HEX, raw binary.
const QStringList &extensions();
// Whether a file of this name holds arrays (case ignored).
bool isArrayFile(const QString &path);

// Makes the array named `name` the chosen one; false with the names known.
bool choose(Result *result, const QString &name, QString *error);

Result readIntelHex(const QByteArray &content);

} // namespace ArrayFileReader
