#include "FormLookup.h"
#include "widgets/ui/ControlNames.h"
#include "gui/MainWindow.h"
#include "logic/canvas/PenStroke.h"
#include "widgets/canvas/PixelCanvas.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QApplication>
#include <QRadioButton>
#include <QScrollArea>
#include <QSpinBox>
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
    void sizeChangeNeverLosesDrawing_data();
    void sizeChangeNeverLosesDrawing();
    void singlePointsAndErase();
    void fastStrokeLeavesNoGaps();
    void penSizes_data();
    void penSizes();
    void positionShownWhileHovering();
    void moveWithoutButtonDrawsNothing();
    void clearReenablesControls();
    void lineStepping();
    void toolsDrawAndUndo_data();
    void toolsDrawAndUndo();
    void clearAndSizeChangeUndo();
    void textIsPlacedAndShownBeforeStamping();
    void pictureOperationsAndArrowKeys();
    void customSize();
    void gridAndFitFollowTheRoom();

private:
    void drag(QPoint from, QPoint to, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mousePress(m_canvas, button, {}, screenPoint(m_canvas, from.x(), from.y()));
        QTest::mouseMove(m_canvas, screenPoint(m_canvas, to.x(), to.y()));
        QTest::mouseRelease(m_canvas, button, {}, screenPoint(m_canvas, to.x(), to.y()));
    }
    void click(const QString &name)
    {
        if (auto *button = control<QAbstractButton>(m_window, name))
            button->click();
    }

    MainWindow *m_window = nullptr;
    PixelCanvas *m_canvas = nullptr;
};

void CanvasTest::init()
{
    m_window = new MainWindow;
    m_window->resize(1366, 768); // a maximised window on the smallest screen it is made for
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    m_canvas = control<PixelCanvas>(m_window, ControlNames::pixelCanvas);
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
    auto *option = control<QRadioButton>(m_window, ControlNames::lcdSizeOption(index));
    QVERIFY(option);
    option->click();
    const AppState &s = m_window->state();
    QCOMPARE(int(s.lcdSizeIndex), index);
    QCOMPARE(int(s.lcdWidth), width);
    QCOMPARE(int(s.lcdHeight), height);
    QCOMPARE(m_canvas->image().size(), QSize(width, height));
    // "Fit": the largest whole-number zoom that shows the whole picture, every LCD pixel a square.
    QCOMPARE(m_canvas->size(), QSize(width, height) * m_canvas->zoom());
    auto *scroll = control<QScrollArea>(m_window, ControlNames::canvasScrollArea);
    QVERIFY(scroll);
    const QSize room = scroll->maximumViewportSize();
    QVERIFY(room.expandedTo(m_canvas->size()) == room);
    QVERIFY(room.expandedTo(QSize(width, height) * (m_canvas->zoom() + 1)) != room);
    // At 1366x768 every offered size but 320x200 is drawn at least two to one.
    QVERIFY(m_canvas->zoom() >= (width <= 256 ? 2 : 1));
}

void CanvasTest::sizeChangeNeverLosesDrawing_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("clicks") << "clicks";
    QTest::newRow("arrow keys through the group") << "keys";
}

