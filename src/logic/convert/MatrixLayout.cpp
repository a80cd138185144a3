#include "logic/convert/MatrixLayout.h"

#include <QCoreApplication>

MatrixLayout::BitOrder MatrixLayout::usualBitOrder(bool horizontal)
{
    return horizontal ? BitOrder::MsbFirst : BitOrder::LsbFirst;
}

MatrixLayout MatrixLayout::usual(bool horizontal)
{
    return {horizontal, usualBitOrder(horizontal), Scan::Pages};
}

QString MatrixLayout::bitOrderCaption(bool horizontal, BitOrder order)
{
    const bool lsb = order == BitOrder::LsbFirst;
    if (horizontal)
        return lsb ? QCoreApplication::translate("MatrixLayout", "LSB at left")
                   : QCoreApplication::translate("MatrixLayout", "MSB at left");
    return lsb ? QCoreApplication::translate("MatrixLayout", "LSB at top")
               : QCoreApplication::translate("MatrixLayout", "MSB at top");
}

QString MatrixLayout::scanCaption(Scan scan)
{
    return scan == Scan::Pages ? QCoreApplication::translate("MatrixLayout", "Page by page")
                               : QCoreApplication::translate("MatrixLayout", "Column by column");
}

QString MatrixLayout::packingCaption(bool horizontal)
{
    return horizontal ? QCoreApplication::translate("MatrixLayout", "Horizontal")
                      : QCoreApplication::translate("MatrixLayout", "Vertical KS0108");
}

QList<MatrixLayout> MatrixLayout::ordersOf(bool horizontal)
{
    if (horizontal)
        return {{true, BitOrder::MsbFirst, Scan::Pages}, {true, BitOrder::LsbFirst, Scan::Pages},
                {true, BitOrder::MsbFirst, Scan::Pages, 6}};
    return {{false, BitOrder::LsbFirst, Scan::Pages}, {false, BitOrder::MsbFirst, Scan::Pages},
            {false, BitOrder::LsbFirst, Scan::Columns}, {false, BitOrder::MsbFirst, Scan::Columns}};
}

// Horizontal bytes have no scan order to name.
QString MatrixLayout::orderCaption() const
{
    const QString bits = bitOrderCaption(horizontal, bitOrder);
    if (horizontal && pixelsPerByte != 8)
        return QCoreApplication::translate("MatrixLayout", "%1, %2 pixels a byte").arg(bits).arg(pixelsPerByte);
    return horizontal ? bits : bits + QLatin1String(", ") + scanCaption(scan).toLower();
}

// Written into exported files, so never translated.
QString MatrixLayout::description() const
{
    const char *bit = bitOrder == BitOrder::LsbFirst ? "LSB" : "MSB";
    if (horizontal && pixelsPerByte != 8)
        return QStringLiteral("horizontal, rows of %1 pixels a byte in the low bits, %2 of those at left")
            .arg(pixelsPerByte)
            .arg(QLatin1String(bit));
    if (horizontal)
        return QStringLiteral("horizontal, rows of 8 pixels a byte, %1 at left").arg(QLatin1String(bit));
    return QStringLiteral("vertical, pages of 8 rows, %1 at top, %2")
        .arg(QLatin1String(bit), scan == Scan::Pages ? QLatin1String("page by page") : QLatin1String("column by column"));
}
