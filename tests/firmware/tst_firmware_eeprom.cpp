#include "FirmwareFixture.h"
#include "TestPicture.h"
#include "GpsimRun.h"
#include "LcdBusReplay.h"
#include "logic/convert/ByteMatrix.h"
#include "logic/virtual/ReceiverFirmware.h"
#include "logic/virtual/VirtualPic.h"

#include <QTemporaryDir>
#include <QTest>

// The EEPROM target in gpsim: Tavrel's EEPROM stream lands in the simulated
// 24LC256 at its start address and nowhere else; "&Disp Eprom" after a
// quiet second answers the virtual LCD's line and draws the stored picture.
class FirmwareEepromTest : public QObject
{
    Q_OBJECT
private slots:
    void storesAndShowsPicture();
};

void FirmwareEepromTest::storesAndShowsPicture()
{
    const QString cod = FirmwareFixture::codFile();
    if (cod.isEmpty())
        QSKIP("the firmware was not assembled or gpsim is missing (./build.sh installs gputils and gpsim)");
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QImage source = framedPicture(128, 64);
    constexpr int address = 1000; // blocks straddle the 64-byte pages
    const QByteArray stream = FirmwareFixture::stream(
        source, {"--packing", "vertical", "--eeprom", QString::number(address), "--buffer", "64", "--pic-delay", "5"},
        dir.path());
    QVERIFY(!stream.isEmpty());
    QString why;
    const std::optional<ReceivedHeader> header = ReceivedHeader::parse(FirmwareFixture::headerOf(stream), &why);
    QVERIFY2(header && header->isEeprom(), qPrintable(why));

    GpsimRun gpsim(cod, dir.path());
    gpsim.sendStream(stream, ']', ReceiverFirmware::needsPauseNs(*header) / 1e6);
    gpsim.send("*22000000a", 1100);
    const FirmwareTrace trace = gpsim.run(150);
    QVERIFY2(trace.error.isEmpty(), qPrintable(trace.error));

    QByteArray digits = stream.mid(stream.indexOf('*') + 1);
    digits.replace(']', QByteArray());
    const QByteArray bytes = QByteArray::fromHex(digits);
    QCOMPARE(bytes.size(), 1024);
    QCOMPARE(trace.eeprom.mid(address, bytes.size()).toHex(), bytes.toHex());
    QCOMPARE(trace.eeprom.left(address), QByteArray(address, char(0xff)));
    QCOMPARE(trace.eeprom.mid(address + bytes.size()).count(char(0xff)), trace.eeprom.size() - address - bytes.size());

    QCOMPARE(trace.answersAfterStart(), VirtualPic::eepromLine(trace.eeprom, 0));
    const LcdBusReplay::Lcd lcd = LcdBusReplay::ks0108(trace.writes, 8);
    QVERIFY2(lcd.problem.isEmpty(), qPrintable(lcd.problem));
    QCOMPARE(ByteMatrix::pictureFrom(lcd.memory, 128, 64, false).convertToFormat(QImage::Format_RGB32), source);
}

QTEST_GUILESS_MAIN(FirmwareEepromTest)
#include "tst_firmware_eeprom.moc"
