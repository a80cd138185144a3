#include "logic/decode/SizeHints.h"

#include "logic/convert/ByteMatrix.h"

#include <QRegularExpression>

namespace SizeHints {

namespace {

constexpr int LargestSide = 4096;

bool sensible(qint64 side)
{
    return side >= 1 && side <= LargestSide;
}

// "logo_bits", "logo_bmp", "LogoBitmap" name the picture "logo".
QString stemOf(const QString &name)
{
    static const QRegularExpression suffix(QStringLiteral("_?(bits|bmp|bitmap|data|img|image|array|glcd)$"),
                                           QRegularExpression::CaseInsensitiveOption);
    QString stem = name;
    stem.remove(suffix);
    return stem.toLower();
}

// How closely a number's prefix belongs to the array: 3 its own, 2 sharing
// the start of its name, 1 no prefix at all, 0 another array's.
int relation(QString prefix, const QString &arrayName)
{
    prefix = prefix.toLower();
    while (prefix.endsWith(QLatin1Char('_')))
        prefix.chop(1);
    while (prefix.startsWith(QLatin1Char('_')))
        prefix.remove(0, 1);
    const QString name = arrayName.toLower();
    if (prefix.isEmpty())
        return 1;
    if (prefix == name || prefix == stemOf(arrayName))
        return 3;
    return name.startsWith(prefix) || prefix.startsWith(stemOf(arrayName)) ? 2 : 0;
}

struct Pair
{
    Hint hint;
    int relation;
};

// Width constants matched with the height constant of the same stem:
// "X_width"/"X_height", "X_W"/"X_H", "XWidth"/"XHeight", "WIDTH_X"/"HEIGHT_X".
QList<Pair> namedPairs(const QList<SourceArrays::Constant> &constants, const QString &arrayName)
{
    static const QRegularExpression suffixWidth(QStringLiteral("^(.*?)(_w|_?width)$"), QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression prefixWidth(QStringLiteral("^(w|width)_(.+)$"), QRegularExpression::CaseInsensitiveOption);
    QList<Pair> pairs;
    for (const SourceArrays::Constant &width : constants) {
        QRegularExpressionMatch match = suffixWidth.match(width.name);
        const bool suffixed = match.hasMatch();
        if (!suffixed)
            match = prefixWidth.match(width.name);
        if (!match.hasMatch() || !sensible(width.value))
            continue;
        const QString stem = match.captured(suffixed ? 1 : 2);
        QString word = match.captured(suffixed ? 2 : 1);
        word.replace(QLatin1String("width"), QLatin1String("height"), Qt::CaseInsensitive);
        word.replace(QLatin1String("w"), QLatin1String("h"), Qt::CaseInsensitive);
        const QString heightName = suffixed ? stem + word : word + QLatin1Char('_') + stem;
        for (const SourceArrays::Constant &height : constants)
            if (height.name.compare(heightName, Qt::CaseInsensitive) == 0 && sensible(height.value)) {
                const QString origin = QStringLiteral("%1 %2, %3 %4").arg(width.name).arg(width.value).arg(height.name).arg(height.value);
                pairs.append({{int(width.value), int(height.value), 0, origin}, relation(stem, arrayName)});
                break;
            }
    }
    std::stable_sort(pairs.begin(), pairs.end(), [](const Pair &a, const Pair &b) { return a.relation > b.relation; });
    return pairs;
}

} // namespace

bool countFits(int width, int height, qsizetype count)
{
    return ByteMatrix::byteCount(width, height, MatrixLayout::usual(false)) == count
        || ByteMatrix::byteCount(width, height, MatrixLayout::usual(true)) == count;
}

QList<Hint> forArray(const SourceArrays::Array &array, const QList<SourceArrays::Constant> &constants, bool onlyArray)
{
    QList<Hint> hints;
    const QList<Pair> pairs = namedPairs(constants, array.name);
    for (const Pair &pair : pairs)
        if (pair.relation >= 2)
            hints << pair.hint;
    static const QRegularExpression inName(QStringLiteral("(\\d+)\\s*[xX]\\s*(\\d+)"));
    const QRegularExpressionMatch match = inName.match(array.name);
    if (match.hasMatch() && sensible(match.captured(1).toLongLong()) && sensible(match.captured(2).toLongLong()))
        hints << Hint{match.captured(1).toInt(), match.captured(2).toInt(), 0,
                      QStringLiteral("the name %1").arg(array.name)};
    const QByteArray &bytes = array.bytes;
    if (bytes.size() > 2) {
        const int width = uchar(bytes.at(0));
        const int height = uchar(bytes.at(1));
        if (width > 1 && height > 1 && bytes.size() >= 10 && countFits(width, height, bytes.size() - 2))
            hints << Hint{width, height, 2, QStringLiteral("its first two bytes")};
    }
    for (const Pair &pair : pairs)
        if (pair.relation == 1 || (pair.relation == 0 && onlyArray))
            hints << pair.hint;
    return hints;
}

} // namespace SizeHints
