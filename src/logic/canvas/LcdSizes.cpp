#include "logic/canvas/LcdSizes.h"

#include <QRegularExpression>

#include <algorithm>

namespace LcdSizes {

const QVector<LcdSize> &all()
{
    static const QVector<LcdSize> sizes = {
        {0, 240, 64, "240x64", '0'},   {1, 128, 64, "128x64", '3'},
        {2, 128, 32, "128x32", '4'},   {3, 256, 128, "256x128", '0'},
        {4, 240, 128, "240x128", '3'}, {5, 128, 128, "128x128", '4'},
        {6, 256, 64, "256x64", '0'},   {7, 320, 200, "320x200", '0'},
    };
    return sizes;
}

const LcdSize *byIndex(int index)
{
    return index >= 0 && index < all().size() ? &all().at(index) : nullptr;
}

QVector<int> screenOrder()
{
    return {7, 3, 6, 0, 4, 5, 1, 2};
}

const LcdSize *byCaption(const QString &caption)
{
    for (const LcdSize &size : all())
        if (caption.compare(QLatin1String(size.caption), Qt::CaseInsensitive) == 0)
            return &size;
    return nullptr;
}

bool isCustomSize(QSize size)
{
    return size.width() >= SmallestSide && size.width() <= LargestSide && size.height() >= SmallestSide
        && size.height() <= LargestSide;
}

QSize parse(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,5})[xX](\\d{1,5})$"));
    const QRegularExpressionMatch match = pattern.match(text.trimmed());
    return match.hasMatch() ? QSize(match.captured(1).toInt(), match.captured(2).toInt()) : QSize();
}

int indexFor(QSize size)
{
    for (const LcdSize &offered : all())
        if (offered.width == size.width() && offered.height == size.height())
            return offered.index;
    return CustomIndex;
}

QVector<QPair<QChar, QString>> displayTypes()
{
    QVector<QPair<QChar, QString>> types;
    for (const LcdSize &size : all()) {
        auto known = std::find_if(types.begin(), types.end(),
                                  [&size](const auto &type) { return type.first == QLatin1Char(size.displayType); });
        if (known == types.end())
            types.append({QLatin1Char(size.displayType), QLatin1String(size.caption)});
        else
            known->second += QStringLiteral(", ") + QLatin1String(size.caption);
    }
    std::sort(types.begin(), types.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    return types;
}

QChar displayTypeOf(int index)
{
    const LcdSize *size = byIndex(index);
    return size ? QChar(QLatin1Char(size->displayType)) : QChar();
}

} // namespace LcdSizes
