#include "cli/ArrayListing.h"

#include "logic/convert/ByteMatrix.h"

#include <QStringList>

namespace ArrayListing {

namespace {

QString nameOf(const ArrayText::Array &array)
{
    return array.name.isEmpty() ? QStringLiteral("(unnamed)") : array.name;
}

} // namespace

QString sizeText(int width, int height)
{
    return QStringLiteral("%1x%2").arg(width).arg(height);
}

QString list(const ArrayFileReader::Result &arrays)
{
    QString text;
    for (const ArrayText::Array &array : arrays.arrays) {
        text += QStringLiteral("%1 (line %2): %3 bytes").arg(nameOf(array)).arg(array.line).arg(array.bytes.size());
        QStringList hints;
        for (const SizeHints::Hint &hint : array.hints)
            hints << QStringLiteral("%1 (%2)").arg(sizeText(hint.width, hint.height), hint.origin);
        if (!hints.isEmpty())
            text += QStringLiteral("; sizes stated: ") + hints.join(QLatin1String(", "));
        text += QLatin1Char('\n');
    }
    return text;
}

QString othersNote(const ArrayFileReader::Result &arrays)
{
    if (arrays.arrays.size() < 2)
        return QString();
    QStringList others;
    for (int i = 0; i < arrays.arrays.size(); ++i)
        if (i != arrays.chosen)
            others << nameOf(arrays.arrays.at(i));
    return QStringLiteral("holds %1 arrays; reading %2 (--array NAME picks another: %3)")
        .arg(arrays.arrays.size())
        .arg(nameOf(arrays.array()), others.join(QLatin1String(", ")));
}

const SizeHints::Hint *fittingHint(const ArrayText::Array &array, const MatrixLayout &layout)
{
    for (const SizeHints::Hint &hint : array.hints) {
        const qsizetype needed = ByteMatrix::byteCount(hint.width, hint.height, layout);
        const qsizetype count = array.bytes.size() - hint.skip;
        if (needed == count || (layout.horizontal && needed + 1 == count))
            return &hint;
    }
    return nullptr;
}

} // namespace ArrayListing
