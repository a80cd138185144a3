#include "logic/export/ArrayListing.h"

#include "logic/convert/ByteMatrix.h"
#include "logic/export/ArrayCheck.h"

#include <QStringList>

namespace ArrayListing {

QString nameOf(const ArrayText::Array &array)
{
    return array.name.isEmpty() ? QStringLiteral("(unnamed)") : array.name;
}

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

bool countFits(qsizetype count, int width, int height, const MatrixLayout &layout)
{
    const qsizetype needed = ByteMatrix::byteCount(width, height, layout);
    return needed == count || (layout.horizontal && needed + 1 == count);
}

const SizeHints::Hint *fittingHint(const ArrayText::Array &array, const MatrixLayout &layout)
{
    for (const SizeHints::Hint &hint : array.hints)
        if (countFits(array.bytes.size() - hint.skip, hint.width, hint.height, layout))
            return &hint;
    return nullptr;
}

bool holdsPicture(const ArrayFileReader::Result &arrays)
{
    for (const ArrayText::Array &array : arrays.arrays)
        if (array.bytes.size() >= FewestPictureBytes)
            return true;
    return false;
}

int likeliestPicture(const ArrayFileReader::Result &arrays)
{
    int largest = 0;
    for (int i = 0; i < arrays.arrays.size(); ++i) {
        const ArrayText::Array &array = arrays.arrays.at(i);
        for (const SizeHints::Hint &hint : array.hints)
            if (SizeHints::countFits(hint.width, hint.height, array.bytes.size() - hint.skip))
                return i;
        if (array.bytes.size() > arrays.arrays.at(largest).bytes.size())
            largest = i;
    }
    return largest;
}

bool mayCloseRowsWithZero(ArrayForm form)
{
    return form == ArrayForm::Text || form == ArrayForm::Stream;
}

std::optional<LayoutGuess::Candidate> likeliestLayout(const ArrayFileReader::Result &arrays, int index)
{
    const ArrayText::Array &array = arrays.arrays.at(index);
    const ArrayForm form = arrays.form == ArrayForm::Stream ? ArrayForm::Stream : array.form;
    const QList<LayoutGuess::Candidate> ranked = LayoutGuess::rank(array.bytes, array.hints, mayCloseRowsWithZero(form));
    for (const LayoutGuess::Candidate &candidate : ranked)
        if (LcdSizes::isCustomSize(QSize(candidate.width, candidate.height)))
            return candidate;
    return std::nullopt;
}

Drawing draw(const ArrayText::Array &array, int width, int height, const MatrixLayout &layout)
{
    const QByteArray bytes = array.bytes.mid(ArrayCheck::leadingSizeBytes(array.hints, width, height));
    // The output text's rows end with a closing 00; a file's do not.
    const bool closingZero = layout.horizontal && mayCloseRowsWithZero(array.form);
    if (!countFits(bytes.size(), width, height, layout))
        return {QImage(), QStringLiteral("%1 bytes; %2 needs %3")
                              .arg(bytes.size())
                              .arg(sizeText(width, height))
                              .arg(ByteMatrix::byteCount(width, height, layout) + (closingZero ? 1 : 0))};
    return {ByteMatrix::pictureFrom(bytes, width, height, layout), QString()};
}

} // namespace ArrayListing
