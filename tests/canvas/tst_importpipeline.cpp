#include "logic/canvas/AreaScaler.h"
#include "logic/canvas/Dithering.h"
#include "logic/canvas/ImportPipeline.h"

#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QImage grey(int width, int height, const QVector<int> &values)
{
    QImage image(width, height, QImage::Format_Grayscale8);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.scanLine(y)[x] = uchar(values.at(y * width + x));
    return image;
}

QVector<int> values(const QImage &image)
{
    QVector<int> all;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            all << image.constScanLine(y)[x];
    return all;
}

bool isBlack(const QImage &picture, int x, int y)
{
    return (picture.pixel(x, y) & 0xFFFFFF) == 0;
}

// The test photo: a grey ramp from black on the left to white on the right,
// a black bar and a white disc across part of it.
QImage rampPhoto(int width, int height)
{
    QImage photo(width, height, QImage::Format_RGB32);
    for (int x = 0; x < width; ++x) {
        const int level = 255 * x / (width - 1);
        for (int y = 0; y < height; ++y)
            photo.setPixel(x, y, qRgb(level, level, level));
    }
    QPainter painter(&photo);
    painter.fillRect(width / 8, height / 8, width / 8, height / 4, Qt::black);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawEllipse(width / 2, height / 2, width / 6, height / 3);
    return photo;
}

// Today's rule for a pixel of a loaded picture: dark below half luminance.
bool darkToday(QRgb pixel)
{
    return 299 * qRed(pixel) + 587 * qGreen(pixel) + 114 * qBlue(pixel) < 127500;
}

} // namespace

class ImportPipelineTest : public QObject
{
    Q_OBJECT
private slots:
    void luminanceAsTodaysThreshold_data();
    void luminanceAsTodaysThreshold();
    void placement_data();
    void placement();
    void areaScalingKeepsAverages();
    void orientation_data();
    void orientation();
    void greyLevelsBecomeTheirShareOfDots_data();
    void greyLevelsBecomeTheirShareOfDots();
    void ditheredRampKeepsColumnDarkness();
    void plainThresholdKeepsTheHardEdge();
    void invertLeavesTheMarginWhite();
};

void ImportPipelineTest::luminanceAsTodaysThreshold_data()
{
    QTest::addColumn<QRgb>("pixel");
    QTest::addColumn<int>("luminance");
    QTest::newRow("mid grey") << qRgb(128, 128, 128) << 128;
    QTest::newRow("just below mid") << qRgb(127, 127, 127) << 127;
    QTest::newRow("red: 76.245") << qRgb(255, 0, 0) << 76;
    QTest::newRow("127.5 rounds up") << qRgb(0, 204, 68) << 128; // 587 * 204 + 114 * 68 = 127500
    QTest::newRow("transparent shows white") << qRgba(0, 0, 0, 0) << 255;
    QTest::newRow("half-transparent black") << qRgba(0, 0, 0, 128) << 127;
}

void ImportPipelineTest::luminanceAsTodaysThreshold()
{
    QFETCH(QRgb, pixel);
    QFETCH(int, luminance);
    QImage one(1, 1, QImage::Format_ARGB32);
    one.setPixel(0, 0, pixel);
    QCOMPARE(int(ImportPipeline::luminance(one).constScanLine(0)[0]), luminance);
}

void ImportPipelineTest::placement_data()
{
    using P = ImportSettings::Placement;
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<int>("placement");
    QTest::addColumn<QRect>("expected");
    const QSize wide(300, 100), small(100, 50), tall(50, 200);
    QTest::newRow("crop keeps the top-left") << wide << int(P::Crop) << QRect(0, 0, 300, 100);
    QTest::newRow("center, smaller") << small << int(P::Center) << QRect(14, 7, 100, 50);
    QTest::newRow("center, larger") << wide << int(P::Center) << QRect(-86, -18, 300, 100);
    QTest::newRow("fit, wide: 42.67 rows") << wide << int(P::Fit) << QRect(0, 10, 128, 43);
    QTest::newRow("fit, tall: 16 columns") << tall << int(P::Fit) << QRect(56, 0, 16, 64);
    QTest::newRow("fill, wide") << wide << int(P::Fill) << QRect(-32, 0, 192, 64);
    QTest::newRow("fill, tall") << tall << int(P::Fill) << QRect(0, -224, 128, 512);
    QTest::newRow("stretch") << tall << int(P::Stretch) << QRect(0, 0, 128, 64);
}

