#pragma once

#include <QByteArray>
#include <QString>

// Reads back the bytes of an array file in the forms the export writes:
// Intel HEX, C source or XBM (the numbers between the braces), assembler
// (`db`, `.db`, `.byte`, `retlw` lines), the output window's text in any
// format (read by the decoder) and a send stream for the PIC.
namespace ArrayFileReader {

enum class Form { Text, CSource, Xbm, Assembler, IntelHex, Binary, Stream };

struct Result
{
    QByteArray bytes;
    Form form = Form::Text;
    QString error; // empty when the bytes could be read

    bool ok() const { return error.isEmpty(); }
};

// `raw`: take the content itself as the bytes (a binary file).
Result read(const QByteArray &content, bool raw = false);

// The parts, for their own tests.
Result readIntelHex(const QByteArray &content);
Result readBraces(const QString &text);
Result readAssembler(const QString &text);
Result readHexText(const QString &text);
Result readStream(const QString &text);

} // namespace ArrayFileReader
