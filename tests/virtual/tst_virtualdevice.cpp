#include "logic/virtual/VirtualLcdDevice.h"
#include "logic/virtual/VirtualPic.h"

#include <QFileInfo>
#include <QSerialPort>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {

VirtualPicConfig small()
{
    VirtualPicConfig config;
    config.width = 4;
    config.height = 8;
    config.quietNs = 300000000; // 0.3 s keeps the test short
    return config;
}

bool openPort(QSerialPort &port, const QString &path)
{
    port.setPortName(path);
    return port.open(QIODevice::ReadWrite) && port.setBaudRate(19200);
}

bool sendAll(QSerialPort &port, const QByteArray &bytes)
{
    port.write(bytes);
    while (port.bytesToWrite() > 0)
        if (!port.waitForBytesWritten(1000))
            return false;
    return true;
}

} // namespace

// The virtual PIC on a real pseudo-terminal, fed through QSerialPort as the
// program's own sender feeds it.
class VirtualDeviceTest : public QObject
{
    Q_OBJECT
private slots:
    void linksAndUnlinks();
    void refusesToReplaceAFile();
    void survivesTheSenderReopening();
    void answersOnTheLine();
    void stampsArrival();
    void quietEndsAStream();
};

void VirtualDeviceTest::linksAndUnlinks()
{
    QTemporaryDir dir;
    const QString link = dir.filePath("ttyLCD");
    QVERIFY(QFile::link("/nonexistent", link)); // a stale link from an earlier run is replaced
    {
        VirtualLcdDevice device(small());
        QString error;
        QVERIFY2(device.open(&error), qPrintable(error));
        QVERIFY(device.devicePath().startsWith("/dev/pts/"));
        QVERIFY2(device.makeLink(link, &error), qPrintable(error));
        QCOMPARE(QFileInfo(link).symLinkTarget(), device.devicePath());
        QSerialPort port;
        QVERIFY(openPort(port, link));
    }
    QVERIFY(!QFileInfo(link).isSymLink());
}

void VirtualDeviceTest::refusesToReplaceAFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("notes.txt");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    VirtualLcdDevice device(small());
    QString error;
    QVERIFY(device.open(&error));
    QVERIFY(!device.makeLink(path, &error));
    QCOMPARE(error, path + " exists and is not a symbolic link");
    QVERIFY(QFileInfo(path).isFile());
}

// A sender opens the port for each stream and closes it after; the device
// must keep reading across the gap.
void VirtualDeviceTest::survivesTheSenderReopening()
{
    VirtualLcdDevice device(small());
    QString error;
    QVERIFY(device.open(&error));
    QSignalSpy ended(device.pic(), &VirtualPic::streamEnded);
    const QList<QByteArray> streams = {"00400000a*]0180]ff3c", "00400000a*]1122]3344", "00400000a*]5566]7788"};
    for (const QByteArray &stream : streams) {
        QSerialPort port;
        QVERIFY(openPort(port, device.devicePath()));
        QVERIFY(sendAll(port, stream));
        port.close();
        QTRY_COMPARE(device.pic()->streamCount(), int(&stream - streams.data()) + 1);
    }
    QCOMPARE(device.pic()->lcdMemory(), QByteArray::fromHex("55667788"));
    QVERIFY(device.pic()->allStreamsClean());
    QCOMPARE(ended.size(), 3);
}

void VirtualDeviceTest::answersOnTheLine()
{
    VirtualLcdDevice device(small());
    QString error;
    QVERIFY(device.open(&error));
    QSerialPort port;
    QVERIFY(openPort(port, device.devicePath()));
    QVERIFY(sendAll(port, "1040000014*]a0a1]a2a3"));
    QTRY_COMPARE(device.pic()->streamCount(), 1); // an EEPROM stream ends when the line is quiet
    QVERIFY(sendAll(port, "*22000000a"));
    QByteArray answer;
    // The device answers from this thread's event loop: no blocking waits here.
    QTRY_VERIFY((answer += port.readAll()).endsWith('\n'));
    QCOMPARE(answer, QByteArray("EEPROM 0000: a0 a1 a2 a3 ff ff ff ff ff ff ff ff ff ff ff ff\r\n"));
}

// Pauses are measured from the arrival stamps of the reader thread, not from
// when the parsing thread got round to the bytes.
void VirtualDeviceTest::stampsArrival()
{
    VirtualLcdDevice device(small());
    QString error;
    QVERIFY(device.open(&error));
    QSignalSpy ended(device.pic(), &VirtualPic::streamEnded);
    QSerialPort port;
    QVERIFY(openPort(port, device.devicePath()));
    QVERIFY(sendAll(port, "00400000a*]0180"));
    QThread::msleep(50); // the parsing thread sleeps too: both blocks are parsed together after it
    QVERIFY(sendAll(port, "]ff3c"));
    QVERIFY(ended.wait(2000));
    const auto summary = ended.first().first().value<VirtualStreamSummary>();
    QCOMPARE(summary.pausesNs.size(), 1);
    // Wide bounds: a busy machine may hand either block over late.
    const qint64 pause = summary.pausesNs.first();
    QVERIFY2(pause >= 25000000 && pause < 500000000, qPrintable(QString::number(pause)));
}

void VirtualDeviceTest::quietEndsAStream()
{
    VirtualLcdDevice device(small());
    QString error;
    QVERIFY(device.open(&error));
    QSignalSpy ended(device.pic(), &VirtualPic::streamEnded);
    QSerialPort port;
    QVERIFY(openPort(port, device.devicePath()));
    QElapsedTimer clock;
    clock.start();
    QVERIFY(sendAll(port, "00400000a*]0180]ff"));
    QVERIFY(ended.wait(2000));
    QVERIFY2(clock.elapsed() >= 290, qPrintable(QString::number(clock.elapsed())));
    const auto summary = ended.first().first().value<VirtualStreamSummary>();
    QCOMPARE(summary.faults.size(), 1);
    QCOMPARE(summary.faults.first().text(), QStringLiteral("byte 18: the stream ends in the middle of block 2, after "
                                                           "2 of 4 characters"));
}

QTEST_GUILESS_MAIN(VirtualDeviceTest)
#include "tst_virtualdevice.moc"
