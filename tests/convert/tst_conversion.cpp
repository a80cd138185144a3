#include "logic/core/HexGrid.h"
#include "logic/canvas/LcdSizes.h"
#include "logic/convert/ByteMatrix.h"
#include "logic/convert/Conversion.h"
#include "logic/convert/OutputText.h"
#include "logic/convert/TransferHeader.h"

#include <QtTest>

Q_DECLARE_METATYPE(PicTransferOptions)

namespace {
QImage picture(int width, int height, const QVector<QPoint> &black = {})
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (const QPoint p : black)
        image.setPixel(p, qRgb(0, 0, 0));
    return image;
}

QString convert(const QImage &image, bool horizontal, const QString &format = {}, const QString &delimiter = {})
{
    return Conversion::fromPicture(
        image, {image.width(), image.height(), MatrixLayout::usual(horizontal), {}, {}, format, delimiter});
}
} // namespace

class ConversionTest : public QObject
{
    Q_OBJECT
private slots:
    void byteCounts_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("horizontal");
        for (const LcdSize &lcd : LcdSizes::all()) {
            QTest::addRow("%s vertical", lcd.caption) << QSize(lcd.width, lcd.height) << false;
            QTest::addRow("%s horizontal", lcd.caption) << QSize(lcd.width, lcd.height) << true;
        }
    }
    void byteCounts()
    {
        QFETCH(QSize, size);
        QFETCH(bool, horizontal);
        const QString text = convert(picture(size.width(), size.height()), horizontal);
        // Both packings hold width x height / 8 bytes; horizontal adds the closing 00.
        const int bytes = size.width() * size.height() / 8 + (horizontal ? 1 : 0);
        QCOMPARE(OutputText::byteCount(text), QString::number(bytes)); // 320x200 vertical: 8000
        QCOMPARE(text, QString(bytes * 2, QLatin1Char('0')));
    }

    // Random pictures at every size survive packing and unpacking in both packings.
    void pictureFromBytesInvertsPacking()
    {
        QRandomGenerator random(7);
        for (const LcdSize &lcd : LcdSizes::all()) {
            QImage image = picture(lcd.width, lcd.height);
            for (int i = 0; i < lcd.width * lcd.height / 3; ++i)
                image.setPixel(random.bounded(lcd.width), random.bounded(lcd.height), qRgb(0, 0, 0));
            const QImage fromVertical = ByteMatrix::pictureFrom(ByteMatrix::vertical(image, lcd.width, lcd.height),
                                                                lcd.width, lcd.height, false);
            const QImage fromHorizontal = ByteMatrix::pictureFrom(
                ByteMatrix::horizontal(image, lcd.width, lcd.height), lcd.width, lcd.height, true);
            QCOMPARE(fromVertical, image);
            QCOMPARE(fromHorizontal, image);
        }
        // Too few bytes leave the rest white.
        QCOMPARE(ByteMatrix::pictureFrom(QByteArray(1, '\x01'), 16, 8, false), picture(16, 8, {{0, 0}}));
    }

    void verticalWorkedExample()
    {
        QImage image = picture(240, 64, {{0, 0}, {0, 2}, {0, 15}});
        for (int y = 56; y < 64; ++y) // the last column of the bottom page, all lit
            image.setPixel(239, y, qRgb(0, 0, 0));
        image.setPixel(1, 0, qRgb(1, 1, 1)); // nearly black is still unlit
        const QString text = Conversion::fromPicture(image, {240, 64, MatrixLayout::usual(false), "  {", "} ", "0X", ","});
        const QString zeros = QStringLiteral("0x00,").repeated(239);
        QCOMPARE(text, "{0x05," + zeros + "0x80," + zeros + QStringLiteral("0x00,").repeated(240 * 5) + zeros + "0xff}");
        QCOMPARE(OutputText::byteCount(text), QStringLiteral("4800.5"));
    }

    void horizontalBitOrder()
    {
        const QString text = convert(picture(240, 64, {{0, 0}, {7, 0}, {9, 0}, {239, 63}}), true);
        QCOMPARE(text.left(6), QStringLiteral("814000"));
        QCOMPARE(text.right(6), QStringLiteral("000100"));
    }

    void closingDelimiter_data()
    {
        QTest::addColumn<bool>("horizontal");
        QTest::addColumn<QString>("delimiter");
        QTest::addColumn<QString>("ending");
        QTest::newRow("vertical comma") << false << "," << "x00,x00";
        QTest::newRow("vertical comma blank") << false << ", " << "x00, x00";
        // The closing 00 carries no delimiter, so nothing is cut from it.
        QTest::newRow("horizontal comma") << true << "," << "x00,00";
        QTest::newRow("horizontal zero") << true << "0" << "x000" "00";
    }
    void closingDelimiter()
    {
        QFETCH(bool, horizontal);
        QFETCH(QString, delimiter);
        QFETCH(QString, ending);
        const QString text = convert(picture(128, 32), horizontal, QStringLiteral("x"), delimiter);
        QVERIFY2(text.endsWith(ending), qPrintable(text.right(12)));
    }

    void loadedBitmapKeepsFileBytes()
    {
        HexGrid grid;
        grid.setCell(0, 0, QStringLiteral("5A"));
        grid.setCell(31, 15, QStringLiteral("c3"));
        grid.setCell(0, 16, QStringLiteral("ff")); // beyond 128 pixels
        QCOMPARE(Conversion::fromLoadedBitmap(grid, {128, 32, MatrixLayout::usual(true), "", "", "", ""}),
                 QStringLiteral("5ac300"));
    }

    void transferHeader_data()
    {
        QTest::addColumn<PicTransferOptions>("settings"); // EEPROM?, size index, buffer, delay, address
        QTest::addColumn<QString>("header");            // type, buffer, address, "0" + delay, "*"
        QTest::addColumn<QString>("error");
        const QString range = QStringLiteral("EEPROM start address must be a whole number from 0 to 65535");
        QTest::newRow("LCD 240x64") << PicTransferOptions{false, 0, 32, 10, "00000"} << "02000000A*" << "";
        QTest::newRow("EEPROM") << PicTransferOptions{true, 0, 64, 20, "1024"} << "1400400014*" << "";
        QTest::newRow("128x64, blanks") << PicTransferOptions{false, 1, 128, 15, " 12 "} << "380000C0F*" << "";
        QTest::newRow("128x128, 16 ms") << PicTransferOptions{false, 5, 2, 16, "65535"} << "402FFFF010*" << "";
        QTest::newRow("no such size") << PicTransferOptions{false, 8, 4, 5, "0"} << "04000005*" << "";
        QTest::newRow("address too big") << PicTransferOptions{true, 0, 32, 10, "65536"} << "120" << range;
        QTest::newRow("long digit run") << PicTransferOptions{false, 0, 32, 10, "123456789012345678901"} << "020" << range;
        QTest::newRow("negative") << PicTransferOptions{false, 0, 32, 10, "-1"} << "020" << range;
        QTest::newRow("not a number") << PicTransferOptions{false, 2, 8, 10, "12a"} << "408" << range;
        QTest::newRow("blank") << PicTransferOptions{false, 0, 32, 10, " "} << "020" << range;
        QTest::newRow("empty") << PicTransferOptions{false, 0, 32, 10, ""} << "020" << range;
        QTest::newRow("fraction") << PicTransferOptions{false, 0, 32, 10, "12.5"} << "020" << range;
    }
    void transferHeader()
    {
        QFETCH(PicTransferOptions, settings);
        QFETCH(QString, header);
        QFETCH(QString, error);
        const TransferHeader built = TransferHeader::build(settings);
        QCOMPARE(built.text(), header);
        QCOMPARE(built.error(), error);
        QCOMPARE(built.isValid(), error.isEmpty());
    }
};

QTEST_GUILESS_MAIN(ConversionTest)
#include "tst_conversion.moc"
