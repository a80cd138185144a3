#include "SerialRig.h"
#include "widgets/ui/ControlNames.h"
#include "logic/serial/CommPort.h"
#include "widgets/serial/TerminalText.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QCheckBox>
#include <QComboBox>
#include <QtTest>

#include <sys/resource.h>

namespace {
double cpuSeconds()
{
    struct rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

QString letters(int count)
{
    QString text;
    for (int i = 0; i < count; ++i)
        text.append(QChar('a' + i % 26));
    return text;
}

} // namespace

const QString openState = "Close ON #00c000 #ffffc0 #c0ffc0 applyPortButton:0 pasteAndSendButton:1 receiveTimer:1 transmitActiveLabel:1";
const QString closedState = "Open OFF #c00000 #ffffff #ffffff applyPortButton:1 pasteAndSendButton:0 receiveTimer:0 transmitActiveLabel:0";

// Port control and terminal over a real pseudo-terminal standing in for the PIC.
class SerialPortTest : public QObject
{
    Q_OBJECT
private slots:
    void openAndCloseSequences();
    void openFailures_data();
    void openFailures();
    void applyChecksItsInput_data();
    void applyChecksItsInput();
    void typedKeysAreSentNotEchoed();
    void receivedTextThroughFilter();
    void inputKeepsNewestTenThousand();
    void otherEndVanishing();
    void modemLinesOnPseudoTerminal();
    void customSettings_data();
    void customSettings();
    void devicesPickedOrTyped();
};

void SerialPortTest::openAndCloseSequences()
{
    PseudoTerminal pty;
    SerialRig rig(portsWith(pty, 2));
    auto *com2Device = rig.get<QLabel>(ControlNames::comDeviceLabel(2));
    QVERIFY(com2Device);
    QCOMPARE(com2Device->text(), pty.slavePath().mid(5)); // "pts/N"
    auto *com2Option = rig.get<QRadioButton>(ControlNames::comOption(2));
    QVERIFY(com2Option);
    QCOMPARE(com2Option->toolTip(), pty.slavePath());
    auto *com1Device = rig.get<QLabel>(ControlNames::comDeviceLabel(1));
    QVERIFY(com1Device);
    QCOMPARE(com1Device->text(), QStringLiteral("none"));
    auto *port = rig.port();
    QVERIFY(port);
    QVERIFY(!port->portOpen()); // nothing opens by itself
    auto *typing = rig.typing();
    QVERIFY(typing);
    typing->setPlainText(QStringLiteral("typed"));
    com2Option->click();
    auto *settings = rig.get<QListWidget>(ControlNames::portSettingsList);
    QVERIFY(settings);
    settings->setCurrentRow(3); // chosen while closed: used by the next open
    auto *portSettingLabel = rig.get<QLabel>(ControlNames::portSettingLabel);
    QVERIFY(portSettingLabel);
    QCOMPARE(portSettingLabel->text(), QStringLiteral("2400,n,8,1"));
    for (int round = 0; round < 2; ++round) { // twice: closing really lets the device go
        rig.clickOpenClose();
        QVERIFY(port->portOpen());
        QCOMPARE(port->commPort(), 2);
        QCOMPARE(pty.slaveBaudRate(), 2400);
        auto *input = rig.input();
        QVERIFY(input);
        QCOMPARE(input->toPlainText(), QStringLiteral("Waiting....."));
        QCOMPARE(rig.state(), openState);
        QCOMPARE(rig.recorder.beeps, 2 * round + 1);
        rig.clickOpenClose();
        QVERIFY(!port->portOpen());
        QCOMPARE(input->toPlainText(), QStringLiteral("Serial Input from PIC"));
        QCOMPARE(typing->toPlainText(), QString());
        QCOMPARE(rig.state(), closedState);
        QCOMPARE(rig.recorder.beeps, 2 * round + 2);
    }
    rig.clickOpenClose();
    settings->setCurrentRow(1); // chosen while open: the line changes at once
    QCOMPARE(pty.slaveBaudRate(), 9600);
    QCOMPARE(portSettingLabel->text(), QStringLiteral("9600,n,8,1"));
    QVERIFY(rig.recorder.messages.isEmpty());
    rig.window.exitProgram(); // E&xit lets go of the device and its lock
    QVERIFY(!port->portOpen());
    QSerialPort next(pty.slavePath());
    QVERIFY2(next.open(QIODevice::ReadWrite), qPrintable(next.errorString()));
}

void SerialPortTest::openFailures_data()
{
    QTest::addColumn<int>("option");
    QTest::addColumn<QString>("device");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing device") << 2 << "/nonexistent/ttyUSB9"
                                    << "Error! Cannot Open Comm:3\n/nonexistent/ttyUSB9 does not exist";
    QTest::newRow("no device at all") << 3 << "" << "Error! Cannot Open Comm:4\nNo device is assigned to Com4";
    // Not "Inappropriate ioctl for device": what the user picked is no serial line.
    QTest::newRow("device that is no terminal") << 1 << "/dev/null" << "Error! Cannot Open Comm:2\n/dev/null is not a serial device.";
    QTest::newRow("folder") << 3 << "/tmp" << "Error! Cannot Open Comm:4\n/tmp is not a serial device.";
}

void SerialPortTest::openFailures()
{
    QFETCH(int, option);
    QFETCH(QString, device);
    QFETCH(QString, message);
    PseudoTerminal pty;
    PortAssignments ports = portsWith(pty);
    ports.setDevice(option + 1, device);
    SerialRig rig(ports);
    auto *radioButton = rig.get<QRadioButton>(ControlNames::comOption(option + 1));
    QVERIFY(radioButton);
    radioButton->click();
    rig.clickOpenClose();
    QCOMPARE(rig.recorder.messages.size(), 1);
    QVERIFY2(rig.recorder.messages.first().startsWith(message), qPrintable(rig.recorder.messages.first()));
    auto *port = rig.port();
    QVERIFY(port);
    QCOMPARE(port->commPort(), option + 1);
    // The steps before the failure stay done, the rest never happened.
    auto *input = rig.input();
    QVERIFY(input);
    QCOMPARE(input->toPlainText(), QStringLiteral("Waiting....."));
    QCOMPARE(rig.state(), QString(closedState).replace("applyPortButton:1", "applyPortButton:0"));
    // The user picks the right port and simply presses Open again.
    auto *com1Option = rig.get<QRadioButton>(ControlNames::comOption(1));
    QVERIFY(com1Option);
    com1Option->click();
    rig.clickOpenClose();
    QVERIFY(port->portOpen());
}

void SerialPortTest::applyChecksItsInput_data()
{
    QTest::addColumn<QString>("buffer");
    QTest::addColumn<int>("handshake");
    QTest::addColumn<bool>("applied");
    QTest::newRow("largest, XoXoff") << "32767" << 1 << true;
    QTest::newRow("no handshake chosen") << "1024" << -1 << false;
    for (const char *bad : {"0", "32768", "-5", "12.5", "lots", ""})
        QTest::newRow(*bad ? bad : "empty") << QString::fromLatin1(bad) << 1 << false;
}

void SerialPortTest::applyChecksItsInput()
{
    QFETCH(QString, buffer);
    QFETCH(int, handshake);
    QFETCH(bool, applied);
    PseudoTerminal pty;
    SerialRig rig(portsWith(pty));
    auto *outBufferBox = rig.get<QLineEdit>(ControlNames::comOutBufferBox);
    QVERIFY(outBufferBox);
    outBufferBox->setText(buffer);
    auto *proto = rig.get<QListWidget>(ControlNames::handshakeList);
    QVERIFY(proto);
    proto->setCurrentRow(handshake);
    auto *applyPortButton = rig.get<QPushButton>(ControlNames::applyPortButton);
    QVERIFY(applyPortButton);
    applyPortButton->click();
    QCOMPARE(rig.recorder.messages.isEmpty(), applied);
    auto *port = rig.port();
    QVERIFY(port);
    QCOMPARE(port->outBufferSize(), applied ? buffer.toInt() : 512);
    QCOMPARE(port->handshaking(), applied ? handshake : int(CommPort::HandshakeOff));
    rig.clickOpenClose(); // used by the next open
    QCOMPARE(port->serialPort()->flowControl(),
             applied ? QSerialPort::SoftwareControl : QSerialPort::NoFlowControl);
}

void SerialPortTest::typedKeysAreSentNotEchoed()
{
    PseudoTerminal pty;
    SerialRig rig(portsWith(pty));
    QPlainTextEdit *typing = rig.typing();
    QVERIFY(typing);
    QTest::keyClick(typing, Qt::Key_Q);
    QCOMPARE(rig.sent(pty), QByteArray()); // closed: nothing goes out
    rig.clickOpenClose();
    QTest::keyClick(typing, Qt::Key_X);
    QCOMPARE(rig.sent(pty), QByteArray("x"));
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Shift, Qt::Key_Left, Qt::Key_Backspace})
        QTest::keyClick(typing, key);
    const int beeps = rig.recorder.beeps;
    for (QChar c : QStringLiteral("A\u00E9\u20ACz"))
        pressKey(typing, c);
    QCOMPARE(rig.sent(pty), QByteArray("\r\bA\xE9z"));
    // The keys still edit transmitWindow as usual; the euro sign has no byte: a beep, and it does not show.
    QCOMPARE(typing->toPlainText(), QStringLiteral("qA\u00E9z\n"));
    QCOMPARE(rig.recorder.beeps, beeps + 1);
    QTest::qWait(120);
    auto *input = rig.input();
    QVERIFY(input);
    QCOMPARE(input->toPlainText(), QStringLiteral("Waiting.....")); // no echo
}

