#include "widgets/ui/ControlNames.h"
#include "MessageRecorder.h"
#include "SpinUntil.h"
#include "WindowOnPty.h"
#include "widgets/ui/ControlFactory.h"
#include "widgets/canvas/PixelCanvas.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <memory>

namespace {
const QColor busyOrange(255, 128, 0);
const QColor openGreen(0, 192, 0);

// The stream of a 240x64 KS0108 picture whose only lit pixel is (0, 0),
// written out by hand: header for LCD type 0 (240x64), buffer 32, address 0, 10 ms.
QByteArray onePixelStream()
{
    const QByteArray body = "01" + QByteArray(3838, '0');
    QByteArray stream = "02000000a*";
    for (int at = 0; at < body.size(); at += 32)
        stream += ']' + body.mid(at, 32);
    return stream;
}

// A long stream for the tests that interrupt a send: 200 blocks.
QString longStream()
{
    QString stream;
    for (int block = 0; block < 200; ++block)
        stream += QLatin1Char(']') + QString::number(block).rightJustified(32, QLatin1Char('0'));
    return stream;
}
} // namespace

// "Send to LCD" and "Paste and Send " through the window, over a real
// pseudo-terminal opened as Com1 with the serial panel.
class SendToLcdTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void sendNeedsOpenPort();
    void drawConvertReformatSend();
    void stopPartWay_data();
    void stopPartWay();
    void farEndClosedMidSend();
    void refusedBeforeAnyByte_data();
    void refusedBeforeAnyByte();
    void emptyStream();
    void waitForPic_data();
    void waitForPic();
    void pasteAndSend();
    void pasteAndSendRefusals_data();
    void pasteAndSendRefusals();

private:
    template <typename T>
    T *get(const QString &name) const { return m_rig->get<T>(name); }
    QPushButton *button(const char *name) const { return get<QPushButton>(name); }
    QString text(const QString &name) const
    {
        auto *window = get<QPlainTextEdit>(name);
        return window ? window->toPlainText() : QString();
    }
    bool sending() const
    {
        auto *stop = button(ControlNames::stopSendButton);
        return stop && !stop->isHidden();
    }
    void openPort();
    // Puts a stream in place as Reformat would and presses "Send to LCD".
    void sendStream(const QString &stream, const QString &delay);
    // The controls a send disables, as name:enabled.
    QStringList lockedStates() const;

    std::unique_ptr<WindowOnPty> m_rig;
};

void SendToLcdTest::init()
{
    m_rig = std::make_unique<WindowOnPty>();
    QVERIFY(m_rig->pty->isValid());
}

void SendToLcdTest::cleanup()
{
    m_rig.reset();
}

void SendToLcdTest::openPort()
{
    MessageRecorder recorder;
    QVERIFY2(m_rig->openPort(), qPrintable(recorder.messages.join('\n')));
}

void SendToLcdTest::sendStream(const QString &stream, const QString &delay)
{
    m_rig->window->state().reformattedText = stream;
    m_rig->window->state().reformattedWaitChar = QStringLiteral("]");
    auto *xmitDelay = get<QLineEdit>(ControlNames::xmitDelayBox);
    QVERIFY(xmitDelay);
    xmitDelay->setText(delay);
    auto *sendToLcdButton = button(ControlNames::sendToLcdButton);
    QVERIFY(sendToLcdButton);
    sendToLcdButton->setEnabled(true);
    sendToLcdButton->click();
}

QStringList SendToLcdTest::lockedStates() const
{
    QStringList states;
    using namespace ControlNames;
    const QStringList watched = {
        sendToLcdButton, reformatButton, pasteAndSendButton, convertButton, clearOutputButton, portOpenButton,
        portSettingsList, comOption(2), picBufferList, xmitDelayBox, waitCharBox, loadEepromCheck,
        displayEepromButton, transmitWindow};
    for (const QString &name : watched)
        if (auto *widget = get<QWidget>(name))
            states << QStringLiteral("%1:%2").arg(name).arg(widget->isEnabled());
    return states;
}

void SendToLcdTest::sendNeedsOpenPort()
{
    auto *outputWindow = get<QPlainTextEdit>(ControlNames::outputWindow);
    QVERIFY(outputWindow);
    outputWindow->setPlainText(QStringLiteral("42000000a*]00"));
    MessageRecorder recorder;
    sendStream(QStringLiteral("42000000a*]00"), QStringLiteral("5"));
    QCOMPARE(recorder.messages, QStringList{"Please, open Comm Port first."});
    QCOMPARE(text(ControlNames::outputWindow), QStringLiteral("42000000a*]00"));
    QVERIFY(!sending());
    QCOMPARE(m_rig->pty->read(100), QByteArray());
}

