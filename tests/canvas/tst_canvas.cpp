#include "FormLookup.h"
#include "app/MainWindow.h"
#include "canvas/PenStroke.h"
#include "canvas/PixelCanvas.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QtTest>

namespace {
int blackPixels(const QImage &image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += (image.pixel(x, y) & 0xFFFFFF) == 0;
    return count;
}

bool onlyPureColours(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb rgb = image.pixel(x, y) & 0xFFFFFF;
            if (rgb != 0 && rgb != 0xFFFFFF)
                return false;
        }
    return true;
}

// Mouse events at the centre of an LCD pixel.
QPoint screenPoint(PixelCanvas *canvas, int x, int y)
{
    return QPoint(x * canvas->zoom() + canvas->zoom() / 2, y * canvas->zoom() + canvas->zoom() / 2);
}
} // namespace

class CanvasTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void sizeOptions_data();
    void sizeOptions();
    void sizeChangeKeepsPictureTopLeft();
    void singlePointsAndErase();
    void fastStrokeLeavesNoGaps();
    void penSizes_data();
    void penSizes();
    void positionLabelWhileButtonHeld();
    void moveWithoutButtonDrawsNothing();
    void clearReenablesControls();
    void lineStepping();

private:
    MainWindow *m_window = nullptr;
    PixelCanvas *m_canvas = nullptr;
};

void CanvasTest::init()
{
    m_window = new MainWindow;
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    m_canvas = control<PixelCanvas>(m_window, "Picture1");
    QVERIFY(m_canvas);
}

void CanvasTest::cleanup()
{
    delete m_window;
}

void CanvasTest::sizeOptions_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::newRow("240x64") << 0 << 240 << 64;
    QTest::newRow("128x64") << 1 << 128 << 64;
    QTest::newRow("128x32") << 2 << 128 << 32;
    QTest::newRow("256x128") << 3 << 256 << 128;
    QTest::newRow("240x128") << 4 << 240 << 128;
    QTest::newRow("128x128") << 5 << 128 << 128;
    QTest::newRow("256x64") << 6 << 256 << 64;
    QTest::newRow("320x200") << 7 << 320 << 200;
}

void CanvasTest::sizeOptions()
{
    QFETCH(int, index);
    QFETCH(int, width);
    QFETCH(int, height);
    auto *option = control<QRadioButton>(m_window, QStringLiteral("optgrf_%1").arg(index));
    QVERIFY(option);
    option->click();
    const AppState &s = m_window->state();
    QCOMPARE(int(s.lcdSizeIndex), index);
    QCOMPARE(int(s.lcdWidth), width);
    QCOMPARE(int(s.lcdHeight), height);
    QCOMPARE(m_canvas->image().size(), QSize(width, height));
    // Whole-number zoom: every LCD pixel a square of screen pixels, fitting the frame.
    QCOMPARE(m_canvas->size(), QSize(width, height) * m_canvas->zoom());
    QVERIFY(m_canvas->zoom() >= 2);
    QVERIFY(m_canvas->width() <= 648 && m_canvas->height() <= 408);
}

void CanvasTest::sizeChangeKeepsPictureTopLeft()
{
    QTest::mouseClick(m_canvas, Qt::LeftButton, {}, screenPoint(m_canvas, 3, 4));
    QTest::mouseClick(m_canvas, Qt::LeftButton, {}, screenPoint(m_canvas, 200, 60));
    control<QRadioButton>(m_window, "optgrf_1")->click(); // 128x64 crops x = 200
    QVERIFY(m_canvas->isBlack(3, 4));
    QCOMPARE(blackPixels(m_canvas->image()), 1);
    control<QRadioButton>(m_window, "optgrf_7")->click(); // 320x200 pads with white
    QVERIFY(m_canvas->isBlack(3, 4));
    QCOMPARE(blackPixels(m_canvas->image()), 1);
    QCOMPARE(m_canvas->penWidth(), 1);
}

void CanvasTest::singlePointsAndErase()
{
    QTest::mouseClick(m_canvas, Qt::LeftButton, {}, screenPoint(m_canvas, 0, 0));
    QTest::mouseClick(m_canvas, Qt::RightButton, {}, screenPoint(m_canvas, 239, 63)); // every button draws
    QVERIFY(m_canvas->isBlack(0, 0));
    QVERIFY(m_canvas->isBlack(239, 63));
    QCOMPARE(blackPixels(m_canvas->image()), 2);
    QVERIFY(!m_window->state().penDown);

    control<QAbstractButton>(m_window, "Command6")->click(); // Erase
    QTest::mouseClick(m_canvas, Qt::LeftButton, {}, screenPoint(m_canvas, 0, 0));
    QVERIFY(!m_canvas->isBlack(0, 0));
    control<QAbstractButton>(m_window, "Command7")->click(); // Draw
    QTest::mouseClick(m_canvas, Qt::LeftButton, {}, screenPoint(m_canvas, 5, 5));
    QVERIFY(m_canvas->isBlack(5, 5));
    QVERIFY(onlyPureColours(m_canvas->image()));
}

