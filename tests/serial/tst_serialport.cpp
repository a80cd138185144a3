#include "FormLookup.h"
#include "MessageRecorder.h"
#include "PseudoTerminal.h"
#include "ui/ControlFactory.h"
#include "app/MainWindow.h"
#include "serial/CommPort.h"
#include "serial/PortAssignments.h"
#include "serial/TerminalText.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

#include <sys/resource.h>

namespace {
// Only the pseudo-terminal is assigned: no test reaches a real system port.
PortAssignments portsWith(const PseudoTerminal &pty, int number = 1)
{
    PortAssignments ports;
    ports.setDevice(number, pty.slavePath());
    return ports;
}

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

// Writes in slices so the program reads in between: the pty holds a few KiB.
bool feed(PseudoTerminal &pty, const QByteArray &bytes)
{
    for (qsizetype at = 0; at < bytes.size(); at += 2048) {
        if (!pty.write(bytes.mid(at, 2048)))
            return false;
        QTest::qWait(5);
    }
    return true;
}

// A key press carrying any character, as a keyboard layout may deliver it.
void pressKey(QWidget *widget, QChar c)
{
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QApplication::sendEvent(widget, &press);
}

// The window over a pseudo-terminal, with its controls by name.
struct Rig
{
    explicit Rig(const PortAssignments &ports) : window(ports) {}
    template <typename T>
    T *get(const QString &name) const { return control<T>(&window, name); }
    CommPort *port() const { return get<CommPort>("MSComm1"); }
    QPlainTextEdit *input() const { return get<QPlainTextEdit>("Text1"); }
    QPlainTextEdit *typing() const { return get<QPlainTextEdit>("Text2"); }
    void clickOpenClose() const { get<QPushButton>("cmdcomm")->click(); }
    // The port control's visible state: captions, colours, what is enabled or shown.
    QString state() const
    {
        auto *indicator = get<QLabel>("comm");
        auto flag = [](const char *name, bool on) { return QStringLiteral("%1:%2").arg(name).arg(int(on)); };
        return QStringList{get<QPushButton>("cmdcomm")->text(), indicator->text(),
                           Controls::background(indicator).name(), Controls::background(input()).name(),
                           Controls::background(typing()).name(), flag("cmdbuff", get<QPushButton>("cmdbuff")->isEnabled()),
                           flag("Command4", get<QPushButton>("Command4")->isEnabled()),
                           flag("Timer1", get<QTimer>("Timer1")->isActive()),
                           flag("lblxmit", !get<QLabel>("lblxmit")->isHidden())}
            .join(' ');
    }
    // The port writes from the event loop; then the bytes are at the master.
    QByteArray sent(PseudoTerminal &pty) const
    {
        if (!QTest::qWaitFor([this] { return port()->bytesToWrite() == 0; }, 2000))
            return QByteArray("(still queued)");
        return pty.read(300);
    }
    MessageRecorder recorder;
    MainWindow window;
};
} // namespace

const QString openState = "Close ON #00c000 #ffffc0 #c0ffc0 cmdbuff:0 Command4:1 Timer1:1 lblxmit:1";
const QString closedState = "Open OFF #c00000 #ffffff #ffffff cmdbuff:1 Command4:0 Timer1:0 lblxmit:0";

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
};

