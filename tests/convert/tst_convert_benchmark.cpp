#include "logic/convert/Conversion.h"

#include <QRandomGenerator>
#include <QtTest>

// Converting the largest LCD must feel instant: well under 2 ms a run.
class ConvertBenchmark : public QObject
{
    Q_OBJECT
private slots:
    void largestLcd_data()
    {
        QTest::addColumn<bool>("horizontal");
        QTest::newRow("vertical") << false;
        QTest::newRow("horizontal") << true;
    }
    void largestLcd()
    {
        QFETCH(bool, horizontal);
        QImage picture(320, 200, QImage::Format_RGB32);
        QRandomGenerator random(7);
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                picture.setPixel(x, y, random.bounded(2) ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
        const ConversionSettings settings{320, 200, MatrixLayout::usual(horizontal), "{", "}", "0x", ","};
        QString text;
        QBENCHMARK {
            text = Conversion::fromPicture(picture, settings);
        }
        QCOMPARE(text.size(), horizontal ? 2 + 8000 * 5 + 2 : 2 + 8000 * 5 - 1);
    }
};

QTEST_GUILESS_MAIN(ConvertBenchmark)
#include "tst_convert_benchmark.moc"