void SendToLcdTest::drawConvertReformatSend()
{
    auto *verticalOption = get<QAbstractButton>(ControlNames::verticalOption);
    QVERIFY(verticalOption);
    verticalOption->click(); // Vertical KS0108
    auto *pixelCanvas = get<PixelCanvas>(ControlNames::pixelCanvas);
    QVERIFY(pixelCanvas);
    pixelCanvas->setPoint({0, 0});
    auto *convertButton = button(ControlNames::convertButton);
    QVERIFY(convertButton);
    convertButton->click();
    auto *reformatButton = button(ControlNames::reformatButton);
    QVERIFY(reformatButton);
    QVERIFY(reformatButton->isEnabled());
    reformatButton->click();
    const QByteArray expected = onePixelStream();
    QCOMPARE(m_rig->window->state().reformattedText.toLatin1(), expected);
    openPort();
    const QStringList idle = lockedStates();
    auto *xmitDelay = get<QLineEdit>(ControlNames::xmitDelayBox);
    QVERIFY(xmitDelay);
    xmitDelay->setText(QStringLiteral("5"));
    MessageRecorder recorder;
    QElapsedTimer clock;
    clock.start();
    auto *sendToLcdButton = button(ControlNames::sendToLcdButton);
    QVERIFY(sendToLcdButton);
    sendToLcdButton->click();

    QVERIFY(sending());
    auto *comm = get<QLabel>(ControlNames::portStateLabel);
    QVERIFY(comm);
    QCOMPARE(comm->text(), QStringLiteral("Busy"));
    QCOMPARE(Controls::background(comm), busyOrange);
    auto *receiveTimer = get<QTimer>(ControlNames::receiveTimer);
    QVERIFY(receiveTimer);
    QVERIFY(!receiveTimer->isActive());
    auto *sendProgress = get<QProgressBar>(ControlNames::sendProgressBar);
    QVERIFY(sendProgress);
    QVERIFY(!sendProgress->isHidden());
    auto *outputWindow = get<QPlainTextEdit>(ControlNames::outputWindow);
    QVERIFY(outputWindow);
    QVERIFY(outputWindow->isReadOnly());
    for (const QString &state : lockedStates())
        QVERIFY2(state.endsWith(QLatin1String(":0")), qPrintable(state));
    auto *charactersLeft = get<QLabel>(ControlNames::charactersLeftLabel);
    QVERIFY(charactersLeft);
    QVERIFY(spinUntil([charactersLeft] { return charactersLeft->text().toInt() < 3000; }));
    QVERIFY(sending()); // counting down while the window keeps running

    QVERIFY(spinUntil([this] { return !sending(); }));
    QVERIFY(clock.elapsed() >= 120 * 5);
    QVERIFY(spinUntil([&] { return m_rig->line->size() >= expected.size(); }, 2000));
    QCOMPARE(m_rig->line->bytes(), expected);
    QCOMPARE(text(ControlNames::outputWindow).toLatin1(), expected);
    QCOMPARE(charactersLeft->text(), QStringLiteral("0"));
    QCOMPARE(comm->text(), QStringLiteral("ON"));
    QCOMPARE(Controls::background(comm), openGreen);
    QVERIFY(receiveTimer->isActive());
    QCOMPARE(recorder.beeps, 1);
    QVERIFY(recorder.messages.isEmpty());
    QVERIFY(sendProgress->isHidden());
    QVERIFY(!outputWindow->isReadOnly());
    QStringList after = idle;
    after.replaceInStrings(QStringLiteral("reformatButton:1"), QStringLiteral("reformatButton:0"));
    QCOMPARE(lockedStates(), after); // Send to LCD enabled again for another send
    QVERIFY(sendToLcdButton->isEnabled());
}

void SendToLcdTest::stopPartWay_data()
{
    QTest::addColumn<bool>("escape");
    QTest::newRow("Stop button") << false;
    QTest::newRow("Esc key") << true;
}

