#include "logic/core/HexGrid.h"
#include "logic/canvas/LcdSizes.h"
#include "logic/convert/ByteMatrix.h"
#include "logic/convert/Conversion.h"
#include "logic/convert/ControllerProfiles.h"

#include <QtTest>

using Order = MatrixLayout::BitOrder;
using Scan = MatrixLayout::Scan;
using SetBytes = QMap<int, int>; // index -> value of the bytes that are not 0

Q_DECLARE_METATYPE(MatrixLayout)

namespace {
QImage picture(int width, int height, const QVector<QPoint> &black)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (const QPoint p : black)
        image.setPixel(p, qRgb(0, 0, 0));
    return image;
}

SetBytes setBytes(const QByteArray &bytes)
{
    SetBytes set;
    for (int i = 0; i < bytes.size(); ++i)
        if (bytes.at(i))
            set.insert(i, uchar(bytes.at(i)));
    return set;
}

QList<MatrixLayout> everyLayout()
{
    return {{false, Order::LsbFirst, Scan::Pages}, {false, Order::MsbFirst, Scan::Pages},
            {false, Order::LsbFirst, Scan::Columns}, {false, Order::MsbFirst, Scan::Columns},
            {true, Order::MsbFirst, Scan::Pages}, {true, Order::LsbFirst, Scan::Pages}};
}
} // namespace

// Bit order and scan order: every layout packs and unpacks the same
// picture, the usual ones exactly as before.
class MatrixLayoutTest : public QObject
{
    Q_OBJECT
private slots:
    // 16x16 with (0,0), (1,1), (9,2), (0,8), (15,15) black, worked by hand.
    void packsEveryLayout_data()
    {
        QTest::addColumn<MatrixLayout>("layout");
        QTest::addColumn<SetBytes>("expected");
        QTest::newRow("vertical LSB top pages")
            << MatrixLayout{false, Order::LsbFirst, Scan::Pages} << SetBytes{{0, 0x01}, {1, 0x02}, {9, 0x04}, {16, 0x01}, {31, 0x80}};
        QTest::newRow("vertical MSB top pages")
            << MatrixLayout{false, Order::MsbFirst, Scan::Pages} << SetBytes{{0, 0x80}, {1, 0x40}, {9, 0x20}, {16, 0x80}, {31, 0x01}};
        // Column x, page p at x * 2 + p.
        QTest::newRow("vertical LSB top columns")
            << MatrixLayout{false, Order::LsbFirst, Scan::Columns} << SetBytes{{0, 0x01}, {1, 0x01}, {2, 0x02}, {18, 0x04}, {31, 0x80}};
        QTest::newRow("vertical MSB top columns")
            << MatrixLayout{false, Order::MsbFirst, Scan::Columns} << SetBytes{{0, 0x80}, {1, 0x80}, {2, 0x40}, {18, 0x20}, {31, 0x01}};
        QTest::newRow("horizontal MSB left")
            << MatrixLayout{true, Order::MsbFirst, Scan::Pages} << SetBytes{{0, 0x80}, {2, 0x40}, {5, 0x40}, {16, 0x80}, {31, 0x01}};
        QTest::newRow("horizontal LSB left")
            << MatrixLayout{true, Order::LsbFirst, Scan::Pages} << SetBytes{{0, 0x01}, {2, 0x02}, {5, 0x02}, {16, 0x01}, {31, 0x80}};
    }
    void packsEveryLayout()
    {
        QFETCH(MatrixLayout, layout);
        QFETCH(SetBytes, expected);
        const QImage image = picture(16, 16, {{0, 0}, {1, 1}, {9, 2}, {0, 8}, {15, 15}});
        const QByteArray bytes = ByteMatrix::pack(image, 16, 16, layout);
        QCOMPARE(bytes.size(), 32);
        QCOMPARE(setBytes(bytes), expected);
        QCOMPARE(ByteMatrix::pictureFrom(bytes, 16, 16, layout), image);
    }

    // Random pictures at every LCD size come back from every layout.
    void pictureFromInvertsEveryLayout()
    {
        QRandomGenerator random(11);
        for (const LcdSize &lcd : LcdSizes::all()) {
            QImage image = picture(lcd.width, lcd.height, {});
            for (int i = 0; i < lcd.width * lcd.height / 3; ++i)
                image.setPixel(random.bounded(lcd.width), random.bounded(lcd.height), qRgb(0, 0, 0));
            for (const MatrixLayout &layout : everyLayout())
                QVERIFY2(ByteMatrix::pictureFrom(ByteMatrix::pack(image, lcd.width, lcd.height, layout), lcd.width,
                                                 lcd.height, layout)
                             == image,
                         qPrintable(QStringLiteral("%1 %2").arg(lcd.caption, layout.description())));
        }
    }

    // The two options keep their bytes; the usual profiles are theirs.
    void usualLayoutsKeepTheirBytes()
    {
        const QImage image = picture(240, 64, {{0, 0}, {0, 2}, {0, 15}, {7, 0}, {9, 0}, {239, 63}});
        const ConversionSettings vertical{240, 64, MatrixLayout::usual(false), {}, {}, {}, {}};
        const ConversionSettings horizontal{240, 64, MatrixLayout::usual(true), {}, {}, {}, {}};
        QCOMPARE(Conversion::ofPicture(image, vertical).bytes, ByteMatrix::vertical(image, 240, 64));
        QCOMPARE(Conversion::ofPicture(image, horizontal).text.left(6), QStringLiteral("814000"));
        QCOMPARE(Conversion::ofPicture(image, vertical).text.left(4), QStringLiteral("0500"));
        QCOMPARE(ControllerProfiles::forPacking(false).first().layout, MatrixLayout::usual(false));
        QCOMPARE(ControllerProfiles::forPacking(true).first().layout, MatrixLayout::usual(true));
        QCOMPARE(ControllerProfiles::byName("SSD1306")->layout, MatrixLayout::usual(false));
        QCOMPARE(ControllerProfiles::byName("st7920")->layout, MatrixLayout::usual(true));
        QCOMPARE(ControllerProfiles::byName("pcd8544-vertical")->layout.scan, Scan::Columns);
        QCOMPARE(ControllerProfiles::byName("xbm")->layout.bitOrder, Order::LsbFirst);
        QVERIFY(!ControllerProfiles::byName("hd44780"));
    }

    // A loaded bitmap's own bytes, mirrored for LSB at left; its text keeps
    // the closing 00, its bytes do not. Asked for columns, it still gives rows.
    void loadedBitmapMirrorsForLsbLeft()
    {
        HexGrid grid;
        grid.setCell(0, 0, QStringLiteral("80"));
        grid.setCell(0, 1, QStringLiteral("c1"));
        ConversionSettings settings{16, 1, MatrixLayout::usual(true), {}, {}, QStringLiteral("0x"), QStringLiteral(",")};
        settings.layout.bitOrder = Order::LsbFirst;
        const ConversionResult lsb = Conversion::ofLoadedBitmap(grid, settings);
        QCOMPARE(lsb.text, QStringLiteral("0x01,0x83,00"));
        QCOMPARE(lsb.bytes, QByteArray::fromHex("0183"));
        settings.layout = MatrixLayout::usual(false);
        QCOMPARE(Conversion::ofLoadedBitmap(grid, settings).bytes, QByteArray::fromHex("80c1"));
        QCOMPARE(ByteMatrix::mirroredCells({"", "0f", "x"}), QStringList({"", "f0", "x"}));
    }
};

QTEST_GUILESS_MAIN(MatrixLayoutTest)
#include "tst_matrixlayout.moc"
