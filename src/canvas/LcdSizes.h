#pragma once

#include <QString>
#include <QVector>

// The LCD sizes the tool offers, by option index.
struct LcdSize
{
    int index;
    int width;
    int height;
    const char *caption;   // "240x64"
    const char *labelName; // the label beside the option
};

namespace LcdSizes {

const QVector<LcdSize> &all();
// nullptr for an index outside 0..7.
const LcdSize *byIndex(int index);
// Top to bottom as the options stand on screen: largest first.
QVector<int> screenOrder();
// "WxH" as on the option labels; nullptr when no offered size matches.
const LcdSize *byCaption(const QString &caption);

} // namespace LcdSizes