void SerialPortTest::openAndCloseSequences()
{
    PseudoTerminal pty;
    Rig rig(portsWith(pty, 2));
    QCOMPARE(rig.get<QLabel>("lblcomdev_1")->text(), pty.slavePath().mid(5)); // "pts/N"
    QCOMPARE(rig.get<QRadioButton>("Option1_1")->toolTip(), pty.slavePath());
    QCOMPARE(rig.get<QLabel>("lblcomdev_0")->text(), QStringLiteral("none"));
    QVERIFY(!rig.port()->portOpen()); // nothing opens by itself
    rig.typing()->setPlainText(QStringLiteral("typed"));
    rig.get<QRadioButton>("Option1_1")->click();
    auto *settings = rig.get<QListWidget>("List1");
    settings->setCurrentRow(3); // chosen while closed: used by the next open
    QCOMPARE(rig.get<QLabel>("Label2")->text(), QStringLiteral("2400,n,8,1"));
    for (int round = 0; round < 2; ++round) { // twice: closing really lets the device go
        rig.clickOpenClose();
        QVERIFY(rig.port()->portOpen());
        QCOMPARE(rig.port()->commPort(), 2);
        QCOMPARE(pty.slaveBaudRate(), 2400);
        QCOMPARE(rig.input()->toPlainText(), QStringLiteral("Waiting....."));
        QCOMPARE(rig.state(), openState);
        QCOMPARE(rig.recorder.beeps, 2 * round + 1);
        rig.clickOpenClose();
        QVERIFY(!rig.port()->portOpen());
        QCOMPARE(rig.input()->toPlainText(), QStringLiteral("Serial Input from PIC"));
        QCOMPARE(rig.typing()->toPlainText(), QString());
        QCOMPARE(rig.state(), closedState);
        QCOMPARE(rig.recorder.beeps, 2 * round + 2);
    }
    rig.clickOpenClose();
    settings->setCurrentRow(1); // chosen while open: the line changes at once
    QCOMPARE(pty.slaveBaudRate(), 9600);
    QCOMPARE(rig.get<QLabel>("Label2")->text(), QStringLiteral("9600,n,8,1"));
    QVERIFY(rig.recorder.messages.isEmpty());
    rig.window.exitProgram(); // E&xit lets go of the device and its lock
    QVERIFY(!rig.port()->portOpen());
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
    Rig rig(ports);
    rig.get<QRadioButton>(QStringLiteral("Option1_%1").arg(option))->click();
    rig.clickOpenClose();
    QCOMPARE(rig.recorder.messages.size(), 1);
    QVERIFY2(rig.recorder.messages.first().startsWith(message), qPrintable(rig.recorder.messages.first()));
    QCOMPARE(rig.port()->commPort(), option + 1);
    // The steps before the failure stay done, the rest never happened.
    QCOMPARE(rig.input()->toPlainText(), QStringLiteral("Waiting....."));
    QCOMPARE(rig.state(), QString(closedState).replace("cmdbuff:1", "cmdbuff:0"));
    // The user picks the right port and simply presses Open again.
    rig.get<QRadioButton>("Option1_0")->click();
    rig.clickOpenClose();
    QVERIFY(rig.port()->portOpen());
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
    Rig rig(portsWith(pty));
    rig.get<QLineEdit>("combuff")->setText(buffer);
    rig.get<QListWidget>("proto")->setCurrentRow(handshake);
    rig.get<QPushButton>("cmdbuff")->click();
    QCOMPARE(rig.recorder.messages.isEmpty(), applied);
    QCOMPARE(rig.port()->outBufferSize(), applied ? buffer.toInt() : 512);
    QCOMPARE(rig.port()->handshaking(), applied ? handshake : int(CommPort::HandshakeOff));
    rig.clickOpenClose(); // used by the next open
    QCOMPARE(rig.port()->serialPort()->flowControl(),
             applied ? QSerialPort::SoftwareControl : QSerialPort::NoFlowControl);
}

void SerialPortTest::typedKeysAreSentNotEchoed()
{
    PseudoTerminal pty;
    Rig rig(portsWith(pty));
    QPlainTextEdit *typing = rig.typing();
    QTest::keyClick(typing, Qt::Key_Q);
    QCOMPARE(rig.sent(pty), QByteArray()); // closed: nothing goes out
    rig.clickOpenClose();
    QTest::keyClick(typing, Qt::Key_X);
    QCOMPARE(rig.sent(pty), QByteArray("x"));
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Shift, Qt::Key_Left, Qt::Key_Backspace})
        QTest::keyClick(typing, key);
    for (QChar c : QStringLiteral("A\u00E9\u20ACz"))
        pressKey(typing, c);
    QCOMPARE(rig.sent(pty), QByteArray("\r\bA\xE9z"));
    // The keys still edit Text2 as usual, the euro sign included.
    QCOMPARE(typing->toPlainText(), QStringLiteral("qA\u00E9\u20ACz\n"));
    QTest::qWait(120);
    QCOMPARE(rig.input()->toPlainText(), QStringLiteral("Waiting.....")); // no echo
}

