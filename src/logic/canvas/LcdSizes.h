#pragma once

#include <QSize>
#include <QString>
#include <QVector>

// The LCD sizes the tool offers, by option index.
struct LcdSize
{
    int index;
    int width;
    int height;
    const char *caption;   // "240x64"
    char displayType;      // the character the transfer header tells the PIC
};

namespace LcdSizes {

// The option after the eight: any width and height in the range below.
constexpr int CustomIndex = 8;
constexpr int SmallestSide = 8;
constexpr int LargestSide = 1024;

const QVector<LcdSize> &all();
// nullptr for an index outside 0..7.
const LcdSize *byIndex(int index);
// Top to bottom as the options stand on screen: largest first.
QVector<int> screenOrder();
// "WxH" as on the option labels; nullptr when no offered size matches.
const LcdSize *byCaption(const QString &caption);

bool isCustomSize(QSize size);
// "84x48" (or "84X48") as a size, or an invalid QSize.
QSize parse(const QString &text);
// The option index a size is shown under: one of the eight, else CustomIndex.
int indexFor(QSize size);

// The display-type characters a custom size may tell the PIC: those the
// eight sizes use, each with the sizes that use it ("240x64, 256x128, ...").
QVector<QPair<QChar, QString>> displayTypes();
// The character of size option `index`; null for a custom size.
QChar displayTypeOf(int index);

} // namespace LcdSizes
