#include "FormLookup.h"
#include "widgets/ui/ControlNames.h"
#include "logic/convert/Conversion.h"
#include "logic/convert/TransferHeader.h"
#include "widgets/decode/LcdPictureView.h"
#include "widgets/decode/PreviewPane.h"
#include "logic/output/SendStream.h"

#include <QComboBox>
#include <QLabel>
#include <QScrollArea>
#include <QSignalSpy>
#include <QSpinBox>
#include <QtTest>

// The preview pane, headless: what it decodes, marks and says.
class PreviewPaneTest : public QObject
{
    Q_OBJECT
private slots:
    void namedForAssistiveTools();
    void decodesOnceTypingRests();
    void sameAsCanvasThenOneEditedByteMarked_data();
    void sameAsCanvasThenOneEditedByteMarked();
    void saysWhereTextCannotBeDecoded();
    void showsStreamHeaderInWords();
    void zoomAndGrid();
    void startsAtFit_data();
    void startsAtFit();
    void coloursFollowTheChoice();
    void otherSizeIsNotCompared();
    void saysOneThingOnly_data();
    void saysOneThingOnly();
};

namespace {

bool isRed(QRgb pixel)
{
    return qRed(pixel) > 200 && qGreen(pixel) < 160 && qBlue(pixel) < 160;
}

QImage testPicture(int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.setPixel(x, y, (x * 7 + y * 3) % 5 == 0 ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
    return picture;
}

QString cSource(const QImage &picture, bool horizontal)
{
    return Conversion::fromPicture(picture, {picture.width(), picture.height(), MatrixLayout::usual(horizontal),
                                             "const unsigned char logo[] = {", "};", "0x", ", "});
}

QString label(const PreviewPane &pane, const char *name)
{
    const QLabel *found = control<QLabel>(&pane, QString::fromLatin1(name));
    return found ? found->text() : QString();
}

} // namespace

void PreviewPaneTest::namedForAssistiveTools()
{
    PreviewPane pane;
    QCOMPARE(pane.accessibleName(), QStringLiteral("Preview"));
    auto *previewZoom = control<QSpinBox>(&pane, ControlNames::previewZoom);
    QVERIFY(previewZoom);
    QCOMPARE(previewZoom->accessibleName(), QStringLiteral("Zoom"));
    auto *previewColours = control<QComboBox>(&pane, ControlNames::previewColours);
    QVERIFY(previewColours);
    QCOMPARE(previewColours->accessibleName(), QStringLiteral("Colours"));
    for (const QLabel *value : pane.findChildren<QLabel *>())
        QVERIFY2(!value->text().isEmpty() || value->isHidden(), qPrintable(value->objectName()));
    QCOMPARE(label(pane, ControlNames::previewDetails), QStringLiteral("No text to preview"));
}

void PreviewPaneTest::decodesOnceTypingRests()
{
    PreviewPane pane;
    pane.setLcdGeometry(128, 64, false);
    const QImage picture = testPicture(128, 64);
    const QString text = cSource(picture, false);
    QSignalSpy decoded(&pane, &PreviewPane::decoded);
    // Keystrokes faster than the idle delay: one decode at the end.
    for (int length = text.size() - 40; length <= text.size(); length += 4)
        pane.setText(text.left(length));
    QCOMPARE(decoded.count(), 0);
    QTRY_COMPARE(decoded.count(), 1);
    QTest::qWait(PreviewPane::IdleDelayMs * 2);
    QCOMPARE(decoded.count(), 1);
    QVERIFY2(pane.result().ok(), qPrintable(pane.result().problem()));
    QCOMPARE(label(pane, ControlNames::previewDetails), QStringLiteral("1024 bytes, 128x64, vertical (KS0108)"));
}

void PreviewPaneTest::sameAsCanvasThenOneEditedByteMarked_data()
{
    QTest::addColumn<bool>("horizontal");
    QTest::addColumn<QRect>("byteArea"); // the pixels of the edited byte
    // Byte 130 is column 2 of page 1 when vertical (x 2, y 8..15), and
    // byte 2 of row 8 when horizontal (x 16..23, y 8).
    QTest::newRow("vertical") << false << QRect(2, 8, 1, 8);
    QTest::newRow("horizontal") << true << QRect(16, 8, 8, 1);
}

void PreviewPaneTest::sameAsCanvasThenOneEditedByteMarked()
{
    QFETCH(bool, horizontal);
    QFETCH(QRect, byteArea);
    PreviewPane pane;
    pane.setLcdGeometry(128, 64, horizontal);
    const QImage picture = testPicture(128, 64);
    pane.setReference(picture);
    QString text = cSource(picture, horizontal);
    pane.setText(text);
    pane.decodeNow();
    QCOMPARE(pane.differingPixels(), 0);
    QCOMPARE(label(pane, ControlNames::previewDifference), QStringLiteral("Same as the canvas"));

    // "const unsigned char logo[] = {" is 30 characters, each byte 6 ("0x05, ").
    const int at = 30 + 130 * 6 + 2;
    const int value = text.mid(at, 2).toInt(nullptr, 16);
    text.replace(at, 2, QString::number(value ^ 0xff, 16).rightJustified(2, '0'));
    pane.setText(text);
    QTRY_COMPARE(pane.differingPixels(), byteArea.width() * byteArea.height());
    QCOMPARE(label(pane, ControlNames::previewDifference), QStringLiteral("8 pixels differ from the canvas (red)"));
    const QImage shown = pane.shownImage();
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            QCOMPARE(isRed(shown.pixel(x, y)), byteArea.contains(x, y));
}

void PreviewPaneTest::saysWhereTextCannotBeDecoded()
{
    PreviewPane pane;
    pane.setLcdGeometry(128, 64, false);
    const QString good = cSource(testPicture(128, 64), false);
    QString text = good;
    text.replace(30 + 10 * 6, 4, QStringLiteral("0xg5")); // the eleventh byte, column 91
    pane.setText(text);
    pane.decodeNow();
    QCOMPARE(label(pane, ControlNames::previewDetails),
             QStringLiteral("Cannot decode: line 1, column 91: cannot read \"0xg5\" as a byte"));
    QCOMPARE(pane.result().error.position, 90);

    pane.setText(good.left(30 + 500 * 6)); // cut after the delimiter of byte 500
    pane.decodeNow();
    QCOMPARE(label(pane, ControlNames::previewDetails), QStringLiteral("500 bytes; 128x64 needs 1024"));
}

void PreviewPaneTest::showsStreamHeaderInWords()
{
    PreviewPane pane;
    pane.setLcdGeometry(240, 64, true);
    const QImage picture = testPicture(240, 64);
    pane.setReference(picture);
    PicTransferOptions transfer;
    transfer.lcdSizeIndex = 0;
    const QString stream = SendStream::reformat(
        QString(), TransferHeader::build(transfer).text(), QStringLiteral("]"),
        SendStream::outputTextFrom(Conversion::fromPicture(picture, ConversionSettings())), 32);
    pane.setText(stream);
    pane.decodeNow();
    QCOMPARE(label(pane, ControlNames::previewDetails),
             QStringLiteral("LCD, display type 0, buffer 32, address 0000, PIC delay 10 ms\n"
                            "1921 bytes, 240x64, horizontal (T6963C, SED1330)"));
    QCOMPARE(pane.differingPixels(), 0);
}

void PreviewPaneTest::zoomAndGrid()
{
    PreviewPane pane;
    pane.setLcdGeometry(128, 32, false);
    pane.setText(QString());
    pane.decodeNow();
    auto *view = control<LcdPictureView>(&pane, ControlNames::previewPicture);
    QVERIFY(view);
    pane.setZoom(2);
    QCOMPARE(view->size(), QSize(256, 64));
    QImage small = view->grab().toImage();
    QCOMPARE(small.pixel(0, 0), small.pixel(1, 1)); // no grid: one colour

    pane.setZoom(LcdPictureView::GridFromZoom);
    QCOMPARE(view->size(), QSize(128, 32) * LcdPictureView::GridFromZoom);
    QImage big = view->grab().toImage();
    QVERIFY(big.pixel(0, 0) != big.pixel(1, 1));        // the grid line against the dot
    QCOMPARE(big.pixel(1, 1), big.pixel(LcdPictureView::GridFromZoom + 1, 1));
}

// The pane starts at "Fit": the whole picture shows, small ones at a whole zoom.
void PreviewPaneTest::startsAtFit_data()
{
    QTest::addColumn<QSize>("lcd");
    QTest::addColumn<QSize>("shown");
    QTest::newRow("240x64 doubled") << QSize(240, 64) << QSize(480, 128);
    QTest::newRow("128x32 tripled") << QSize(128, 32) << QSize(384, 96);
    QTest::newRow("1024x1024 shrunk") << QSize(1024, 1024) << QSize(300, 300);
}

void PreviewPaneTest::startsAtFit()
{
    QFETCH(QSize, lcd);
    QFETCH(QSize, shown);
    PreviewPane pane;
    pane.setLcdGeometry(lcd.width(), lcd.height(), false);
    auto *scroll = pane.findChild<QScrollArea *>();
    QVERIFY(scroll);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setFixedSize(500, 300);
    pane.show();
    QVERIFY(QTest::qWaitForWindowExposed(&pane));
    auto *zoom = control<QSpinBox>(&pane, ControlNames::previewZoom);
    QVERIFY(zoom);
    QCOMPARE(zoom->text(), QStringLiteral("Fit"));
    auto *view = control<LcdPictureView>(&pane, ControlNames::previewPicture);
    QVERIFY(view);
    QTRY_COMPARE(view->size(), shown);
}

void PreviewPaneTest::coloursFollowTheChoice()
{
    PreviewPane pane;
    pane.setLcdGeometry(128, 32, false);
    pane.setText(QStringLiteral("01") + QStringLiteral("00").repeated(511));
    pane.decodeNow();
    const QImage green = pane.shownImage();
    QVERIFY(qGreen(green.pixel(1, 0)) > qRed(green.pixel(1, 0))); // light green-grey background
    QVERIFY(qGray(green.pixel(0, 0)) < 64);                        // dark dot
    auto *previewColours = control<QComboBox>(&pane, ControlNames::previewColours);
    QVERIFY(previewColours);
    previewColours->setCurrentText(QStringLiteral("Black on white"));
    QCOMPARE(pane.shownImage().pixel(0, 0), qRgb(0, 0, 0));
    QCOMPARE(pane.shownImage().pixel(1, 0), qRgb(255, 255, 255));
    pane.setColours(Qt::yellow, Qt::darkBlue);
    QCOMPARE(pane.shownImage().pixel(0, 0), QColor(Qt::yellow).rgb());
}

void PreviewPaneTest::otherSizeIsNotCompared()
{
    PreviewPane pane;
    pane.setLcdGeometry(128, 64, false);
    pane.setReference(testPicture(240, 64));
    pane.setText(cSource(testPicture(128, 64), false));
    pane.decodeNow();
    QCOMPARE(pane.differingPixels(), -1);
    QCOMPARE(label(pane, ControlNames::previewDifference),
             QStringLiteral("Not compared: the canvas is 240x64, the preview 128x64"));
    QCOMPARE(pane.shownImage().size(), QSize(128, 64));
}

void PreviewPaneTest::saysOneThingOnly_data()
{
    const QString vertical = cSource(testPicture(128, 64), false);
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("horizontalAfter"); // the packing changes after the text came
    QTest::addColumn<QString>("difference");
    QTest::newRow("no text") << QString() << false << QString();
    QTest::newRow("500 of 1024 bytes") << vertical.left(30 + 500 * 6) << false << "Not compared with the canvas";
    QTest::newRow("packing changed since") << vertical << true << "Layout changed: Convert to update";
}

// Beside a blank canvas: nothing is marked red unless a whole picture for this layout differs.
void PreviewPaneTest::saysOneThingOnly()
{
    QFETCH(QString, text);
    QFETCH(bool, horizontalAfter);
    QFETCH(QString, difference);
    PreviewPane pane;
    pane.setLcdGeometry(128, 64, false);
    QImage blank(128, 64, QImage::Format_RGB32);
    blank.fill(Qt::white);
    pane.setReference(blank);
    pane.setText(text);
    pane.decodeNow();
    pane.setLcdGeometry(128, 64, horizontalAfter);
    QCOMPARE(label(pane, ControlNames::previewDifference), difference);
    QCOMPARE(pane.differingPixels(), -1);
    const QImage shown = pane.shownImage();
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            QVERIFY(!isRed(shown.pixel(x, y)));
}

QTEST_MAIN(PreviewPaneTest)
#include "tst_previewpane.moc"