void SerialPortTest::receivedTextThroughFilter()
{
    PseudoTerminal pty;
    SerialRig rig(portsWith(pty));
    QPlainTextEdit *input = rig.input();
    QVERIFY(input);
    rig.clickOpenClose();
    QTest::qWait(120); // ticks with nothing received leave the placeholder
    QCOMPARE(input->toPlainText(), QStringLiteral("Waiting....."));
    QVERIFY(pty.write("ab\r"));
    QTRY_COMPARE(input->toPlainText(), QStringLiteral("ab\n")); // CR LF shows as one line break
    QVERIFY(pty.write("\ncd\ne\xE9")); // the LF of that CR in the next tick, a lone LF, a Latin-1 byte
    QTRY_COMPARE(input->toPlainText(), QStringLiteral("ab\ncde\u00E9"));
    QCOMPARE(input->blockCount(), 2);
    // What came after the last tick still shows when the port closes.
    auto *receiveTimer = rig.get<QTimer>(ControlNames::receiveTimer);
    QVERIFY(receiveTimer);
    receiveTimer->stop();
    QVERIFY(pty.write("\rlate"));
    auto *port2 = rig.port();
    QVERIFY(port2);
    QTRY_COMPARE(port2->serialPort()->bytesAvailable(), 5);
    rig.clickOpenClose();
    QCOMPARE(input->toPlainText(), QStringLiteral("ab\ncde\u00E9\nlate"));
    rig.clickOpenClose(); // a new session starts with nothing left over
    QTest::qWait(120);
    QCOMPARE(input->toPlainText(), QStringLiteral("Waiting....."));
}