void SendToLcdTest::stopPartWay()
{
    QFETCH(bool, escape);
    openPort();
    if (escape) {
        m_rig->window->show();
        QApplication::setActiveWindow(m_rig->window.get());
        QVERIFY(QTest::qWaitForWindowActive(m_rig->window.get()));
    }
    const QString stream = longStream();
    MessageRecorder recorder;
    sendStream(stream, QStringLiteral("10"));
    QVERIFY(spinUntil([this] { return m_rig->line->size() >= 300; }));
    auto *stopButton = button(ControlNames::stopSendButton);
    QVERIFY(stopButton);
    QCOMPARE(spokenName(stopButton), QStringLiteral("Stop"));
    if (escape)
        QTest::keyClick(m_rig->window.get(), Qt::Key_Escape);
    else
        stopButton->click();
    QVERIFY(!sending());
    QTest::qWait(100); // nothing more arrives
    const QByteArray received = m_rig->line->bytes();
    QVERIFY(received.size() < stream.size());
    QCOMPARE(received, stream.left(received.size()).toLatin1());
    QCOMPARE(text(ControlNames::outputWindow).toLatin1(), received);
    auto *charactersLeft = get<QLabel>(ControlNames::charactersLeftLabel);
    QVERIFY(charactersLeft);
    QCOMPARE(charactersLeft->text().toInt(), stream.size() - received.size());
    auto *comm = get<QLabel>(ControlNames::portStateLabel);
    QVERIFY(comm);
    QCOMPARE(comm->text(), QStringLiteral("ON"));
    auto *receiveTimer = get<QTimer>(ControlNames::receiveTimer);
    QVERIFY(receiveTimer);
    QVERIFY(receiveTimer->isActive());
    auto *sendToLcdButton = button(ControlNames::sendToLcdButton);
    QVERIFY(sendToLcdButton);
    auto *portOpenButton = button(ControlNames::portOpenButton);
    QVERIFY(portOpenButton);
    QVERIFY(sendToLcdButton->isEnabled() && portOpenButton->isEnabled());
    QVERIFY(recorder.messages.isEmpty());
}

void SendToLcdTest::farEndClosedMidSend()
{
    openPort();
    MessageRecorder recorder;
    sendStream(longStream(), QStringLiteral("10"));
    QVERIFY(spinUntil([this] { return m_rig->line->size() >= 300; }));
    m_rig->line.reset();
    m_rig->pty->closeMaster();
    QVERIFY(spinUntil([this] { return !sending(); }, 3000));
    // One message, the port's own: a second "Error - Check Settings!" would only confuse.
    QVERIFY(spinUntil([&] { return !recorder.messages.isEmpty(); }, 1000));
    QTest::qWait(200);
    QCOMPARE(recorder.messages.size(), 1);
    QVERIFY2(recorder.messages.first().contains(QStringLiteral("disconnected")), qPrintable(recorder.messages.first()));
    QVERIFY(recorder.beeps >= 1);
    auto *sendToLcdButton = button(ControlNames::sendToLcdButton);
    QVERIFY(sendToLcdButton);
    QVERIFY(sendToLcdButton->isEnabled());
    auto *comm = get<QLabel>(ControlNames::portStateLabel);
    QVERIFY(comm);
    QCOMPARE(comm->text(), QStringLiteral("OFF")); // the port closed with the line
    auto *pasteAndSendButton = button(ControlNames::pasteAndSendButton);
    QVERIFY(pasteAndSendButton);
    QVERIFY(!pasteAndSendButton->isEnabled());
    auto *applyPortButton = button(ControlNames::applyPortButton);
    QVERIFY(applyPortButton);
    auto *portOpenButton = button(ControlNames::portOpenButton);
    QVERIFY(portOpenButton);
    QVERIFY(applyPortButton->isEnabled() && portOpenButton->isEnabled());
    auto *receiveTimer = get<QTimer>(ControlNames::receiveTimer);
    QVERIFY(receiveTimer);
    QVERIFY(!receiveTimer->isActive());
    auto *outputWindow = get<QPlainTextEdit>(ControlNames::outputWindow);
    QVERIFY(outputWindow);
    QVERIFY(!outputWindow->isReadOnly());
}

void SendToLcdTest::refusedBeforeAnyByte_data()
{
    QTest::addColumn<QString>("stream");
    QTest::addColumn<QString>("delay");
    QTest::addColumn<QString>("message"); // the message, or a part of it
    QTest::addColumn<int>("beeps");
    const QString stream = QStringLiteral("42000000a*]00ff");
    QTest::newRow("delay letters") << stream << "abc" << "Error - Check Settings!" << 1;
    QTest::newRow("delay empty") << stream << "" << "Error - Check Settings!" << 1;
    QTest::newRow("delay negative") << stream << "-5" << "Error - Check Settings!" << 1;
    QTest::newRow("outside Latin-1") << QStringLiteral("42000000a*]00\u20ac0") << "5" << "U+20AC" << 0;
}

