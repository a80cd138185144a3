#include "ClippedCaptions.h"
#include "widgets/ui/VirtualLcdNames.h"
#include "logic/convert/ByteMatrix.h"
#include "logic/output/SendStream.h"
#include "logic/virtual/VirtualLcdDevice.h"
#include "widgets/virtual/VirtualLcdPicture.h"
#include "widgets/virtual/VirtualLcdWindow.h"
#include "logic/virtual/VirtualPic.h"

#include <QAccessible>
#include <QLabel>
#include <QListWidget>
#include <QSerialPort>
#include <QtTest>

namespace {

// A 32x16 picture with a frame and a diagonal, so every block differs.
QImage framePicture()
{
    QImage picture(32, 16, QImage::Format_RGB32);
    picture.fill(Qt::white);
    for (int x = 0; x < 32; ++x) {
        picture.setPixel(x, 0, qRgb(0, 0, 0));
        picture.setPixel(x, 15, qRgb(0, 0, 0));
        picture.setPixel(x, x / 2, qRgb(0, 0, 0));
    }
    return picture;
}

QByteArray streamOf(const QByteArray &bytes, int blockChars)
{
    // LCD type 0, the block size, address 0000, 10 ms.
    const QString header = QStringLiteral("0%1").arg(blockChars, 2, 16, QLatin1Char('0')) + QStringLiteral("00000a*");
    return SendStream::reformat(QString(), header, QStringLiteral("]"), QString::fromLatin1(bytes.toHex()), blockChars)
        .toLatin1();
}

} // namespace

class VirtualLcdWindowTest : public QObject
{
    Q_OBJECT
private slots:
    void fillsBlockByBlock_data();
    void fillsBlockByBlock();
    void listsFaults();
    void namesItsControls();
    void pictureFitsTheWindow_data();
    void pictureFitsTheWindow();
};

void VirtualLcdWindowTest::fillsBlockByBlock_data()
{
    QTest::addColumn<bool>("horizontal");
    QTest::newRow("vertical") << false;
    QTest::newRow("horizontal") << true;
}

// Half the blocks go out, the window shows the top half (every vertical
// page or horizontal row is 32 pixels); then the rest, and the picture is
// the source.
void VirtualLcdWindowTest::fillsBlockByBlock()
{
    QFETCH(bool, horizontal);
    VirtualPicConfig config;
    config.width = 32;
    config.height = 16;
    config.horizontal = horizontal;
    config.quietNs = 30000000000LL; // the halves belong to one stream, however slow the test runs
    VirtualLcdDevice device(config);
    QString error;
    QVERIFY(device.open(&error));
    VirtualLcdWindow window(&device);
    window.show();
    const QImage source = framePicture();
    QByteArray bytes = horizontal ? ByteMatrix::horizontal(source, 32, 16) : ByteMatrix::vertical(source, 32, 16);
    const QByteArray stream = streamOf(horizontal ? bytes + '\0' : bytes, 16);
    const qsizetype half = stream.indexOf("]", stream.size() / 2 - 5);
    QSerialPort port(device.devicePath());
    QVERIFY(port.open(QIODevice::ReadWrite));
    port.write(stream.left(half));
    QVERIFY(port.waitForBytesWritten(1000));
    const QImage top = ByteMatrix::pictureFrom(bytes.left(bytes.size() / 2), 32, 16, horizontal);
    QTRY_COMPARE(window.shownPicture(), top);
    QVERIFY(window.shownPicture() != source);
    port.write(stream.mid(half));
    QVERIFY(port.waitForBytesWritten(1000));
    QTRY_COMPARE(window.shownPicture(), source);
    auto *virtualProgress = window.findChild<QLabel *>(VirtualLcdNames::virtualProgress);
    QVERIFY(virtualProgress);
    QTRY_VERIFY(virtualProgress->text().startsWith("stream 1: LCD"));
    auto *virtualFaults = window.findChild<QListWidget *>(VirtualLcdNames::virtualFaults);
    QVERIFY(virtualFaults);
    QCOMPARE(virtualFaults->count(), 0);
}

