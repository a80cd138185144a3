#include "FirmwareFixture.h"
#include "TestPicture.h"
#include "GpsimRun.h"
#include "LcdBusReplay.h"
#include "logic/virtual/ReceiverFirmware.h"
#include "logic/virtual/VirtualPic.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

// The virtual LCD and the receiver firmware read the same streams the same
// way: the same LCD memory, the same EEPROM contents, the same answer lines,
// and a fault in one is a fault in the other, for good streams and for the
// damage a line can do (a block cut short, a character that is no hex digit).
class FirmwareAgreementTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void agrees_data();
    void agrees();

private:
    QTemporaryDir m_dir;
    QString m_cod;
    QByteArray m_lcdStream;
    QByteArray m_eepromStream;
};

namespace {

// Characters `count` before the `n`th wait character (1-based) removed.
QByteArray cutShort(QByteArray stream, int n, int count)
{
    qsizetype at = -1;
    for (int i = 0; i < n; ++i)
        at = stream.indexOf(']', at + 1);
    return stream.remove(at - count, count);
}

// The pause the firmware needs after each block of `stream`.
double pauseMs(const QByteArray &stream)
{
    QString why;
    const std::optional<ReceivedHeader> header = ReceivedHeader::parse(FirmwareFixture::headerOf(stream), &why);
    return header ? ReceiverFirmware::needsPauseNs(*header) / 1e6 : 0;
}

// The `n`th digit of the picture's data replaced by `c`.
QByteArray damaged(QByteArray stream, int n, char c)
{
    stream[stream.indexOf(']') + n] = c;
    return stream;
}

} // namespace

void FirmwareAgreementTest::initTestCase()
{
    m_cod = FirmwareFixture::codFile();
    if (m_cod.isEmpty())
        QSKIP("the firmware was not assembled or gpsim is missing (./build.sh installs gputils and gpsim)");
    QVERIFY(m_dir.isValid());
    const QImage picture = framedPicture(128, 32);
    const QStringList options{"--packing", "vertical", "--buffer", "32", "--pic-delay", "5"};
    m_lcdStream = FirmwareFixture::stream(picture, options, m_dir.path());
    m_eepromStream = FirmwareFixture::stream(picture, options + QStringList{"--eeprom", "0"}, m_dir.path());
    QVERIFY(m_lcdStream.startsWith("42") && m_eepromStream.startsWith("12"));
}

void FirmwareAgreementTest::agrees_data()
{
    QTest::addColumn<QByteArray>("stream");
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<bool>("faulty");
    QTest::addColumn<double>("pause");
    const double lcdPause = pauseMs(m_lcdStream);
    QTest::newRow("LCD") << m_lcdStream << QByteArray() << false << lcdPause;
    QTest::newRow("block cut short") << cutShort(m_lcdStream, 4, 6) << QByteArray() << true << lcdPause;
    QTest::newRow("no hex digit") << damaged(m_lcdStream, 40, 'g') << QByteArray() << true << lcdPause;
    QTest::newRow("data before the header") << "zz" + m_lcdStream << QByteArray() << true << lcdPause;
    QTest::newRow("EEPROM, then &Disp Eprom") << m_eepromStream << QByteArray("*22000000a") << false
                                              << pauseMs(m_eepromStream);
}

void FirmwareAgreementTest::agrees()
{
    QFETCH(QByteArray, stream);
    QFETCH(QByteArray, request);
    QFETCH(bool, faulty);
    QFETCH(double, pause);

    VirtualPicConfig config;
    config.width = 128;
    config.height = 32;
    VirtualPic pic(config);
    QSignalSpy answers(&pic, &VirtualPic::answer);
    QSignalSpy faults(&pic, &VirtualPic::faultFound);
    pic.receive(stream, 0);
    pic.finishStream();
    pic.receive(request, 0);
    pic.finishStream();

    GpsimRun gpsim(m_cod, m_dir.path());
    gpsim.sendStream(stream, ']', pause);
    if (!request.isEmpty())
        gpsim.send(request, 1100);
    const FirmwareTrace trace = gpsim.run(request.isEmpty() ? 20 : 100);
    QVERIFY2(trace.error.isEmpty(), qPrintable(trace.error));

    QCOMPARE(!faults.isEmpty(), faulty);
    QCOMPARE(trace.faults > 0, faulty);
    const LcdBusReplay::Lcd lcd = LcdBusReplay::ks0108(trace.writes, 4);
    QVERIFY2(lcd.problem.isEmpty(), qPrintable(lcd.problem));
    if (request.isEmpty())
        QCOMPARE(lcd.memory.toHex(), pic.lcdMemory().toHex());
    QCOMPARE(trace.eeprom.toHex(), pic.eeprom().toHex());
    QByteArray answered;
    for (const QList<QVariant> &answer : std::as_const(answers))
        answered += answer.at(0).toByteArray();
    QCOMPARE(trace.answersAfterStart(), answered);
}

QTEST_GUILESS_MAIN(FirmwareAgreementTest)
#include "tst_firmware_agreement.moc"
