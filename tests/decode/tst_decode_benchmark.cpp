#include "logic/convert/Conversion.h"
#include "logic/decode/LcdByteDecoder.h"

#include <QRandomGenerator>
#include <QtTest>

// Decoding the text of the largest LCD must keep up with typing: well under
// 2 ms a run for the picture, from C source or bare hex.
class DecodeBenchmark : public QObject
{
    Q_OBJECT
private slots:
    void largestLcd_data()
    {
        QTest::addColumn<bool>("horizontal");
        QTest::addColumn<QStringList>("form"); // header, footer, format, delimiter
        const QStringList cSource = {"const unsigned char logo[] = {", "};", "0x", ", "};
        QTest::newRow("vertical C source") << false << cSource;
        QTest::newRow("horizontal C source") << true << cSource;
        QTest::newRow("vertical bare") << false << QStringList{"", "", "", ""};
        QTest::newRow("horizontal bare") << true << QStringList{"", "", "", ""};
    }
    void largestLcd()
    {
        QFETCH(bool, horizontal);
        QFETCH(QStringList, form);
        QImage picture(320, 200, QImage::Format_RGB32);
        QRandomGenerator random(7);
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                picture.setPixel(x, y, random.bounded(2) ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
        const QString text = Conversion::fromPicture(
            picture, ConversionSettings{320, 200, MatrixLayout::usual(horizontal), form[0], form[1], form[2], form[3]});
        LcdByteDecoder::Result result;
        QBENCHMARK {
            result = LcdByteDecoder::decode(text, {320, 200, MatrixLayout::usual(horizontal), false});
        }
        QVERIFY2(result.ok(), qPrintable(result.problem()));
        QCOMPARE(result.picture.pixel(0, 0), picture.pixel(0, 0));
    }
};

QTEST_GUILESS_MAIN(DecodeBenchmark)
#include "tst_decode_benchmark.moc"
