#include "FirmwareFixture.h"
#include "TestPicture.h"
#include "GpsimRun.h"
#include "LcdBusReplay.h"
#include "logic/convert/ByteMatrix.h"
#include "logic/core/AckProtocol.h"
#include "logic/virtual/ReceiverFirmware.h"
#include "logic/virtual/VirtualPic.h"

#include <QTemporaryDir>
#include <QTest>

// The EEPROM target in gpsim: Tavrel's EEPROM stream lands in the simulated
// 24LC256 at its start address and nowhere else; "&Disp Eprom" after a
// quiet second answers the virtual LCD's line and draws the stored picture.
// Asked with "!", the firmware answers the header and every block, the
// last, shorter one too (it ends by the line falling quiet).
class FirmwareEepromTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void storesAndShowsPicture();
    void answersEveryBlock();

private:
    // `stream`, asked to answer or not, paced as the firmware needs, then
    // `thenSend` after a quiet second.
    FirmwareTrace runStream(const QByteArray &stream, bool ask, const QByteArray &thenSend, double afterMs);
    // Whether the EEPROM holds the stream's `count` bytes at eepromAddress and nothing else.
    static void verifyStored(const QByteArray &eeprom, const QByteArray &stream, int count);

    static constexpr int eepromAddress = 1000; // blocks straddle the 64-byte pages
    QTemporaryDir m_dir;
    QString m_cod;
};

void FirmwareEepromTest::initTestCase()
{
    m_cod = FirmwareFixture::codFile();
    if (m_cod.isEmpty())
        QSKIP("the firmware was not assembled or gpsim is missing (./build.sh installs gputils and gpsim)");
    QVERIFY(m_dir.isValid());
}

FirmwareTrace FirmwareEepromTest::runStream(const QByteArray &stream, bool ask, const QByteArray &thenSend,
                                            double afterMs)
{
    const std::optional<ReceivedHeader> header = ReceivedHeader::parse(FirmwareFixture::headerOf(stream), nullptr);
    GpsimRun gpsim(m_cod, m_dir.path());
    gpsim.sendStream(ask ? AckProtocol::RequestChar + stream : stream, ']',
                     header ? ReceiverFirmware::needsPauseNs(*header) / 1e6 : 0);
    if (!thenSend.isEmpty())
        gpsim.send(thenSend, 1100);
    return gpsim.run(afterMs);
}

void FirmwareEepromTest::verifyStored(const QByteArray &eeprom, const QByteArray &stream, int count)
{
    QByteArray digits = stream.mid(stream.indexOf('*') + 1);
    digits.replace(']', QByteArray());
    const QByteArray bytes = QByteArray::fromHex(digits);
    QCOMPARE(bytes.size(), count);
    QCOMPARE(eeprom.mid(eepromAddress, bytes.size()).toHex(), bytes.toHex());
    QCOMPARE(eeprom.left(eepromAddress), QByteArray(eepromAddress, char(0xff)));
    QCOMPARE(eeprom.mid(eepromAddress + bytes.size()).count(char(0xff)), eeprom.size() - eepromAddress - bytes.size());
}

void FirmwareEepromTest::storesAndShowsPicture()
{
    const QImage source = framedPicture(128, 64);
    const QByteArray stream = FirmwareFixture::stream(source,
                                                      {"--packing", "vertical", "--eeprom", QString::number(eepromAddress),
                                                       "--buffer", "64", "--pic-delay", "5"},
                                                      m_dir.path());
    QVERIFY(stream.startsWith('1'));
    const FirmwareTrace trace = runStream(stream, false, "*22000000a", 150);
    QVERIFY2(trace.error.isEmpty(), qPrintable(trace.error));
    verifyStored(trace.eeprom, stream, 1024);
    if (QTest::currentTestFailed())
        return;

    QCOMPARE(trace.answersAfterStart(), VirtualPic::eepromLine(trace.eeprom, 0));
    const LcdBusReplay::Lcd lcd = LcdBusReplay::ks0108(trace.writes, 8);
    QVERIFY2(lcd.problem.isEmpty(), qPrintable(lcd.problem));
    QCOMPARE(ByteMatrix::pictureFrom(lcd.memory, 128, 64, false).convertToFormat(QImage::Format_RGB32), source);
}

void FirmwareEepromTest::answersEveryBlock()
{
    const QByteArray stream = FirmwareFixture::stream(framedPicture(240, 64),
                                                      {"--packing", "horizontal", "--eeprom",
                                                       QString::number(eepromAddress), "--buffer", "64", "--pic-delay", "5"},
                                                      m_dir.path());
    QVERIFY(stream.startsWith('1'));
    const FirmwareTrace trace = runStream(stream, true, QByteArray(), 60);
    QVERIFY2(trace.error.isEmpty(), qPrintable(trace.error));
    QCOMPARE(trace.answersAfterStart(), QByteArray(1 + stream.count(']'), AckProtocol::Ready));
    QCOMPARE(trace.faults, 0);
    verifyStored(trace.eeprom, stream, 1921); // 60 blocks of 64 digits, then one of 2
}

QTEST_GUILESS_MAIN(FirmwareEepromTest)
#include "tst_firmware_eeprom.moc"
