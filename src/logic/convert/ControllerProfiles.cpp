#include "logic/convert/ControllerProfiles.h"

namespace {
using Order = MatrixLayout::BitOrder;
using Scan = MatrixLayout::Scan;
} // namespace

namespace ControllerProfiles {

const QList<ControllerProfile> &all()
{
    // SSD1306 and PCD8544 write column by column in their vertical
    // addressing mode; in their usual mode they take KS0108 bytes.
    static const QList<ControllerProfile> profiles = {
        {{"ks0108", "ssd1306", "sh1106", "st7565", "pcd8544"},
         QStringLiteral("KS0108, SSD1306, SH1106, ST7565, PCD8544"),
         {false, Order::LsbFirst, Scan::Pages}},
        {{"ssd1306-vertical", "pcd8544-vertical"},
         QStringLiteral("SSD1306, PCD8544 vertical addressing"),
         {false, Order::LsbFirst, Scan::Columns}},
        {{"t6963c", "sed1330", "st7920"}, QStringLiteral("T6963C, SED1330, ST7920"), {true, Order::MsbFirst, Scan::Pages}},
        {{"xbm"}, QStringLiteral("XBM, LSB at left"), {true, Order::LsbFirst, Scan::Pages}},
        {{"t6963c-6px"}, QStringLiteral("T6963C 6-pixel font mode"), {true, Order::MsbFirst, Scan::Pages, 6}},
    };
    return profiles;
}

QList<ControllerProfile> forPacking(bool horizontal)
{
    QList<ControllerProfile> result;
    for (const ControllerProfile &profile : all())
        if (profile.layout.horizontal == horizontal)
            result << profile;
    return result;
}

const ControllerProfile *byName(const QString &name)
{
    for (const ControllerProfile &profile : all())
        if (profile.names.contains(name.toLower()))
            return &profile;
    return nullptr;
}

const ControllerProfile *byLayout(const MatrixLayout &layout)
{
    for (const ControllerProfile &profile : all())
        if (profile.layout == layout)
            return &profile;
    return nullptr;
}

QStringList names()
{
    QStringList result;
    for (const ControllerProfile &profile : all())
        result << profile.names;
    return result;
}

} // namespace ControllerProfiles