void SerialPortTest::receivedTextThroughFilter()
{
    PseudoTerminal pty;
    Rig rig(portsWith(pty));
    QPlainTextEdit *input = rig.input();
    rig.clickOpenClose();
    QTest::qWait(120); // ticks with nothing received leave the placeholder
    QCOMPARE(input->toPlainText(), QStringLiteral("Waiting....."));
    QVERIFY(pty.write("ab\r"));
    QTRY_COMPARE(input->toPlainText(), QStringLiteral("ab\n")); // CR LF shows as one line break
    QVERIFY(pty.write("\ncd\ne\xE9")); // the LF of that CR in the next tick, a lone LF, a Latin-1 byte
    QTRY_COMPARE(input->toPlainText(), QStringLiteral("ab\ncde\u00E9"));
    QCOMPARE(input->blockCount(), 2);
    // What came after the last tick still shows when the port closes.
    rig.get<QTimer>("Timer1")->stop();
    QVERIFY(pty.write("\rlate"));
    QTRY_COMPARE(rig.port()->serialPort()->bytesAvailable(), 5);
    rig.clickOpenClose();
    QCOMPARE(input->toPlainText(), QStringLiteral("ab\ncde\u00E9\nlate"));
    rig.clickOpenClose(); // a new session starts with nothing left over
    QTest::qWait(120);
    QCOMPARE(input->toPlainText(), QStringLiteral("Waiting....."));
}

void SerialPortTest::inputKeepsNewestTenThousand()
{
    PseudoTerminal pty;
    Rig rig(portsWith(pty));
    QPlainTextEdit *input = rig.input();
    rig.clickOpenClose();
    QVERIFY(feed(pty, letters(9990).toLatin1()));
    QTRY_COMPARE(TerminalText::length(input), 9990);
    // The arrival that crosses the bound keeps all of itself.
    QVERIFY(pty.write("0123456789ABCDEFGHIJ"));
    QTRY_COMPARE(input->toPlainText(), letters(9990).mid(10) + QStringLiteral("0123456789ABCDEFGHIJ"));
    // More than the window holds: the newest 10000 stay.
    const QString flood = letters(26007).toUpper();
    QVERIFY(feed(pty, flood.toLatin1()));
    QTRY_COMPARE(input->toPlainText(), flood.right(10000));
    // Text put into the window by other means obeys the same bound.
    input->setPlainText(letters(12000));
    QTRY_COMPARE(input->toPlainText(), letters(12000).right(10000));
}

void SerialPortTest::otherEndVanishing()
{
    PseudoTerminal pty;
    Rig rig(portsWith(pty));
    rig.clickOpenClose();
    QVERIFY(pty.write("hello"));
    QTRY_COMPARE(rig.input()->toPlainText(), QStringLiteral("hello"));
    // The last words before the line dropped, not yet shown by a tick.
    rig.get<QTimer>("Timer1")->stop();
    QVERIFY(pty.write(" bye"));
    QTRY_COMPARE(rig.port()->serialPort()->bytesAvailable(), 4);
    pty.closeMaster();
    QTRY_VERIFY(!rig.port()->portOpen());
    QCOMPARE(rig.state(), closedState);
    QCOMPARE(rig.input()->toPlainText(), QStringLiteral("hello bye"));
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

QTEST_MAIN(SerialPortTest)
#include "tst_serialport.moc"