void SendToLcdTest::refusedBeforeAnyByte()
{
    QFETCH(QString, stream);
    QFETCH(QString, delay);
    QFETCH(QString, message);
    QFETCH(int, beeps);
    openPort();
    auto *outputWindow = get<QPlainTextEdit>(ControlNames::outputWindow);
    QVERIFY(outputWindow);
    outputWindow->setPlainText(QStringLiteral("kept"));
    MessageRecorder recorder;
    sendStream(stream, delay);
    QCOMPARE(recorder.messages.size(), 1);
    QVERIFY2(recorder.messages.first().contains(message), qPrintable(recorder.messages.first()));
    QCOMPARE(recorder.beeps, beeps);
    QVERIFY(!sending());
    auto *comm = get<QLabel>(ControlNames::portStateLabel);
    QVERIFY(comm);
    QCOMPARE(comm->text(), QStringLiteral("ON"));
    QCOMPARE(Controls::background(comm), openGreen);
    auto *receiveTimer = get<QTimer>(ControlNames::receiveTimer);
    QVERIFY(receiveTimer);
    QVERIFY(receiveTimer->isActive());
    auto *sendToLcdButton = button(ControlNames::sendToLcdButton);
    QVERIFY(sendToLcdButton);
    QVERIFY(sendToLcdButton->isEnabled());
    QCOMPARE(text(ControlNames::outputWindow), QStringLiteral("kept"));
    QCOMPARE(m_rig->pty->read(100), QByteArray());
}

void SendToLcdTest::waitForPic_data()
{
    QTest::addColumn<bool>("picAnswers");
    QTest::newRow("the PIC answers each block") << true;
    QTest::newRow("the PIC never answers") << false;
}

// "Wait for PIC": the request goes first, each block waits for the PIC's
// ready byte, which the terminal never shows; a PIC that does not answer
// stops the send with a message that says so.
void SendToLcdTest::waitForPic()
{
    QFETCH(bool, picAnswers);
    openPort();
    auto *waitForPicCheck = get<QCheckBox>(ControlNames::waitForPicCheck);
    QVERIFY(waitForPicCheck);
    QCOMPARE(waitForPicCheck->text(), QStringLiteral("Wait for PIC"));
    waitForPicCheck->setChecked(true);
    MessageRecorder recorder;
    const QByteArray pieces[] = {"!42000000a*", "]00ff", "]11ee"};
    sendStream(QStringLiteral("42000000a*]00ff]11ee"), QStringLiteral("5000"));
    QByteArray expected;
    for (const QByteArray &piece : pieces) {
        expected += piece;
        QVERIFY(spinUntil([&] { return m_rig->line->bytes() == expected; }));
        if (!picAnswers)
            break;
        QTest::qWait(50); // the sender waits: nothing more comes
        QCOMPARE(m_rig->line->bytes(), expected);
        QVERIFY(m_rig->pty->write(piece == pieces[0] ? QByteArray("ok\x06") : QByteArray("\x06")));
    }
    QVERIFY(spinUntil([this] { return !sending(); }, 3000));
    if (picAnswers) {
        QVERIFY2(recorder.messages.isEmpty(), qPrintable(recorder.messages.join('\n')));
        QVERIFY(spinUntil([this] { return text(ControlNames::serialInputWindow).contains("ok"); }));
        QVERIFY(!text(ControlNames::serialInputWindow).contains(QChar(6)));
    } else {
        QVERIFY(spinUntil([&] { return !recorder.messages.isEmpty(); }));
        QVERIFY2(recorder.messages.first().startsWith(
                     "The send stopped: the transfer header was not acknowledged within "),
                 qPrintable(recorder.messages.first()));
    }
}

void SendToLcdTest::emptyStream()
{
    openPort();
    MessageRecorder recorder;
    sendStream(QString(), QStringLiteral("5"));
    QVERIFY(spinUntil([this] { return !sending(); }));
    auto *charactersLeft = get<QLabel>(ControlNames::charactersLeftLabel);
    QVERIFY(charactersLeft);
    QCOMPARE(charactersLeft->text(), QStringLiteral("0"));
    auto *comm = get<QLabel>(ControlNames::portStateLabel);
    QVERIFY(comm);
    QCOMPARE(comm->text(), QStringLiteral("ON"));
    QCOMPARE(recorder.beeps, 1);
    QCOMPARE(m_rig->pty->read(100), QByteArray());
}

