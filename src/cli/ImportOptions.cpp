#include "cli/ImportOptions.h"

#include <QCommandLineParser>

namespace ImportOptions {

void describe(QCommandLineParser &parser)
{
    parser.addOptions({
        {QStringLiteral("place"), QStringLiteral("Where a picture of another size lands: crop (its top-left, "
                                                 "default), center, fit, fill or stretch."),
         QStringLiteral("crop|center|fit|fill|stretch")},
        {QStringLiteral("threshold"), QStringLiteral("Luminance 0..255 below which a pixel is lit (default 128)."),
         QStringLiteral("N")},
        {QStringLiteral("dither"), QStringLiteral("none (default), fs (Floyd-Steinberg), atkinson or bayer (4x4)."),
         QStringLiteral("none|fs|atkinson|bayer")},
        {QStringLiteral("rotate"), QStringLiteral("Turn the picture clockwise first: 90, 180 or 270."),
         QStringLiteral("DEGREES")},
        {QStringLiteral("flip"), QStringLiteral("Mirror the picture: h (left to right) or v (top to bottom)."),
         QStringLiteral("h|v")},
        {QStringLiteral("invert"), QStringLiteral("Swap light and dark in the picture before it is placed.")},
    });
}

bool parse(const QCommandLineParser &parser, ImportSettings *settings, QString *error)
{
    if (parser.isSet("place") && !ImportSettings::placementFromName(parser.value("place"), &settings->placement)) {
        *error = QStringLiteral("--place must be crop, center, fit, fill or stretch, not \"%1\"").arg(parser.value("place"));
        return false;
    }
    if (parser.isSet("threshold")) {
        bool ok = false;
        settings->threshold = parser.value("threshold").toInt(&ok);
        if (!ok || settings->threshold < 0 || settings->threshold > 255) {
            *error = QStringLiteral("--threshold must be a whole number from 0 to 255");
            return false;
        }
    }
    if (parser.isSet("dither") && !ImportSettings::ditherFromName(parser.value("dither"), &settings->dither)) {
        *error = QStringLiteral("--dither must be none, fs, atkinson or bayer, not \"%1\"").arg(parser.value("dither"));
        return false;
    }
    if (parser.isSet("rotate")) {
        const QString degrees = parser.value("rotate");
        if (degrees != QLatin1String("90") && degrees != QLatin1String("180") && degrees != QLatin1String("270")) {
            *error = QStringLiteral("--rotate must be 90, 180 or 270");
            return false;
        }
        settings->rotation = degrees.toInt();
    }
    for (const QString &flip : parser.values("flip")) {
        if (flip != QLatin1String("h") && flip != QLatin1String("v")) {
            *error = QStringLiteral("--flip must be h or v, not \"%1\"").arg(flip);
            return false;
        }
        (flip == QLatin1String("h") ? settings->flipHorizontal : settings->flipVertical) = true;
    }
    settings->invert = parser.isSet("invert");
    return true;
}

} // namespace ImportOptions
