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
    T *get(const char *name) const
    {
        return control<T>(m_window.get(), QLatin1String(name));
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
    QRandomGenerator random(seed);
    for (int i = 0; i < 60; ++i) {
        canvas->setPoint({random.bounded(canvas->lcdWidth()), random.bounded(canvas->lcdHeight())});
        canvas->lineTo({random.bounded(canvas->lcdWidth()), random.bounded(canvas->lcdHeight())});
    }
}

// C source text decodes to the canvas; one edited byte marks its 8 pixels.
void EndToEndTest::previewShowsTheCanvas()
{
    get(ControlNames::verticalOption)->click();
    drawRandomPicture(3);
    get<QLineEdit>(ControlNames::headerBox)->setText(QStringLiteral("const unsigned char logo[] = {"));
    get<QLineEdit>(ControlNames::footerBox)->setText(QStringLiteral("};"));
    get<QLineEdit>(ControlNames::formatBox)->setText(QStringLiteral("0x"));
    get<QLineEdit>(ControlNames::delimiterBox)->setText(QStringLiteral(", "));
    get(ControlNames::convertButton)->click();
    auto *preview = get<PreviewPane>("Preview");
    preview->decodeNow();
    QVERIFY2(preview->result().ok(), qPrintable(preview->result().error.message()));
    QCOMPARE(preview->differingPixels(), 0);
    auto *output = get<QPlainTextEdit>(ControlNames::outputWindow);
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
    QTest::newRow("240x64 vertical") << "optgrf_0" << true << false;
    QTest::newRow("128x32 horizontal") << "optgrf_2" << false << false;
    QTest::newRow("128x64 vertical, EEPROM") << "optgrf_1" << true << true;
}

void EndToEndTest::sendReachesTheVirtualLcd()
{
    QFETCH(QString, size);
    QFETCH(bool, vertical);
    QFETCH(bool, eeprom);
    get(qPrintable(size))->click();
    get(vertical ? ControlNames::verticalOption : ControlNames::horizontalOption)->click();
    if (eeprom)
        get(ControlNames::loadEepromCheck)->click();
    drawRandomPicture(11);
    get(ControlNames::convertButton)->click();
    get(ControlNames::reformatButton)->click();
    QVERIFY(get(ControlNames::sendToLcdButton)->isEnabled());
    MessageRecorder recorder;
    m_window->startVirtualLcd();
    VirtualLcdDevice *device = m_window->virtualLcd()->device();
    QVERIFY(device && device->isOpen());
    QCOMPARE(get<QLabel>("lblcomdev_0")->toolTip(), device->devicePath());
    QSignalSpy ended(device->pic(), &VirtualPic::streamEnded);
    get("cmdcomm")->click();
    QCOMPARE(get<QLabel>("comm")->text(), QStringLiteral("ON"));
    get<QLineEdit>("xmitdelay")->setText(QStringLiteral("1"));
    get(ControlNames::sendToLcdButton)->click();
    QTRY_VERIFY_WITH_TIMEOUT(!ended.isEmpty(), 15000);
    const auto summary = ended.first().first().value<VirtualStreamSummary>();
    QVERIFY2(summary.isClean(), qPrintable(summary.text()));
    QCOMPARE(device->pic()->picture(), get<PixelCanvas>(ControlNames::pixelCanvas)->image().convertToFormat(QImage::Format_RGB32));
    QVERIFY(recorder.messages.isEmpty());
}

QTEST_MAIN(EndToEndTest)
#include "tst_endtoend.moc"