void SendToLcdTest::pasteAndSend()
{
    openPort();
    auto *waitCharBox = get<QLineEdit>(ControlNames::waitCharBox);
    QVERIFY(waitCharBox);
    waitCharBox->setText(QStringLiteral(" ] "));
    auto *xmitDelay = get<QLineEdit>(ControlNames::xmitDelayBox);
    QVERIFY(xmitDelay);
    xmitDelay->setText(QStringLiteral("60.4"));
    auto *charactersLeft = get<QLabel>(ControlNames::charactersLeftLabel);
    QVERIFY(charactersLeft);
    charactersLeft->setText(QStringLiteral("0000"));
    auto *outputWindow = get<QPlainTextEdit>(ControlNames::outputWindow);
    QVERIFY(outputWindow);
    outputWindow->setPlainText(QStringLiteral("untouched"));
    // A CR stays a CR: the clipboard is not staged through a text box.
    QApplication::clipboard()->setText(QStringLiteral("  ]ABC]DE\rF\u00c9\n"));
    MessageRecorder recorder;
    QElapsedTimer clock;
    clock.start();
    auto *pasteAndSendButton = button(ControlNames::pasteAndSendButton);
    QVERIFY(pasteAndSendButton);
    pasteAndSendButton->click();
    QCOMPARE(recorder.messages, QStringList{"Are you sure?\n\rAnything in the clipboard will be sent immediately"});
    QCOMPARE(text(ControlNames::transmitWindow), QStringLiteral("  ]abc]de\nf\u00e9\n")); // shown, though not sent from there
    QVERIFY(sending());
    auto *comm = get<QLabel>(ControlNames::portStateLabel);
    QVERIFY(comm);
    QCOMPARE(comm->text(), QStringLiteral("Busy"));
    QVERIFY(spinUntil([this] { return !sending(); }));
    QVERIFY(clock.elapsed() >= 2 * 60);
    QVERIFY(spinUntil([this] { return m_rig->line->size() >= 10; }, 1000));
    QCOMPARE(m_rig->line->bytes(), QByteArray("]abc]de\rf\xe9")); // the last character too
    QVERIFY(m_rig->line->gapBeforeNs(4) >= 30 * 1000000);
    QCOMPARE(comm->text(), QStringLiteral("ON"));
    QCOMPARE(charactersLeft->text(), QStringLiteral("0000"));
    QCOMPARE(text(ControlNames::outputWindow), QStringLiteral("untouched"));
    auto *receiveTimer = get<QTimer>(ControlNames::receiveTimer);
    QVERIFY(receiveTimer);
    QVERIFY(receiveTimer->isActive());
    QVERIFY(pasteAndSendButton->isEnabled());
}

void SendToLcdTest::pasteAndSendRefusals_data()
{
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("delay");
    QTest::addColumn<bool>("confirm");
    QTest::addColumn<QString>("message"); // part of the second message, empty for none
    QTest::addColumn<int>("beeps");
    QTest::newRow("cancelled") << "]00ff" << "5" << false << "" << 1;
    QTest::newRow("delay not a number") << "]00ff" << "5 ms" << true << "\"5 ms\"" << 0;
    QTest::newRow("outside Latin-1") << "]00\u20ac" << "5" << true << "U+20AC" << 0;
}

void SendToLcdTest::pasteAndSendRefusals()
{
    QFETCH(QString, clipboard);
    QFETCH(QString, delay);
    QFETCH(bool, confirm);
    QFETCH(QString, message);
    QFETCH(int, beeps);
    openPort();
    auto *xmitDelay = get<QLineEdit>(ControlNames::xmitDelayBox);
    QVERIFY(xmitDelay);
    xmitDelay->setText(delay);
    QApplication::clipboard()->setText(clipboard);
    MessageRecorder recorder(confirm);
    auto *pasteAndSendButton = button(ControlNames::pasteAndSendButton);
    QVERIFY(pasteAndSendButton);
    pasteAndSendButton->click();
    QCOMPARE(recorder.beeps, beeps);
    QCOMPARE(recorder.messages.size(), message.isEmpty() ? 1 : 2);
    if (!message.isEmpty())
        QVERIFY2(recorder.messages.last().contains(message), qPrintable(recorder.messages.last()));
    QVERIFY(!sending());
    auto *comm = get<QLabel>(ControlNames::portStateLabel);
    QVERIFY(comm);
    QCOMPARE(comm->text(), QStringLiteral("ON"));
    QCOMPARE(Controls::background(comm), openGreen);
    QCOMPARE(m_rig->pty->read(100), QByteArray());
}

QTEST_MAIN(SendToLcdTest)
#include "tst_sendtolcd.moc"