void ImportPipelineTest::placement()
{
    QFETCH(QSize, picture);
    QFETCH(int, placement);
    QFETCH(QRect, expected);
    const QSize lcd(128, 64);
    QCOMPARE(ImportPipeline::placement(picture, lcd, ImportSettings::Placement(placement)), expected);
    // Placed for real: the LCD's size, white where the picture does not reach.
    QImage black(picture, QImage::Format_Grayscale8);
    black.fill(0);
    QRect covered;
    const QImage placed = ImportPipeline::placed(black, lcd, ImportSettings::Placement(placement), &covered);
    QCOMPARE(placed.size(), lcd);
    QCOMPARE(covered, expected.intersected(QRect(QPoint(0, 0), lcd)));
    for (QPoint probe : {QPoint(0, 0), QPoint(64, 32), QPoint(127, 63), QPoint(20, 60)})
        QCOMPARE(int(placed.constScanLine(probe.y())[probe.x()]), covered.contains(probe) ? 0 : 255);
}

void ImportPipelineTest::areaScalingKeepsAverages()
{
    // Half of each of the two middle pixels a side: (0 + 255) / 3 twice.
    QCOMPARE(values(AreaScaler::scaled(grey(3, 1, {0, 255, 0}), QSize(2, 1), QRect(0, 0, 2, 1))),
             (QVector<int>{85, 85}));
    // A checkerboard halved is its mean, 127.5 rounded up.
    QCOMPARE(values(AreaScaler::scaled(grey(4, 2, {0, 255, 0, 255, 255, 0, 255, 0}), QSize(2, 1), QRect(0, 0, 2, 1))),
             (QVector<int>{128, 128}));
    // Enlarged, each pixel is repeated; only the window asked for is made.
    QCOMPARE(values(AreaScaler::scaled(grey(2, 1, {10, 200}), QSize(6, 2), QRect(2, 1, 3, 1))),
             (QVector<int>{10, 200, 200}));
}

void ImportPipelineTest::orientation_data()
{
    QTest::addColumn<int>("rotation");
    QTest::addColumn<bool>("flipHorizontal");
    QTest::addColumn<bool>("flipVertical");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QVector<int>>("expected");
    // The picture 1 2 3 / 4 5 6.
    QTest::newRow("as it is") << 0 << false << false << QSize(3, 2) << QVector<int>{1, 2, 3, 4, 5, 6};
    QTest::newRow("90") << 90 << false << false << QSize(2, 3) << QVector<int>{4, 1, 5, 2, 6, 3};
    QTest::newRow("180") << 180 << false << false << QSize(3, 2) << QVector<int>{6, 5, 4, 3, 2, 1};
    QTest::newRow("270") << 270 << false << false << QSize(2, 3) << QVector<int>{3, 6, 2, 5, 1, 4};
    QTest::newRow("flip h") << 0 << true << false << QSize(3, 2) << QVector<int>{3, 2, 1, 6, 5, 4};
    QTest::newRow("flip v") << 0 << false << true << QSize(3, 2) << QVector<int>{4, 5, 6, 1, 2, 3};
    QTest::newRow("90, then flip h") << 90 << true << false << QSize(2, 3) << QVector<int>{1, 4, 2, 5, 3, 6};
}

void ImportPipelineTest::orientation()
{
    QFETCH(int, rotation);
    QFETCH(bool, flipHorizontal);
    QFETCH(bool, flipVertical);
    QFETCH(QSize, size);
    QFETCH(QVector<int>, expected);
    const QImage turned = ImportPipeline::oriented(grey(3, 2, {1, 2, 3, 4, 5, 6}), rotation, flipHorizontal, flipVertical);
    QCOMPARE(turned.size(), size);
    QCOMPARE(values(turned), expected);
}

void ImportPipelineTest::greyLevelsBecomeTheirShareOfDots_data()
{
    using D = ImportSettings::Dither;
    QTest::addColumn<int>("method");
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("threshold");
    QTest::addColumn<double>("darkShare");
    QTest::addColumn<double>("tolerance");
    QTest::newRow("none, below the threshold") << int(D::None) << 127 << 128 << 1.0 << 0.0;
    QTest::newRow("none, at the threshold") << int(D::None) << 128 << 128 << 0.0 << 0.0;
    QTest::newRow("none, threshold 200") << int(D::None) << 150 << 200 << 1.0 << 0.0;
    // 4 of the 16 Bayer cells (16 m + 8 <= 64) stay light.
    QTest::newRow("bayer 64") << int(D::Bayer) << 64 << 128 << 0.75 << 0.0;
    QTest::newRow("bayer 192") << int(D::Bayer) << 192 << 128 << 0.25 << 0.0;
    QTest::newRow("bayer, threshold 64 lightens") << int(D::Bayer) << 64 << 64 << 0.5 << 0.0;
    QTest::newRow("floyd-steinberg 64") << int(D::FloydSteinberg) << 64 << 128 << 0.749 << 0.01;
    QTest::newRow("floyd-steinberg 200") << int(D::FloydSteinberg) << 200 << 128 << 0.216 << 0.01;
    // Atkinson passes on only three quarters of the error: mid greys come out near their share.
    QTest::newRow("atkinson 128") << int(D::Atkinson) << 128 << 128 << 0.5 << 0.05;
}

