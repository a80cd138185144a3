#include "logic/export/ArrayCheck.h"

#include "logic/convert/Conversion.h"
#include "logic/export/XbmTemplate.h"

namespace ArrayCheck {

namespace {
QString hexByte(char byte)
{
    return QStringLiteral("0x%1").arg(uchar(byte), 2, 16, QLatin1Char('0'));
}
} // namespace

Verdict compare(const QByteArray &expected, const QByteArray &found, bool closingZeroAllowed)
{
    const qsizetype common = qMin(expected.size(), found.size());
    for (qsizetype i = 0; i < common; ++i)
        if (expected.at(i) != found.at(i))
            return {false, QStringLiteral("byte %1 differs: the array holds %2, the conversion gives %3")
                               .arg(i)
                               .arg(hexByte(found.at(i)), hexByte(expected.at(i)))};
    const bool closingZero =
        closingZeroAllowed && found.size() == expected.size() + 1 && found.endsWith(QByteArray(1, '\0'));
    if (found.size() != expected.size() && !closingZero) {
        const QString first = found.size() < expected.size()
            ? QStringLiteral("byte %1 is missing (the conversion gives %2)").arg(common).arg(hexByte(expected.at(common)))
            : QStringLiteral("byte %1 is one too many (the array holds %2)").arg(common).arg(hexByte(found.at(common)));
        return {false, QStringLiteral("the array holds %1 bytes, the conversion gives %2: %3")
                           .arg(found.size())
                           .arg(expected.size())
                           .arg(first)};
    }
    return {true, QStringLiteral("%1 bytes match").arg(expected.size())};
}

QByteArray expectedBytes(const ConversionResult &matrix, bool xbm)
{
    return xbm ? XbmTemplate::bytes(matrix) : matrix.bytes;
}

int leadingSizeBytes(const QList<SizeHints::Hint> &hints, int width, int height)
{
    for (const SizeHints::Hint &hint : hints)
        if (hint.skip > 0 && hint.width == width && hint.height == height)
            return hint.skip;
    return 0;
}

QString sizeNote(const QList<SizeHints::Hint> &hints, int width, int height)
{
    for (const SizeHints::Hint &hint : hints)
        if (hint.width == width && hint.height == height)
            return QString();
    if (hints.isEmpty())
        return QString();
    const SizeHints::Hint &first = hints.first();
    return QStringLiteral("the file states %1x%2: %3").arg(first.width).arg(first.height).arg(first.origin);
}

} // namespace ArrayCheck