void VirtualLcdWindowTest::listsFaults()
{
    VirtualPicConfig config;
    config.width = 4;
    config.height = 8;
    VirtualLcdDevice device(config);
    QString error;
    QVERIFY(device.open(&error));
    VirtualLcdWindow window(&device);
    QSerialPort port(device.devicePath());
    QVERIFY(port.open(QIODevice::ReadWrite));
    port.write("x00400000a*]01g0]ff3c");
    QVERIFY(port.waitForBytesWritten(1000));
    auto *faults = window.findChild<QListWidget *>(VirtualLcdNames::virtualFaults);
    QVERIFY(faults);
    QTRY_COMPARE(faults->count(), 2);
    QCOMPARE(faults->item(0)->text(), QStringLiteral("byte 0: data before a header: \"x\""));
    QCOMPARE(faults->item(1)->text(), QStringLiteral("byte 14: block 1: \"g\" is not a hex digit"));
    auto *progress = window.findChild<QLabel *>(VirtualLcdNames::virtualProgress);
    QVERIFY(progress);
    QTRY_VERIFY(progress->text().startsWith("stream 1: LCD, header 00400000a*, 2 blocks, 4 bytes, "));
    QVERIFY(progress->text().endsWith(", 2 faults"));
}

void VirtualLcdWindowTest::namesItsControls()
{
    VirtualLcdDevice device(VirtualPicConfig{});
    QString error;
    QVERIFY(device.open(&error));
    VirtualLcdWindow window(&device);
    window.show();
    QCOMPARE(window.windowTitle(), QStringLiteral("Virtual LCD"));
    const auto name = [](QWidget *widget) {
        return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
    };
    auto *virtualFaults = window.findChild<QListWidget *>(VirtualLcdNames::virtualFaults);
    QVERIFY(virtualFaults);
    QCOMPARE(name(virtualFaults), QStringLiteral("Faults"));
    auto *virtualPicture = window.findChild<QWidget *>(VirtualLcdNames::virtualPicture);
    QVERIFY(virtualPicture);
    QCOMPARE(name(virtualPicture), QStringLiteral("Virtual LCD picture"));
    auto *where = window.findChild<QLabel *>(VirtualLcdNames::virtualDevice);
    QVERIFY(where);
    QCOMPARE(where->text(), QStringLiteral("240x64 vertical on ") + device.devicePath());
    QCOMPARE(name(where), where->text());
}

void VirtualLcdWindowTest::pictureFitsTheWindow_data()
{
    QTest::addColumn<QSize>("lcd");
    QTest::addColumn<QSize>("window");
    QTest::addColumn<double>("scale");
    QTest::newRow("240x64, whole pixels") << QSize(240, 64) << QSize(700, 500) << 2.0;
    QTest::newRow("1024x1024, shrunk") << QSize(1024, 1024) << QSize(600, 500) << 0.0;
}

// The window fits a 1366x768 screen under a title bar and a panel,
// whatever the LCD's size; the picture shows whole in it.
void VirtualLcdWindowTest::pictureFitsTheWindow()
{
    QFETCH(QSize, lcd);
    QFETCH(QSize, window);
    QFETCH(double, scale);
    VirtualPicConfig config;
    config.width = lcd.width();
    config.height = lcd.height();
    VirtualLcdDevice device(config);
    QString error;
    QVERIFY(device.open(&error));
    VirtualLcdWindow shown(&device);
    const QSize least = shown.minimumSizeHint();
    QVERIFY2(least.width() <= 1280 && least.height() <= 680,
             qPrintable(QStringLiteral("%1x%2").arg(least.width()).arg(least.height())));
    shown.resize(window);
    shown.show();
    QVERIFY(QTest::qWaitForWindowExposed(&shown));
    auto *picture = shown.findChild<VirtualLcdPicture *>(VirtualLcdNames::virtualPicture);
    QVERIFY(picture);
    const QSize drawn = (QSizeF(lcd) * picture->scale()).toSize();
    QVERIFY(picture->contentsRect().size().expandedTo(drawn) == picture->contentsRect().size());
    if (scale > 0)
        QCOMPARE(picture->scale(), scale);
    else
        QVERIFY(picture->scale() > 0 && picture->scale() < 1);
    shown.resize(least);
    QTRY_COMPARE(shown.size(), least);
    const QStringList clipped = clippedCaptions(&shown);
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QLatin1Char('\n'))));
}

QTEST_MAIN(VirtualLcdWindowTest)
#include "tst_virtuallcdwindow.moc"