// The window keeps exactly its newest 10000 characters, a line break counting one.
void SerialPortTest::inputKeepsNewestTenThousand()
{
    PseudoTerminal pty;
    SerialRig rig(portsWith(pty));
    QPlainTextEdit *input = rig.input();
    QVERIFY(input);
    rig.clickOpenClose();
    const QString nines = QString("123456789\n").repeated(999);
    QVERIFY(feed(pty, QByteArray("123456789\r").repeated(999)));
    QTRY_COMPARE(TerminalText::length(input), 9990);
    // The arrival that crosses the bound keeps all of itself.
    QVERIFY(pty.write("0123456789ABCDEFGHIJ"));
    QTRY_COMPARE(input->toPlainText(), nines.mid(10) + QStringLiteral("0123456789ABCDEFGHIJ"));
    // More than the window holds: 10000 "A" then 6000 "B" lines leave the newest 5000 "B" lines.
    QVERIFY(feed(pty, QByteArray(10000, 'A') + QByteArray("B\r").repeated(6000)));
    QTRY_COMPARE(input->toPlainText(), QString("B\n").repeated(5000));
    // Text put into the window by other means obeys the same bound.
    input->setPlainText(letters(12000));
    QTRY_COMPARE(input->toPlainText(), letters(12000).right(10000));
}