void ImportPipelineTest::greyLevelsBecomeTheirShareOfDots()
{
    QFETCH(int, method);
    QFETCH(int, level);
    QFETCH(int, threshold);
    QFETCH(double, darkShare);
    QFETCH(double, tolerance);
    QImage flat(64, 64, QImage::Format_Grayscale8);
    flat.fill(level);
    const QImage dots = Dithering::quantised(flat, flat.rect(), threshold, ImportSettings::Dither(method));
    int dark = 0;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const QRgb pixel = dots.pixel(x, y) & 0xFFFFFF;
            QVERIFY(pixel == 0 || pixel == 0xFFFFFF);
            dark += pixel == 0;
        }
    QVERIFY2(qAbs(dark / 4096.0 - darkShare) <= tolerance, qPrintable(QString::number(dark / 4096.0)));
}

// Each LCD column of the dithered ramp is as dark as the photo's columns behind it: no hard edge.
void ImportPipelineTest::ditheredRampKeepsColumnDarkness()
{
    const QImage photo = rampPhoto(512, 256);
    ImportSettings settings;
    settings.placement = ImportSettings::Placement::Stretch;
    settings.dither = ImportSettings::Dither::FloydSteinberg;
    const QImage lcd = ImportPipeline::run(photo, QSize(128, 64), settings);
    QCOMPARE(lcd.size(), QSize(128, 64));
    for (int column = 0; column < 128; ++column) {
        double darkness = 0;
        for (int y = 0; y < 256; ++y)
            for (int x = column * 4; x < column * 4 + 4; ++x)
                darkness += (255 - qGray(photo.pixel(x, y))) / 255.0;
        darkness /= 4 * 256;
        int dark = 0;
        for (int y = 0; y < 64; ++y)
            dark += isBlack(lcd, column, y);
        QVERIFY2(qAbs(dark / 64.0 - darkness) <= 0.10,
                 qPrintable(QStringLiteral("column %1: %2 dark, photo %3").arg(column).arg(dark / 64.0).arg(darkness)));
    }
}

// Without dithering at threshold 128, `tavrel convert` gives today's hard edge.
void ImportPipelineTest::plainThresholdKeepsTheHardEdge()
{
    QTemporaryDir dir;
    const QImage photo = rampPhoto(128, 64);
    const QString path = dir.filePath(QStringLiteral("ramp.png"));
    QVERIFY(photo.save(path));
    QByteArray expected;
    for (int y = 0; y < 64; ++y)
        for (int byte = 0; byte < 16; ++byte) {
            int bits = 0;
            for (int bit = 0; bit < 8; ++bit)
                bits |= darkToday(photo.pixel(byte * 8 + bit, y)) ? 0x80 >> bit : 0;
            expected += QByteArray::number(bits, 16).rightJustified(2, '0');
        }
    for (const QStringList &options : {QStringList{}, QStringList{"--dither", "none", "--threshold", "128"}}) {
        QProcess tavrel;
        tavrel.start(qEnvironmentVariable("TAVREL_BINARY"),
                     QStringList{"convert", path, "--size", "128x64", "--packing", "horizontal"} + options);
        QVERIFY(tavrel.waitForFinished(10000));
        QCOMPARE(tavrel.exitCode(), 0);
        QCOMPARE(tavrel.readAllStandardOutput().trimmed(), expected + "00");
    }
    // The ramp itself: in a row clear of the shapes, dark up to column 63, light from 64 on.
    const QImage lcd = ImportPipeline::run(photo, QSize(128, 64), ImportSettings());
    for (int x = 0; x < 128; ++x)
        QCOMPARE(isBlack(lcd, x, 60), x < 64);
}

void ImportPipelineTest::invertLeavesTheMarginWhite()
{
    QImage white(10, 10, QImage::Format_RGB32);
    white.fill(Qt::white);
    ImportSettings settings;
    settings.placement = ImportSettings::Placement::Center;
    settings.invert = true;
    const QImage lcd = ImportPipeline::run(white, QSize(20, 10), settings);
    for (int x = 0; x < 20; ++x)
        QCOMPARE(isBlack(lcd, x, 5), x >= 5 && x < 15);
}

QTEST_MAIN(ImportPipelineTest)
#include "tst_importpipeline.moc"
