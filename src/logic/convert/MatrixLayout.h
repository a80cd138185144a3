#pragma once

#include <QList>
#include <QString>

// Which pixel of 8 goes into which bit, and in which order the bytes follow
// one another. Vertical bytes hold 8 rows of one column (a page of a
// KS0108); horizontal bytes hold 8 pixels of one row.
struct MatrixLayout
{
    // The bit the first pixel of a byte takes: the top one of a vertical
    // byte, the leftmost of a horizontal one.
    enum class BitOrder { LsbFirst, MsbFirst };
    // Vertical bytes only: a whole page left to right before the next page
    // down, or all pages of a column before the next column.
    enum class Scan { Pages, Columns };

    bool horizontal = false;
    BitOrder bitOrder = BitOrder::LsbFirst;
    Scan scan = Scan::Pages;
    // Horizontal bytes only: 8, or 6 in the low bits (a T6963C in its
    // 6-pixel font mode), the first pixel then in bit 5 or bit 0.
    int pixelsPerByte = 8;

    // KS0108 (vertical, LSB at top, page by page) or T6963C and SED1330
    // (rows, MSB at left): the bytes this program has always written.
    static MatrixLayout usual(bool horizontal);
    static BitOrder usualBitOrder(bool horizontal);

    // "vertical, pages of 8 rows, LSB at top, page by page"
    QString description() const;
    // The first pixel's bit, as a user reads it: "LSB at top", "MSB at left".
    static QString bitOrderCaption(bool horizontal, BitOrder order);
    static QString scanCaption(Scan scan);
    // "Vertical KS0108" or "Horizontal", as the packing choices read.
    static QString packingCaption(bool horizontal);
    // The orders a packing offers, its usual one first.
    static QList<MatrixLayout> ordersOf(bool horizontal);
    // As the Order box names it: "LSB at top, column by column", "MSB at left, 6 pixels a byte".
    QString orderCaption() const;

    friend bool operator==(const MatrixLayout &a, const MatrixLayout &b)
    {
        return a.horizontal == b.horizontal && a.bitOrder == b.bitOrder && a.scan == b.scan
            && a.pixelsPerByte == b.pixelsPerByte;
    }
    friend bool operator!=(const MatrixLayout &a, const MatrixLayout &b) { return !(a == b); }
};
