#include "cli/LayoutOptions.h"

#include "logic/convert/ControllerProfiles.h"

#include <QCommandLineParser>

namespace LayoutOptions {

namespace {

bool parseProfile(const QCommandLineParser &parser, bool horizontal, bool packingGiven, MatrixLayout *layout,
                  QString *error)
{
    const QString name = parser.value("profile");
    const ControllerProfile *profile = ControllerProfiles::byName(name);
    if (parser.isSet("bit-order") || parser.isSet("scan"))
        *error = QStringLiteral("--profile or --bit-order/--scan, not both");
    else if (!profile)
        *error = QStringLiteral("unknown profile \"%1\"; known: %2")
                     .arg(name, ControllerProfiles::names().join(QLatin1String(", ")));
    else if (packingGiven && profile->layout.horizontal != horizontal)
        *error = QStringLiteral("--profile %1 packs %2").arg(name, profile->layout.horizontal
                                                                      ? QLatin1String("horizontally")
                                                                      : QLatin1String("vertically"));
    if (!error->isEmpty())
        return false;
    *layout = profile->layout;
    return true;
}

} // namespace

QList<QCommandLineOption> options()
{
    return {
        {QStringLiteral("profile"),
         QStringLiteral("Controller profile, which sets packing, bit order and scan: %1.")
             .arg(ControllerProfiles::names().join(QLatin1String(", "))),
         QStringLiteral("NAME")},
        {QStringLiteral("bit-order"), QStringLiteral("The bit of the top (vertical) or leftmost (horizontal) pixel "
                                                     "(default lsb vertical, msb horizontal)."),
         QStringLiteral("msb|lsb")},
        {QStringLiteral("scan"), QStringLiteral("Vertical bytes page by page, or all pages of a column before the "
                                                "next column (default pages)."),
         QStringLiteral("pages|columns")},
    };
}

bool parse(const QCommandLineParser &parser, bool horizontal, bool packingGiven, MatrixLayout *layout,
           QString *error)
{
    if (parser.isSet("profile"))
        return parseProfile(parser, horizontal, packingGiven, layout, error);
    *layout = MatrixLayout::usual(horizontal);
    if (parser.isSet("bit-order")) {
        const QString order = parser.value("bit-order");
        if (order != QLatin1String("msb") && order != QLatin1String("lsb")) {
            *error = QStringLiteral("--bit-order must be msb or lsb, not \"%1\"").arg(order);
            return false;
        }
        layout->bitOrder = order == QLatin1String("msb") ? MatrixLayout::BitOrder::MsbFirst
                                                         : MatrixLayout::BitOrder::LsbFirst;
    }
    if (parser.isSet("scan")) {
        const QString scan = parser.value("scan");
        if (scan != QLatin1String("pages") && scan != QLatin1String("columns")) {
            *error = QStringLiteral("--scan must be pages or columns, not \"%1\"").arg(scan);
            return false;
        }
        if (horizontal && scan == QLatin1String("columns")) {
            *error = QStringLiteral("--scan columns orders vertical bytes; horizontal bytes go row by row");
            return false;
        }
        layout->scan = scan == QLatin1String("columns") ? MatrixLayout::Scan::Columns : MatrixLayout::Scan::Pages;
    }
    return true;
}

QStringList arguments(const MatrixLayout &layout)
{
    if (const ControllerProfile *profile = ControllerProfiles::byLayout(layout))
        return {QStringLiteral("--profile"), profile->names.first()};
    QStringList result = {QStringLiteral("--packing"), layout.horizontal ? QStringLiteral("horizontal")
                                                                         : QStringLiteral("vertical"),
                          QStringLiteral("--bit-order"),
                          layout.bitOrder == MatrixLayout::BitOrder::MsbFirst ? QStringLiteral("msb")
                                                                               : QStringLiteral("lsb")};
    if (!layout.horizontal)
        result << QStringLiteral("--scan")
               << (layout.scan == MatrixLayout::Scan::Columns ? QStringLiteral("columns") : QStringLiteral("pages"));
    return result;
}

} // namespace LayoutOptions