// Two diagonals at 240x64 survive a trip through smaller and larger sizes.
void CanvasTest::sizeChangeNeverLosesDrawing()
{
    QFETCH(QString, how);
    drag({0, 0}, {239, 63});
    drag({239, 0}, {0, 63});
    const QImage drawn = m_canvas->image();
    QCOMPARE(blackPixels(drawn), 2 * 240);
    if (how == "clicks") {
        click(ControlNames::lcdSizeOption(1)); // 128x64
        QCOMPARE(m_canvas->image(), drawn.copy(0, 0, 128, 64));
        click(ControlNames::lcdSizeOption(2)); // 128x32
        click(ControlNames::lcdSizeOption(7)); // 320x200: white beyond
        QCOMPARE(blackPixels(m_canvas->image()), 2 * 240);
        click(ControlNames::lcdSizeOption(0));
    } else {
        // On screen 240x128, 128x128, 128x64 and 128x32 stand below 240x64.
        auto *option = control<QRadioButton>(m_window, ControlNames::lcdSizeOption(0));
        QVERIFY(option);
        option->setFocus();
        for (int step = 0; step < 4; ++step)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QCOMPARE(m_canvas->image().size(), QSize(128, 32));
        for (int step = 0; step < 4; ++step)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
        QVERIFY(option->isChecked());
    }
    QCOMPARE(m_canvas->image(), drawn);
    // "Clear" clears the hidden part too.
    click(ControlNames::clearCanvasButton);
    click(ControlNames::lcdSizeOption(7));
    QCOMPARE(blackPixels(m_canvas->image()), 0);
}

void CanvasTest::singlePointsAndErase()
{
    QTest::mouseClick(m_canvas, Qt::LeftButton, {}, screenPoint(m_canvas, 0, 0));
    QTest::mouseClick(m_canvas, Qt::LeftButton, {}, screenPoint(m_canvas, 239, 63));
    QVERIFY(m_canvas->isBlack(0, 0));
    QVERIFY(m_canvas->isBlack(239, 63));
    QCOMPARE(blackPixels(m_canvas->image()), 2);
    QTest::mouseClick(m_canvas, Qt::RightButton, {}, screenPoint(m_canvas, 239, 63)); // the right button erases
    QVERIFY(!m_canvas->isBlack(239, 63));

    auto *eraseButton = control<QAbstractButton>(m_window, ControlNames::eraseButton);
    QVERIFY(eraseButton);
    eraseButton->click(); // Erase
    QTest::mouseClick(m_canvas, Qt::LeftButton, {}, screenPoint(m_canvas, 0, 0));
    QVERIFY(!m_canvas->isBlack(0, 0));
    auto *drawButton = control<QAbstractButton>(m_window, ControlNames::drawButton);
    QVERIFY(drawButton);
    drawButton->click(); // Draw
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
    auto *penSizeBox = control<QComboBox>(m_window, ControlNames::penSizeBox);
    QVERIFY(penSizeBox);
    penSizeBox->setCurrentIndex(index);
    QCOMPARE(m_canvas->penWidth(), width);
    QTest::mouseClick(m_canvas, Qt::LeftButton, {}, screenPoint(m_canvas, 30, 30));
    QCOMPARE(blackPixels(m_canvas->image()), width * width);
    QVERIFY(m_canvas->isBlack(30, 30));
    QVERIFY(onlyPureColours(m_canvas->image()));
}

void CanvasTest::positionShownWhileHovering()
{
    auto *label = control<QLabel>(m_window, ControlNames::pointerPositionLabel);
    QVERIFY(label->isHidden());
    QTest::mouseMove(m_canvas, screenPoint(m_canvas, 7, 9));
    QVERIFY(label->isVisible());
    QCOMPARE(label->text(), QStringLiteral("X:7 Y:9"));
    QTest::mousePress(m_canvas, Qt::LeftButton, {}, screenPoint(m_canvas, 3, 3));
    QTest::mouseMove(m_canvas, screenPoint(m_canvas, 12, 5));
    QCOMPARE(label->text(), QStringLiteral("X:12 Y:5"));
    // Beyond the edges: the label follows, drawing is clipped.
    QTest::mouseMove(m_canvas, QPoint(-m_canvas->zoom() * 3, -1));
    QCOMPARE(label->text(), QStringLiteral("X:-3 Y:-1"));
    QTest::mouseMove(m_canvas, screenPoint(m_canvas, 250, 70));
    QCOMPARE(label->text(), QStringLiteral("X:250 Y:70"));
    QTest::mouseRelease(m_canvas, Qt::LeftButton, {}, screenPoint(m_canvas, 250, 70));
    QVERIFY(label->isVisible());
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(m_canvas, &leave);
    QVERIFY(label->isHidden());
    QVERIFY(onlyPureColours(m_canvas->image()));
}

