#include "FirmwareFixture.h"
#include "TestPicture.h"
#include "GpsimRun.h"
#include "LcdBusReplay.h"
#include "logic/convert/ByteMatrix.h"
#include "logic/core/AckProtocol.h"
#include "logic/virtual/ReceiverFirmware.h"

#include <QTemporaryDir>
#include <QTest>

// The receiver firmware in gpsim, fed Tavrel's own stream with the pauses
// the virtual LCD's --firmware preset asks for: the LCD controller's memory,
// replayed from the firmware's port writes, shows the converted picture, and
// the firmware is never busy after a block for longer than the preset
// reckons. Asked with "!", it answers the header and every block, and a
// block it refuses is written where the next one lands.
class FirmwareLcdTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void drawsPicture_data();
    void drawsPicture();

private:
    QTemporaryDir m_dir;
    QString m_cod;
};

namespace {

// The stream with its `n`th block (1-based) sent once before it with its
// third and fourth digits replaced by `damage`.
QByteArray withBlockDamagedFirst(const QByteArray &stream, int n, const QByteArray &damage)
{
    qsizetype at = -1;
    for (int i = 0; i < n; ++i)
        at = stream.indexOf(']', at + 1);
    const QByteArray block = stream.mid(at, stream.indexOf(']', at + 1) - at);
    return stream.left(at) + QByteArray(block).replace(3, 2, damage) + stream.mid(at);
}

// A block that ends by quiet is answered three characters' time later.
constexpr double quietEndMs = 2;

} // namespace

void FirmwareLcdTest::initTestCase()
{
    m_cod = FirmwareFixture::codFile();
    if (m_cod.isEmpty())
        QSKIP("the firmware was not assembled or gpsim is missing (./build.sh installs gputils and gpsim)");
    QVERIFY(m_dir.isValid());
}

void FirmwareLcdTest::drawsPicture_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("horizontal");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<bool>("acknowledged");
    QTest::addColumn<int>("refusedBlock"); // 0: none
    QTest::addColumn<QByteArray>("damage");
    const QStringList ks0108{"--buffer", "32", "--pic-delay", "5"};
    const QStringList t6963c{"--buffer", "64", "--pic-delay", "10"};
    const QSize ks(128, 64), t6(240, 64);
    QTest::newRow("KS0108 128x64") << ks << false << ks0108 << false << 0 << QByteArray();
    QTest::newRow("T6963C 240x64") << t6 << true << t6963c << false << 0 << QByteArray();
    QTest::newRow("KS0108 128x64, acknowledged") << ks << false << ks0108 << true << 0 << QByteArray();
    QTest::newRow("T6963C 240x64, acknowledged") << t6 << true << t6963c << true << 0 << QByteArray();
    QTest::newRow("block with no hex digit refused") << ks << false << ks0108 << true << 5 << QByteArray("g0");
    // two digits lost: the block ends by quiet, yet on a byte
    QTest::newRow("block cut short refused") << ks << false << ks0108 << true << 5 << QByteArray();
}

void FirmwareLcdTest::drawsPicture()
{
    QFETCH(QSize, size);
    QFETCH(bool, horizontal);
    QFETCH(QStringList, options);
    QFETCH(bool, acknowledged);
    QFETCH(int, refusedBlock);
    QFETCH(QByteArray, damage);
    const QImage source = framedPicture(size.width(), size.height());
    options << "--packing" << (horizontal ? "horizontal" : "vertical");
    QByteArray stream = FirmwareFixture::stream(source, options, m_dir.path());
    QVERIFY(!stream.isEmpty());
    QString why;
    const std::optional<ReceivedHeader> header = ReceivedHeader::parse(FirmwareFixture::headerOf(stream), &why);
    QVERIFY2(header, qPrintable(why));
    const double pauseMs = ReceiverFirmware::needsPauseNs(*header) / 1e6 + (refusedBlock ? quietEndMs : 0);
    QByteArray answers; // after the start-up line
    if (acknowledged) {
        if (refusedBlock)
            stream = withBlockDamagedFirst(stream, refusedBlock, damage);
        stream.prepend(AckProtocol::RequestChar);
        answers.fill(AckProtocol::Ready, 1 + stream.count(']'));
        if (refusedBlock)
            answers[refusedBlock] = AckProtocol::Refused;
    }

    GpsimRun gpsim(m_cod, m_dir.path());
    gpsim.sendStream(stream, ']', pauseMs);
    const FirmwareTrace trace = gpsim.run();
    QVERIFY2(trace.error.isEmpty(), qPrintable(trace.error));
    QCOMPARE(trace.answers.toHex(), (QByteArray("Tavrel receiver ready\r\n") + answers).toHex());
    QCOMPARE(trace.faults, refusedBlock ? 1 : 0);

    const int row = ByteMatrix::bytesPerRow(size.width());
    const LcdBusReplay::Lcd lcd = horizontal ? LcdBusReplay::t6963c(trace.writes, row, row * size.height())
                                             : LcdBusReplay::ks0108(trace.writes, ByteMatrix::pageCount(size.height()));
    QVERIFY2(lcd.problem.isEmpty(), qPrintable(lcd.problem));
    const QImage shown = ByteMatrix::pictureFrom(lcd.memory, size.width(), size.height(), horizontal);
    QCOMPARE(shown.convertToFormat(QImage::Format_RGB32), source);

    const QVector<qint64> spans = trace.busySpans();
    QCOMPARE(spans.size(), int(stream.count(']')));
    for (const qint64 span : spans)
        QVERIFY2(span * GpsimRun::nsPerCycle < ReceiverFirmware::busyNs(*header),
                 qPrintable(QStringLiteral("busy %1 ms after a block").arg(span / double(GpsimRun::cyclesPerMs))));
}

QTEST_GUILESS_MAIN(FirmwareLcdTest)
#include "tst_firmware_lcd.moc"