void CanvasTest::fastStrokeLeavesNoGaps()
{
    QTest::mousePress(m_canvas, Qt::LeftButton, {}, screenPoint(m_canvas, 10, 10));
    QTest::mouseMove(m_canvas, screenPoint(m_canvas, 110, 30));
    QTest::mouseMove(m_canvas, screenPoint(m_canvas, 110, 60));
    QTest::mouseRelease(m_canvas, Qt::LeftButton, {}, screenPoint(m_canvas, 110, 60));
    // A 1-pixel line from (10,10) to (110,30) has one pixel per column.
    for (int x = 10; x <= 110; ++x) {
        int inColumn = 0;
        for (int y = 0; y < 64; ++y)
            inColumn += m_canvas->isBlack(x, y);
        QVERIFY2(inColumn >= 1, qPrintable(QStringLiteral("gap at column %1").arg(x)));
    }
    for (int y = 30; y <= 60; ++y)
        QVERIFY(m_canvas->isBlack(110, y));
    QCOMPARE(blackPixels(m_canvas->image()), 101 + 30);
}

void CanvasTest::penSizes_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("width");
    QTest::newRow("x1") << 0 << 1;
    QTest::newRow("x2") << 1 << 2;
    QTest::newRow("x3") << 2 << 3;
    QTest::newRow("x4") << 3 << 4;
    QTest::newRow("x5") << 4 << 5;
    QTest::newRow("x10") << 5 << 10;
}

void CanvasTest::penSizes()
{
    QFETCH(int, index);
    QFETCH(int, width);
    control<QComboBox>(m_window, "Combo1")->setCurrentIndex(index);
    QCOMPARE(m_canvas->penWidth(), width);
    QTest::mouseClick(m_canvas, Qt::LeftButton, {}, screenPoint(m_canvas, 30, 30));
    QCOMPARE(blackPixels(m_canvas->image()), width * width);
    QVERIFY(m_canvas->isBlack(30, 30));
    QVERIFY(onlyPureColours(m_canvas->image()));
}

void CanvasTest::positionLabelWhileButtonHeld()
{
    auto *label = control<QLabel>(m_window, "lblxy");
    QVERIFY(label->isHidden());
    QTest::mousePress(m_canvas, Qt::LeftButton, {}, screenPoint(m_canvas, 3, 3));
    QVERIFY(label->isVisible());
    QTest::mouseMove(m_canvas, screenPoint(m_canvas, 12, 5));
    QCOMPARE(label->text(), QStringLiteral("X:12 Y:5"));
    // Beyond the edges: the label follows, drawing is clipped.
    QTest::mouseMove(m_canvas, QPoint(-m_canvas->zoom() * 3, -1));
    QCOMPARE(label->text(), QStringLiteral("X:-3 Y:-1"));
    QTest::mouseMove(m_canvas, screenPoint(m_canvas, 250, 70));
    QCOMPARE(label->text(), QStringLiteral("X:250 Y:70"));
    QTest::mouseRelease(m_canvas, Qt::LeftButton, {}, screenPoint(m_canvas, 250, 70));
    QVERIFY(label->isHidden());
    QVERIFY(onlyPureColours(m_canvas->image()));
}

void CanvasTest::moveWithoutButtonDrawsNothing()
{
    QTest::mouseMove(m_canvas, screenPoint(m_canvas, 20, 20));
    QTest::mouseMove(m_canvas, screenPoint(m_canvas, 40, 30));
    QCOMPARE(blackPixels(m_canvas->image()), 0);
    QVERIFY(control<QLabel>(m_window, "lblxy")->isHidden());
}

void CanvasTest::clearReenablesControls()
{
    QTest::mouseClick(m_canvas, Qt::LeftButton, {}, screenPoint(m_canvas, 40, 20));
    auto *inverted = control<QCheckBox>(m_window, "chkinvert");
    inverted->setEnabled(false);
    for (int i = 0; i <= 7; ++i)
        control<QRadioButton>(m_window, QStringLiteral("optgrf_%1").arg(i))->setEnabled(false);
    control<QAbstractButton>(m_window, "Command5")->click();
    QCOMPARE(blackPixels(m_canvas->image()), 0);
    QCOMPARE(m_canvas->currentPosition(), QPoint(0, 0));
    QVERIFY(inverted->isEnabled());
    for (int i = 0; i <= 6; ++i)
        QVERIFY(control<QRadioButton>(m_window, QStringLiteral("optgrf_%1").arg(i))->isEnabled());
    QVERIFY(!control<QRadioButton>(m_window, "optgrf_7")->isEnabled()); // never touched by Clear
    QVERIFY(!m_window->state().canvasShowsLoadedBitmap);
}

void CanvasTest::lineStepping()
{
    QImage image = PenStroke::blank(20, 20);
    PenStroke::line(image, QPoint(-5, 2), QPoint(25, 2), 1, qRgb(0, 0, 0));
    QCOMPARE(blackPixels(image), 20); // clipped to the picture
    image = PenStroke::blank(20, 20);
    PenStroke::line(image, QPoint(0, 0), QPoint(19, 19), 1, qRgb(0, 0, 0));
    QCOMPARE(blackPixels(image), 20);
    image = PenStroke::blank(20, 20);
    PenStroke::line(image, QPoint(5, 5), QPoint(5, 5), 3, qRgb(0, 0, 0));
    QCOMPARE(blackPixels(image), 9);
    QVERIFY(image.pixel(4, 4) == qRgb(0, 0, 0) && image.pixel(6, 6) == qRgb(0, 0, 0));
}

QTEST_MAIN(CanvasTest)
#include "tst_canvas.moc"
