#include "logic/settings/SettingsSchema.h"

#include "logic/canvas/LcdSizes.h"
#include "logic/canvas/PenStroke.h"
#include "logic/convert/ControllerProfiles.h"
#include "logic/core/PicLink.h"
#include "logic/convert/TransferHeader.h"
#include "logic/output/TransmitDelay.h"
#include "logic/serial/CommPort.h"
#include "logic/serial/PortAssignments.h"
#include "logic/serial/SerialLineFormat.h"
#include "logic/settings/WindowPlacement.h"

namespace {

using Kind = SettingKey::Kind;

QStringList numbers(const QList<int> &values)
{
    QStringList texts;
    for (int value : values)
        texts << QString::number(value);
    return texts;
}

// An older file kept the row of a list: the row's value, or nothing.
std::function<std::optional<QString>(const QVariant &)> rowOf(const QStringList &values)
{
    return [values](const QVariant &old) -> std::optional<QString> {
        bool ok = false;
        const int row = old.toString().toInt(&ok);
        if (!ok || row < 0 || row >= values.size())
            return std::nullopt;
        return values.at(row);
    };
}

QStringList lcdSizeChoices()
{
    QStringList choices;
    for (const LcdSize &size : LcdSizes::all())
        choices << QLatin1String(size.caption);
    return choices << QStringLiteral("custom");
}

QStringList displayTypeChoices()
{
    QStringList choices;
    for (const auto &type : LcdSizes::displayTypes())
        choices << QString(type.first);
    return choices;
}

SettingKey choice(const char *name, const QStringList &choices, const QVariant &firstStart = {})
{
    return {QLatin1String(name), Kind::Choice, 0, 0, choices, {}, {}, firstStart};
}

SettingKey integer(const char *name, int minimum, int maximum, const QVariant &firstStart = {})
{
    return {QLatin1String(name), Kind::Integer, minimum, maximum, {}, {}, {}, firstStart};
}

SettingKey text(const char *name, int maxLength, const QVariant &firstStart = {})
{
    return {QLatin1String(name), Kind::Text, 0, maxLength, {}, {}, {}, firstStart};
}

SettingKey flag(const char *name, bool firstStart)
{
    return {QLatin1String(name), Kind::Flag, 0, 0, {}, {}, {}, firstStart};
}

SettingKey withOld(SettingKey key, const char *oldName,
                   std::function<std::optional<QString>(const QVariant &)> fromOld)
{
    key.oldName = QLatin1String(oldName);
    key.fromOld = std::move(fromOld);
    return key;
}

SettingKey checked(SettingKey key, std::function<bool(const QString &)> accepts, const QString &expected)
{
    key.accepts = std::move(accepts);
    key.expected = expected;
    return key;
}

SettingsSchema declare()
{
    SettingsSchema s;
    const QString firstSize = QLatin1String(LcdSizes::all().first().caption);
    s.lcdSize = withOld(choice("canvas/lcdSize", lcdSizeChoices(), firstSize), "canvas/size",
                        rowOf(lcdSizeChoices()));
    s.customWidth = integer("canvas/width", LcdSizes::SmallestSide, LcdSizes::LargestSide,
                            LcdSizes::all().first().width);
    s.customHeight = integer("canvas/height", LcdSizes::SmallestSide, LcdSizes::LargestSide,
                             LcdSizes::all().first().height);
    s.displayType = choice("canvas/displayType", displayTypeChoices());
    s.penWidth = withOld(choice("canvas/penWidth", numbers(PenStroke::Widths), QStringLiteral("1")), "canvas/penSize",
                         rowOf(numbers(PenStroke::Widths)));
    s.inverted = flag("canvas/inverted", true);
    s.zoom = integer("canvas/zoom", 0, 8, 0);
    s.fontFamily = text("canvas/font", 200);
    s.fontSize = integer("canvas/fontSize", 1, 500);

    s.header = text("format/header", 1000, QString());
    s.footer = text("format/footer", 1000, QString());
    s.delimiter = text("format/delimiter", 1000, QString());
    s.prefix = text("format/prefix", 1000, QString());
    s.packing = choice("format/packing", {"vertical", "horizontal"}, QStringLiteral("horizontal"));
    s.profile = choice("format/profile", ControllerProfiles::names() << QStringLiteral("custom"));
    s.bitOrder = choice("format/bit-order", {"lsb", "msb"});
    s.scan = choice("format/scan", {"pages", "columns"});

    s.waitChars = text("link/waitChars", 10, PicLink::DefaultWaitChars);
    s.picBuffer = withOld(choice("link/picBufferBytes", numbers(PicLink::BufferSizes), PicLink::DefaultBufferSize),
                          "link/picBuffer", rowOf(numbers(PicLink::BufferSizes)));
    s.picDelay = withOld(choice("link/picDelayMs", numbers(PicLink::DelaysMs), PicLink::DefaultDelayMs),
                         "link/picDelay", rowOf(numbers(PicLink::DelaysMs)));
    s.eepromTarget = flag("link/eeprom", false);
    s.startAddress = integer("link/startAddress", 0, TransferHeader::MaxAddress, 0);
    s.transmitDelay = checked(text("link/xmitDelay", 1000, QString::number(TransmitDelay::defaultLcdMs)),
                              [](const QString &text) { return TransmitDelay::truncated(text).has_value(); },
                              QStringLiteral("milliseconds"));
    s.waitForPic = flag("link/waitForPic", false);

    s.comPort = integer("port/com", 1, PortAssignments::count, 1);
    s.lineSettings = checked(text("port/settings", 100, SerialLineFormat::DefaultText),
                             [](const QString &text) { return SerialLineFormat::parse(text).has_value(); },
                             QStringLiteral("a line setting such as 19200,n,8,1"));
    s.handshake = withOld(choice("port/handshaking", SettingsSchema::handshakeNames()), "port/handshake",
                          rowOf(SettingsSchema::handshakeNames()));
    s.outBuffer = integer("port/outBuffer", 1, CommPort::MaxOutBufferSize, CommPort::DefaultOutBufferSize);

    s.windowGeometry = withOld(checked(text("window/placement", 100),
                                       [](const QString &text) { return WindowPlacement::parse(text).isValid(); },
                                       QStringLiteral("x,y,width,height")),
                               "window/geometry", &WindowPlacement::fromSavedGeometry);
    s.windowMaximized = withOld(flag("window/maximized", false), "window/geometry",
                                &WindowPlacement::maximizedFromSavedGeometry);
    return s;
}

} // namespace

const SettingsSchema &SettingsSchema::keys()
{
    static const SettingsSchema schema = declare();
    return schema;
}

QList<const SettingKey *> SettingsSchema::all() const
{
    return {&lcdSize,   &customWidth, &customHeight, &displayType, &penWidth,     &inverted,     &zoom,
            &fontFamily, &fontSize,   &header,       &footer,      &delimiter,    &prefix,       &packing,
            &profile,   &bitOrder,    &scan,         &waitChars,   &picBuffer,    &picDelay,     &eepromTarget,
            &startAddress, &transmitDelay, &comPort, &lineSettings, &handshake,  &outBuffer,    &windowGeometry,
            &windowMaximized};
}

QStringList SettingsSchema::handshakeNames()
{
    return {QStringLiteral("off"), QStringLiteral("xon-xoff"), QStringLiteral("rts-cts"),
            QStringLiteral("rts-cts-xon-xoff")};
}
