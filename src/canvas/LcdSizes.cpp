#include "canvas/LcdSizes.h"

namespace LcdSizes {

const QVector<LcdSize> &all()
{
    static const QVector<LcdSize> sizes = {
        {0, 240, 64, "240x64", "Label14"},   {1, 128, 64, "128x64", "Label15"},
        {2, 128, 32, "128x32", "Label16"},   {3, 256, 128, "256x128", "Label17"},
        {4, 240, 128, "240x128", "Label19"}, {5, 128, 128, "128x128", "Label18"},
        {6, 256, 64, "256x64", "Label20"},   {7, 320, 200, "320x200", "Label21"},
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

} // namespace LcdSizes