void CanvasTest::moveWithoutButtonDrawsNothing()
{
    QTest::mouseMove(m_canvas, screenPoint(m_canvas, 20, 20));
    QTest::mouseMove(m_canvas, screenPoint(m_canvas, 40, 30));
    QCOMPARE(blackPixels(m_canvas->image()), 0);
    auto *pointerPosition = control<QLabel>(m_window, ControlNames::pointerPositionLabel);
    QVERIFY(pointerPosition);
    QCOMPARE(pointerPosition->text(), QStringLiteral("X:40 Y:30"));
}

void CanvasTest::clearReenablesControls()
{
    QTest::mouseClick(m_canvas, Qt::LeftButton, {}, screenPoint(m_canvas, 40, 20));
    auto *inverted = control<QCheckBox>(m_window, ControlNames::invertedCheck);
    QVERIFY(inverted);
    inverted->setEnabled(false);
    for (int i = 0; i <= 7; ++i) {
        auto *size = control<QRadioButton>(m_window, ControlNames::lcdSizeOption(i));
        QVERIFY(size);
        size->setEnabled(false);
    }
    auto *clearCanvasButton = control<QAbstractButton>(m_window, ControlNames::clearCanvasButton);
    QVERIFY(clearCanvasButton);
    clearCanvasButton->click();
    QCOMPARE(blackPixels(m_canvas->image()), 0);
    QCOMPARE(m_canvas->currentPosition(), QPoint(0, 0));
    QVERIFY(inverted->isEnabled());
    for (int i = 0; i <= 6; ++i) {
        auto *size = control<QRadioButton>(m_window, ControlNames::lcdSizeOption(i));
        QVERIFY(size);
        QVERIFY(size->isEnabled());
    }
    auto *sizeOption7 = control<QRadioButton>(m_window, ControlNames::lcdSizeOption(7));
    QVERIFY(sizeOption7);
    QVERIFY(!sizeOption7->isEnabled()); // never touched by Clear
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

void CanvasTest::toolsDrawAndUndo_data()
{
    QTest::addColumn<int>("tool");
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<int>("black");
    QTest::newRow("pen") << 0 << QPoint(10, 10) << QPoint(20, 10) << 11;
    QTest::newRow("line: one pixel a column") << 1 << QPoint(10, 10) << QPoint(20, 15) << 11;
    QTest::newRow("rectangle: 2 x 11 + 2 x 4") << 2 << QPoint(20, 15) << QPoint(10, 10) << 30;
    QTest::newRow("filled rectangle") << 3 << QPoint(10, 10) << QPoint(20, 15) << 66;
    QTest::newRow("ellipse: circle of 5") << 4 << QPoint(0, 0) << QPoint(4, 4) << 12;
    QTest::newRow("filled ellipse: 4 + 6 + 4") << 5 << QPoint(0, 1) << QPoint(5, 3) << 14;
    QTest::newRow("fill") << 6 << QPoint(100, 30) << QPoint(100, 30) << 240 * 64;
}

// Each tool under the mouse, the right button erasing the same way, then
// Undo and Redo by button and by key.
void CanvasTest::toolsDrawAndUndo()
{
    QFETCH(int, tool);
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    QFETCH(int, black);
    QVERIFY(QTest::qWaitForWindowActive(m_window));
    auto *toolBox = control<QComboBox>(m_window, ControlNames::drawingToolBox);
    QVERIFY(toolBox);
    toolBox->setCurrentIndex(tool);
    auto *undo = control<QAbstractButton>(m_window, ControlNames::undoButton);
    QVERIFY(!undo->isEnabled());
    drag(from, to);
    QCOMPARE(blackPixels(m_canvas->image()), black);
    QVERIFY(!m_canvas->hasPreview());
    drag(from, to, Qt::RightButton);
    QCOMPARE(blackPixels(m_canvas->image()), 0);
    undo->click();
    QCOMPARE(blackPixels(m_canvas->image()), black);
    // A shortcut presses its button, which clicks a moment later.
    m_canvas->setFocus();
    QTest::keyClick(m_canvas, Qt::Key_Z, Qt::ControlModifier);
    QTRY_COMPARE(blackPixels(m_canvas->image()), 0);
    QVERIFY(!undo->isEnabled());
    QTest::keyClick(m_canvas, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QTRY_COMPARE(blackPixels(m_canvas->image()), black);
    QVERIFY(onlyPureColours(m_canvas->image()));
}

void CanvasTest::clearAndSizeChangeUndo()
{
    drag({5, 5}, {200, 60});
    const QImage drawn = m_canvas->image();
    click(ControlNames::clearCanvasButton); // Clear
    QCOMPARE(blackPixels(m_canvas->image()), 0);
    click(ControlNames::undoButton);
    QCOMPARE(m_canvas->image(), drawn);
    click(ControlNames::lcdSizeOption(1)); // 128x64
    const AppState &s = m_window->state();
    QCOMPARE(s.lcdWidth, qint16(128));
    click(ControlNames::undoButton);
    QCOMPARE(m_canvas->image(), drawn);
    QCOMPARE(s.lcdWidth, qint16(240));
    QCOMPARE(s.lcdSizeIndex, qint16(0));
    auto *sizeOption0 = control<QRadioButton>(m_window, ControlNames::lcdSizeOption(0));
    QVERIFY(sizeOption0);
    QVERIFY(sizeOption0->isChecked());
    click(ControlNames::redoButton);
    auto *sizeOption1 = control<QRadioButton>(m_window, ControlNames::lcdSizeOption(1));
    QVERIFY(sizeOption1);
    QVERIFY(sizeOption1->isChecked());
    QCOMPARE(m_canvas->image().size(), QSize(128, 64));
    QCOMPARE(s.lcdSizeIndex, qint16(1));
}

void CanvasTest::textIsPlacedAndShownBeforeStamping()
{
    auto *text = control<QLineEdit>(m_window, ControlNames::stampTextBox);
    QVERIFY(text);
    auto *toolBox = control<QComboBox>(m_window, ControlNames::drawingToolBox);
    QVERIFY(toolBox);
    toolBox->setCurrentIndex(7); // Text
    text->setText(QStringLiteral("Hi"));
    QTest::mouseClick(m_canvas, Qt::LeftButton, {}, screenPoint(m_canvas, 30, 20));
    QCOMPARE(m_canvas->currentPosition(), QPoint(30, 20));
    QCOMPARE(blackPixels(m_canvas->image()), 0); // only shown so far
    QVERIFY(m_canvas->hasPreview());
    QTest::keyClick(text, Qt::Key_Return); // Enter stamps
    const int regular = blackPixels(m_canvas->image());
    QVERIFY(regular > 10);
    click(ControlNames::undoButton);
    QCOMPARE(blackPixels(m_canvas->image()), 0);
    // Bold is honoured.
    QFont bold = m_canvas->stampFont();
    bold.setBold(true);
    m_canvas->setStampFont(bold);
    m_canvas->setCurrentPosition(QPoint(30, 20));
    click(ControlNames::stampTextButton);
    QVERIFY(blackPixels(m_canvas->image()) > regular);
}

void CanvasTest::pictureOperationsAndArrowKeys()
{
    m_canvas->setPoint({0, 0});
    m_canvas->setPoint({1, 0});
    click(ControlNames::invertPictureButton);
    QCOMPARE(blackPixels(m_canvas->image()), 240 * 64 - 2);
    click(ControlNames::undoButton);
    click(ControlNames::flipHorizontalButton);
    QVERIFY(m_canvas->isBlack(239, 0) && m_canvas->isBlack(238, 0));
    click(ControlNames::flipVerticalButton);
    QVERIFY(m_canvas->isBlack(239, 63));
    click(ControlNames::rotate180Button);
    QVERIFY(m_canvas->isBlack(0, 0) && m_canvas->isBlack(1, 0));
    auto *rotate90 = control<QAbstractButton>(m_window, ControlNames::rotate90Button);
    QVERIFY(!rotate90->isEnabled()); // 240x64 is no square
    click(ControlNames::lcdSizeOption(5)); // 128x128
    QVERIFY(rotate90->isEnabled());
    rotate90->click();
    QCOMPARE(blackPixels(m_canvas->image()), 2);
    QVERIFY(m_canvas->isBlack(127, 0) && m_canvas->isBlack(127, 1));
    m_canvas->setFocus();
    QTest::keyClick(m_canvas, Qt::Key_Left);
    QTest::keyClick(m_canvas, Qt::Key_Down);
    QVERIFY(m_canvas->isBlack(126, 1) && m_canvas->isBlack(126, 2));
    click(ControlNames::undoButton);
    click(ControlNames::undoButton);
    QVERIFY(m_canvas->isBlack(127, 0));
}

void CanvasTest::customSize()
{
    auto *box = control<QSpinBox>(m_window, ControlNames::customWidthBox);
    QVERIFY(box);
    auto *type = control<QComboBox>(m_window, ControlNames::displayTypeBox);
    QVERIFY(type);
    QVERIFY(!box->isVisible() && !type->isVisible()); // only for a custom size
    click(ControlNames::lcdSizeOption(8));
    QVERIFY(box->isVisible() && type->isVisible());
    QCOMPARE(box->value(), 240); // starts from the size shown
    QCOMPARE(type->currentData().toChar(), QLatin1Char('0'));
    box->setValue(84);
    auto *heightBox = control<QSpinBox>(m_window, ControlNames::customHeightBox);
    QVERIFY(heightBox);
    heightBox->setValue(48);
    const AppState &s = m_window->state();
    QCOMPARE(QSize(s.lcdWidth, s.lcdHeight), QSize(84, 48));
    QCOMPARE(s.lcdSizeIndex, qint16(8));
    QCOMPARE(m_canvas->image().size(), QSize(84, 48));
    type->setCurrentIndex(type->findData(QChar(QLatin1Char('3'))));
    QCOMPARE(s.customDisplayType, QLatin1Char('3'));
    click(ControlNames::verticalOption); // vertical
    click(ControlNames::convertButton);
    QCOMPARE(s.outputText.size(), 504 * 2);
    QVERIFY(s.transferHeader.startsWith(QLatin1Char('3')));
    click(ControlNames::lcdSizeOption(1));
    QVERIFY(!type->isVisible());
    click(ControlNames::undoButton);
    QVERIFY(type->isVisible());
    QCOMPARE(m_canvas->image().size(), QSize(84, 48));
}

void CanvasTest::gridAndFitFollowTheRoom()
{
    auto *zoom = control<QComboBox>(m_window, ControlNames::canvasZoomBox);
    QVERIFY(zoom);
    m_canvas->clearFocus(); // the focus frame is not the grid
    zoom->setCurrentIndex(3); // 3:1, no grid
    QCOMPARE(m_canvas->grab().toImage().pixel(0, 1), qRgb(255, 255, 255));
    zoom->setCurrentIndex(4); // 4:1, a grey line along every pixel's edge
    const QImage shown = m_canvas->grab().toImage();
    QCOMPARE(shown.pixel(4, 1), qRgb(128, 128, 128));
    QCOMPARE(shown.pixel(5, 1), qRgb(255, 255, 255));
    zoom->setCurrentIndex(0); // Fit
    const int before = m_canvas->zoom();
    m_window->resize(m_window->size() + QSize(500, 300));
    QTRY_VERIFY(m_canvas->zoom() > before);
}

QTEST_MAIN(CanvasTest)
#include "tst_canvas.moc"