void SerialPortTest::otherEndVanishing()
{
    PseudoTerminal pty;
    SerialRig rig(portsWith(pty));
    rig.clickOpenClose();
    QVERIFY(pty.write("hello"));
    auto *input = rig.input();
    QVERIFY(input);
    QTRY_COMPARE(input->toPlainText(), QStringLiteral("hello"));
    // The last words before the line dropped, not yet shown by a tick.
    auto *receiveTimer = rig.get<QTimer>(ControlNames::receiveTimer);
    QVERIFY(receiveTimer);
    receiveTimer->stop();
    QVERIFY(pty.write(" bye"));
    auto *port = rig.port();
    QVERIFY(port);
    QTRY_COMPARE(port->serialPort()->bytesAvailable(), 4);
    pty.closeMaster();
    QTRY_VERIFY(!port->portOpen());
    QCOMPARE(rig.state(), closedState);
    QCOMPARE(input->toPlainText(), QStringLiteral("hello bye"));
    QCOMPARE(rig.recorder.messages.size(), 1);
    QVERIFY(rig.recorder.messages.first().contains(QStringLiteral("disconnected")));
    QVERIFY(rig.recorder.messages.first().contains(pty.slavePath()));
    // No busy loop afterwards: 300 ms of waiting costs next to no CPU.
    const double before = cpuSeconds();
    QTest::qWait(300);
    const double spent = cpuSeconds() - before;
    QVERIFY2(spent < 0.1, qPrintable(QStringLiteral("%1 s CPU in 300 ms").arg(spent)));
    QCOMPARE(rig.recorder.messages.size(), 1);
}

// A pseudo-terminal has no modem lines: setting DTR or RTS fails with a
// message naming the device, the box goes back, the port stays open.
void SerialPortTest::modemLinesOnPseudoTerminal()
{
    PseudoTerminal pty;
    SerialRig rig(portsWith(pty));
    auto *dtr = rig.get<QCheckBox>(ControlNames::dtrCheck);
    QVERIFY(dtr);
    auto *rts = rig.get<QCheckBox>(ControlNames::rtsCheck);
    QVERIFY(rts);
    auto *breakButton = rig.get<QPushButton>(ControlNames::breakButton);
    QVERIFY(breakButton);
    QVERIFY(!dtr->isEnabled() && !rts->isEnabled() && !breakButton->isEnabled()); // closed
    auto *port = rig.port();
    QVERIFY(port);
    QVERIFY(!port->setDataTerminalReady(true));
    QVERIFY(port->errorString().contains("Open the port"));
    rig.clickOpenClose();
    QVERIFY(dtr->isChecked() && rts->isChecked()); // raised as the port opened
    for (QCheckBox *line : {dtr, rts}) {
        line->toggle(); // as an assistive tool's Toggle action does
        QCOMPARE(rig.recorder.messages.size(), 1);
        const QString message = rig.recorder.messages.takeFirst();
        QVERIFY2(message.contains(pty.slavePath()) && message.contains(line->text()), qPrintable(message));
        QVERIFY(line->isChecked());
        QVERIFY(port->portOpen());
    }
    // Break reaches a pseudo-terminal without complaint and ends by itself.
    breakButton->click();
    QTest::qWait(300);
    QVERIFY(rig.recorder.messages.isEmpty());
    QVERIFY(pty.write("still here"));
    auto *input = rig.input();
    QVERIFY(input);
    QTRY_COMPARE(input->toPlainText(), QStringLiteral("still here"));
    rig.clickOpenClose();
    QVERIFY(!dtr->isEnabled() && !dtr->isChecked());
}

void SerialPortTest::customSettings_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("open");
    QTest::addColumn<QString>("label");   // portSettingLabel afterwards
    QTest::addColumn<int>("rows");        // portSettingsList's items afterwards
    QTest::addColumn<QString>("message"); // part of the one message, empty: none
    QTest::newRow("new rate, closed") << " 250000,N,8,1 " << false << "250000,n,8,1" << 9 << "";
    QTest::newRow("listed rate, open") << "115200,n,8,1" << true << "115200,n,8,1" << 8 << "";
    // A pseudo-terminal refuses parity: the line keeps its setting.
    QTest::newRow("parity, open") << "9600,e,7,1" << true << "19200,n,8,1" << 9 << "refuses 9600,e,7,1";
    // Refused by the driver or taken without a word and found by reading back: each names the part.
    // Which of the two a pseudo-terminal does with parity varies between runs here.
    QTest::newRow("odd parity, open") << "38400,o,8,2" << true << "19200,n,8,1" << 9
                                      << "refuses 38400,o,8,2: the line ";
    QTest::newRow("space, 6 bits, open") << "9600,s,6,2" << true << "19200,n,8,1" << 9
                                         << "refuses 9600,s,6,2: the line takes no 6 data bits";
    QTest::newRow("mark, 5 bits, open") << "300,m,5,1.5" << true << "19200,n,8,1" << 9
                                        << "refuses 300,m,5,1.5: the line ";
    QTest::newRow("two stop bits, open") << "115200,n,8,2" << true << "115200,n,8,2" << 9 << "";
    QTest::newRow("not a setting") << "fast" << false << "19200,n,8,1" << 8 << "\"fast\" is not a line setting";
}

