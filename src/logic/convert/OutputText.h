#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The text form of a byte matrix: one line, every byte as
// format + two hex digits + delimiter, wrapped in a header and a footer.
namespace OutputText {

// Upper-case digits, as the hex conversion gives them; finished() lowers them.
QString hexBytes(const QByteArray &bytes, const QString &format, const QString &delimiter);
// Cells already hold their hex text (a loaded bitmap's bytes).
QString cells(const QStringList &cells, const QString &format, const QString &delimiter);

// Drops the delimiter written after the last byte, and blanks before it.
// Text that does not end with the delimiter keeps all its characters.
QString withoutClosingDelimiter(QString text, const QString &delimiter);

// header + body + footer, outer blanks removed, all lower case: the PIC and
// C sources both take lower-case hex.
QString finished(const QString &body, const QString &header, const QString &footer);

// Half the text's length, the byte count shown after a conversion:
// "1920", or "1920.5" for an odd length.
QString byteCount(const QString &text);

} // namespace OutputText
