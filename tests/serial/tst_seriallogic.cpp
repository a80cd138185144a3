#include "logic/serial/CommPort.h"
#include "logic/serial/SerialLineFormat.h"
#include "logic/serial/PortAssignments.h"
#include "logic/serial/SerialDevices.h"

#include <QCommandLineParser>
#include <QDir>
#include <QtTest>

// The serial link's logic without a window: settings strings and which
// device each Com option opens.
class SerialLogicTest : public QObject
{
    Q_OBJECT
private slots:
    void settingsStrings_data();
    void settingsStrings();
    void portAssignments();
    void devicesWithByIdNames();
};

void SerialLogicTest::settingsStrings_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("canonical"); // empty: refused
    QTest::newRow("list default") << "19200,n,8,1" << "19200,n,8,1";
    QTest::newRow("even 7 bits 2 stops") << "9600,e,7,2" << "9600,e,7,2";
    QTest::newRow("mark 5 bits 1.5 stops") << "300,m,5,1.5" << "300,m,5,1.5";
    QTest::newRow("blanks, upper case") << " 115200 , S , 6 , 1 " << "115200,s,6,1";
    for (const char *bad : {"", "19200,n,8", "19200,n,8,1,1", "fast,n,8,1", "0,n,8,1", "+9600,n,8,1",
                            "19200,x,8,1", "19200,n,9,1", "19200,n,8,3", "19200;n;8;1"})
        QTest::newRow(*bad ? bad : "empty") << QString::fromLatin1(bad) << QString();
}

void SerialLogicTest::settingsStrings()
{
    QFETCH(QString, text);
    QFETCH(QString, canonical);
    const std::optional<SerialLineFormat> parsed = SerialLineFormat::parse(text);
    QCOMPARE(parsed.has_value(), !canonical.isEmpty());
    CommPort port(PortAssignments{});
    QVERIFY(port.setSettings(QStringLiteral("4800,o,8,1")));
    QCOMPARE(port.setSettings(text), parsed.has_value());
    if (parsed) {
        QCOMPARE(parsed->toString(), canonical);
        QCOMPARE(port.settings(), canonical);
    } else { // refused, never ignored: the port keeps what it had and says why
        QCOMPARE(port.settings(), QStringLiteral("4800,o,8,1"));
        QVERIFY(port.errorString().contains(QStringLiteral("19200,n,8,1")));
    }
}

void SerialLogicTest::portAssignments()
{
    // USB and ACM adapters first, then the others; numbers sort as numbers.
    PortAssignments ports = PortAssignments::fromDevices(
        {"/dev/ttyS1", "/dev/ttyUSB10", "/dev/ttyS0", "/dev/ttyACM0", "/dev/ttyUSB2", "/dev/ttyAMA0"});
    QCOMPARE(QStringList({ports.device(1), ports.device(2), ports.device(3), ports.device(4)}),
             QStringList({"/dev/ttyACM0", "/dev/ttyUSB2", "/dev/ttyUSB10", "/dev/ttyAMA0"}));

    QCommandLineParser parser;
    const QCommandLineOption com = PortAssignments::commandLineOption();
    parser.addOption(com);
    QVERIFY(parser.parse({"tavrel", "--com", "3=/dev/pts/7", "--com=1=/dev/odd device", "--com", "3=/dev/pts/9"}));
    QString error;
    QVERIFY(ports.applyOverrides(parser.values(com), &error));
    QCOMPARE(ports.device(1), QStringLiteral("/dev/odd device"));
    QCOMPARE(ports.device(3), QStringLiteral("/dev/pts/9")); // the last one given wins
    QCOMPARE(ports.shortName(3), QStringLiteral("pts/9"));
    QCOMPARE(ports.shortName(2), QStringLiteral("ttyUSB2"));
    // A relative path starts in the working directory like any file's, not in /dev.
    ports.setDevice(4, QStringLiteral("lcd/port"));
    QCOMPARE(ports.device(4), QDir::current().absoluteFilePath(QStringLiteral("lcd/port")));

    // A malformed value changes nothing, not even the good values before it.
    for (const char *bad : {"5=/dev/x", "0=/dev/x", "1", "1=", "/dev/ttyUSB0", "12=/dev/x"}) {
        PortAssignments few = PortAssignments::fromDevices({"/dev/ttyS0"});
        QVERIFY(!few.applyOverrides({QStringLiteral("2=/dev/pts/1"), QLatin1String(bad)}, &error));
        QVERIFY(error.contains(QLatin1String(bad)));
        QVERIFY(few.device(2).isEmpty());
        QCOMPARE(few.shortName(2), QStringLiteral("none"));
    }
    QVERIFY(CommPort::openFailureReason("/dev/ttyUSB0", QSerialPort::PermissionError, "Permission denied",
                                        CommPort::DeviceProblem::AccessDenied)
                .contains(QStringLiteral("dialout")));
}

// udev's by-id links name the adapters; devices only reached through a link are listed too.
void SerialLogicTest::devicesWithByIdNames()
{
    QTemporaryDir dev;
    QVERIFY(dev.isValid());
    const QString root = QDir(dev.path()).canonicalPath();
    for (const char *node : {"ttyS0", "ttyUSB10", "ttyUSB2", "ttyACM0"}) {
        QFile file(root + '/' + node);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QVERIFY(QDir(root).mkdir("by-id"));
    QVERIFY(QFile::link("../ttyUSB2", root + "/by-id/usb-FTDI_FT232R_A50285BI-if00-port0"));
    QVERIFY(QFile::link("../ttyACM0", root + "/by-id/usb-Microchip_PICkit-if00"));
    QVERIFY(QFile::link("../gone", root + "/by-id/usb-unplugged"));
    const QList<SerialDevice> devices =
        SerialDevices::describe({root + "/ttyS0", root + "/ttyUSB10", root + "/ttyUSB2"}, root + "/by-id");
    QStringList labels;
    for (const SerialDevice &device : devices)
        labels << device.label().replace(root, "D");
    QCOMPARE(labels, QStringList({"D/ttyACM0 (usb-Microchip_PICkit-if00)", "D/ttyUSB2 (usb-FTDI_FT232R_A50285BI-if00-port0)",
                                  "D/ttyUSB10", "D/ttyS0"}));
    QCOMPARE(devices.at(1).path, root + "/ttyUSB2");
    QVERIFY(SerialDevices::describe({}, root + "/none").isEmpty());
}

QTEST_MAIN(SerialLogicTest)
#include "tst_seriallogic.moc"