void SerialPortTest::customSettings()
{
    QFETCH(QString, typed);
    QFETCH(bool, open);
    QFETCH(QString, message);
    PseudoTerminal pty;
    SerialRig rig(portsWith(pty));
    if (open)
        rig.clickOpenClose();
    auto *custom = rig.get<QLineEdit>(ControlNames::customSettingBox);
    QVERIFY(custom);
    custom->setText(typed);
    QTest::keyClick(custom, Qt::Key_Return);
    auto *portSettingLabel = rig.get<QLabel>(ControlNames::portSettingLabel);
    QVERIFY(portSettingLabel);
    QTEST(portSettingLabel->text(), "label");
    auto *portSettingsList = rig.get<QListWidget>(ControlNames::portSettingsList);
    QVERIFY(portSettingsList);
    QTEST(portSettingsList->count(), "rows");
    QCOMPARE(rig.recorder.messages.size(), message.isEmpty() ? 0 : 1);
    if (!message.isEmpty())
        QVERIFY2(rig.recorder.messages.first().contains(message), qPrintable(rig.recorder.messages.first()));
    if (open && message.isEmpty())
        QCOMPARE(pty.slaveBaudRate(), 115200);
    if (open && !message.isEmpty()) // the line kept its setting whole
        QCOMPARE(rig.port()->serialPort()->stopBits(), QSerialPort::OneStop);
    if (!open && message.isEmpty()) { // used by the next open
        rig.clickOpenClose();
        auto *port = rig.port();
        QVERIFY(port);
        QVERIFY(port->portOpen());
        QCOMPARE(port->serialPort()->baudRate(), 250000);
    }
}

// Com2 has no device at start: a typed path gives it one, and the box
// follows the chosen option. While the port is open the device stays put.
void SerialPortTest::devicesPickedOrTyped()
{
    PseudoTerminal pty;
    SerialRig rig(PortAssignments{});
    auto *device = rig.get<QComboBox>(ControlNames::deviceBox);
    QVERIFY(device);
    auto *com2Option = rig.get<QRadioButton>(ControlNames::comOption(2));
    QVERIFY(com2Option);
    com2Option->click();
    QCOMPARE(device->currentText(), QString());
    device->lineEdit()->setText(pty.slavePath());
    QTest::keyClick(device->lineEdit(), Qt::Key_Return);
    auto *com2Device = rig.get<QLabel>(ControlNames::comDeviceLabel(2));
    QVERIFY(com2Device);
    QCOMPARE(com2Device->text(), pty.slavePath().mid(5));
    QCOMPARE(com2Option->toolTip(), pty.slavePath());
    auto *com1Option = rig.get<QRadioButton>(ControlNames::comOption(1));
    QVERIFY(com1Option);
    com1Option->click();
    QCOMPARE(device->currentText(), QString());
    com2Option->click();
    QCOMPARE(device->currentText(), pty.slavePath());
    rig.clickOpenClose();
    auto *port = rig.port();
    QVERIFY(port);
    QVERIFY(port->portOpen());
    auto *refreshButton = rig.get<QPushButton>(ControlNames::refreshDevicesButton);
    QVERIFY(refreshButton);
    QVERIFY(!device->isEnabled() && !refreshButton->isEnabled());
    rig.clickOpenClose();
    QVERIFY(device->isEnabled());
    // The list is what the system offers now; refreshing keeps what the box shows.
    device->lineEdit()->setText(QStringLiteral("/dev/typing"));
    refreshButton->click();
    QCOMPARE(device->currentText(), QStringLiteral("/dev/typing"));
    QVERIFY(rig.recorder.messages.isEmpty());
}

QTEST_MAIN(SerialPortTest)
#include "tst_serialport.moc"
