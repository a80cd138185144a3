#include "FormLookup.h"
#include "widgets/ui/ControlNames.h"
#include "MessageRecorder.h"
#include "gui/MainWindow.h"
#include "widgets/canvas/PixelCanvas.h"
#include "widgets/decode/PreviewPane.h"
#include "logic/serial/PortAssignments.h"
#include "logic/virtual/VirtualLcdDevice.h"
#include "widgets/virtual/VirtualLcdLauncher.h"
#include "logic/virtual/VirtualPic.h"
#include "logic/virtual/VirtualStreamSummary.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QtTest>

// The whole chain as a user meets it: draw, Convert, see the preview,
// Reformat, send to the Virtual LCD, and judge the picture it received.
class EndToEndTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void previewShowsTheCanvas();
    void sendReachesTheVirtualLcd_data();
    void sendReachesTheVirtualLcd();

private:
    template <typename T = QAbstractButton>
    T *get(const QString &name) const
    {
        return control<T>(m_window.get(), name);
    }
    void drawRandomPicture(int seed);

    std::unique_ptr<MainWindow> m_window;
};

void EndToEndTest::init()
{
    m_window = std::make_unique<MainWindow>(PortAssignments());
}

void EndToEndTest::cleanup()
{
    m_window.reset();
}

void EndToEndTest::drawRandomPicture(int seed)
{
    auto *canvas = get<PixelCanvas>(ControlNames::pixelCanvas);
    QVERIFY(canvas);
    QRandomGenerator random(seed);
    for (int i = 0; i < 60; ++i) {
        canvas->setPoint({random.bounded(canvas->lcdWidth()), random.bounded(canvas->lcdHeight())});
        canvas->lineTo({random.bounded(canvas->lcdWidth()), random.bounded(canvas->lcdHeight())});
    }
}

// C source text decodes to the canvas; one edited byte marks its 8 pixels.
void EndToEndTest::previewShowsTheCanvas()
{
    auto *verticalOption = get(ControlNames::verticalOption);
    QVERIFY(verticalOption);
    verticalOption->click();
    drawRandomPicture(3);
    auto *headerBox = get<QLineEdit>(ControlNames::headerBox);
    QVERIFY(headerBox);
    headerBox->setText(QStringLiteral("const unsigned char logo[] = {"));
    auto *footerBox = get<QLineEdit>(ControlNames::footerBox);
    QVERIFY(footerBox);
    footerBox->setText(QStringLiteral("};"));
    auto *formatBox = get<QLineEdit>(ControlNames::formatBox);
    QVERIFY(formatBox);
    formatBox->setText(QStringLiteral("0x"));
    auto *delimiterBox = get<QLineEdit>(ControlNames::delimiterBox);
    QVERIFY(delimiterBox);
    delimiterBox->setText(QStringLiteral(", "));
    auto *convertButton = get(ControlNames::convertButton);
    QVERIFY(convertButton);
    convertButton->click();
    auto *preview = get<PreviewPane>(ControlNames::previewPane);
    QVERIFY(preview);
    preview->decodeNow();
    QVERIFY2(preview->result().ok(), qPrintable(preview->result().error.message()));
    QCOMPARE(preview->differingPixels(), 0);
    auto *output = get<QPlainTextEdit>(ControlNames::outputWindow);
    QVERIFY(output);
    QString text = output->toPlainText();
    const qsizetype firstByte = text.indexOf(QStringLiteral("0x"));
    const QString first = text.mid(firstByte, 4);
    bool ok = false;
    const int value = first.mid(2).toInt(&ok, 16);
    QVERIFY(ok);
    text.replace(firstByte, 4, QStringLiteral("0x%1").arg(value ^ 0xff, 2, 16, QLatin1Char('0')));
    output->setPlainText(text);
    preview->decodeNow();
    // The first byte is a page's first column (8 rows, vertical packing).
    QCOMPARE(preview->differingPixels(), 8);
}

void EndToEndTest::sendReachesTheVirtualLcd_data()
{
    QTest::addColumn<QString>("size");
    QTest::addColumn<bool>("vertical");
    QTest::addColumn<bool>("eeprom");
    QTest::newRow("240x64 vertical") << ControlNames::lcdSizeOption(0) << true << false;
    QTest::newRow("128x32 horizontal") << ControlNames::lcdSizeOption(2) << false << false;
    QTest::newRow("128x64 vertical, EEPROM") << ControlNames::lcdSizeOption(1) << true << true;
}

void EndToEndTest::sendReachesTheVirtualLcd()
{
    QFETCH(QString, size);
    QFETCH(bool, vertical);
    QFETCH(bool, eeprom);
    auto *found = get(size);
    QVERIFY(found);
    found->click();
    auto *found2 = get(vertical ? ControlNames::verticalOption : ControlNames::horizontalOption);
    QVERIFY(found2);
    found2->click();
    auto *loadEepromCheck = get(ControlNames::loadEepromCheck);
    QVERIFY(loadEepromCheck);
    if (eeprom)
        loadEepromCheck->click();
    drawRandomPicture(11);
    auto *convertButton = get(ControlNames::convertButton);
    QVERIFY(convertButton);
    convertButton->click();
    auto *reformatButton = get(ControlNames::reformatButton);
    QVERIFY(reformatButton);
    reformatButton->click();
    auto *sendToLcdButton = get(ControlNames::sendToLcdButton);
    QVERIFY(sendToLcdButton);
    QVERIFY(sendToLcdButton->isEnabled());
    MessageRecorder recorder;
    m_window->startVirtualLcd();
    VirtualLcdDevice *device = m_window->virtualLcd()->device();
    QVERIFY(device && device->isOpen());
    auto *com1Device = get<QLabel>(ControlNames::comDeviceLabel(1));
    QVERIFY(com1Device);
    QCOMPARE(com1Device->toolTip(), device->devicePath());
    QSignalSpy ended(device->pic(), &VirtualPic::streamEnded);
    auto *portOpenButton = get(ControlNames::portOpenButton);
    QVERIFY(portOpenButton);
    portOpenButton->click();
    auto *comm = get<QLabel>(ControlNames::portStateLabel);
    QVERIFY(comm);
    QCOMPARE(comm->text(), QStringLiteral("ON"));
    auto *xmitDelay = get<QLineEdit>(ControlNames::xmitDelayBox);
    QVERIFY(xmitDelay);
    xmitDelay->setText(QStringLiteral("1"));
    sendToLcdButton->click();
    QTRY_VERIFY_WITH_TIMEOUT(!ended.isEmpty(), 15000);
    const auto summary = ended.first().first().value<VirtualStreamSummary>();
    QVERIFY2(summary.isClean(), qPrintable(summary.text()));
    auto *pixelCanvas = get<PixelCanvas>(ControlNames::pixelCanvas);
    QVERIFY(pixelCanvas);
    QCOMPARE(device->pic()->picture(), pixelCanvas->image().convertToFormat(QImage::Format_RGB32));
    QVERIFY(recorder.messages.isEmpty());
}

QTEST_MAIN(EndToEndTest)
#include "tst_endtoend.moc"
