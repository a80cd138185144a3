#include "SerialRig.h"
#include "widgets/ui/ControlNames.h"

#include "logic/serial/CommPort.h"
#include "widgets/ui/ControlFactory.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

PortAssignments portsWith(const PseudoTerminal &pty, int number)
{
    PortAssignments ports;
    ports.setDevice(number, pty.slavePath());
    return ports;
}

bool feed(PseudoTerminal &pty, const QByteArray &bytes)
{
    for (qsizetype at = 0; at < bytes.size(); at += 2048) {
        if (!pty.write(bytes.mid(at, 2048)))
            return false;
        QTest::qWait(5);
    }
    return true;
}

void pressKey(QWidget *widget, QChar c)
{
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QApplication::sendEvent(widget, &press);
}

CommPort *SerialRig::port() const
{
    return get<CommPort>(CommPort::ObjectName);
}

QPlainTextEdit *SerialRig::input() const
{
    return get<QPlainTextEdit>(ControlNames::serialInputWindow);
}

QPlainTextEdit *SerialRig::typing() const
{
    return get<QPlainTextEdit>(ControlNames::transmitWindow);
}

void SerialRig::clickOpenClose() const
{
    if (auto *openClose = get<QPushButton>(ControlNames::portOpenButton))
        openClose->click();
}

QString SerialRig::state() const
{
    auto *openClose = get<QPushButton>(ControlNames::portOpenButton);
    auto *indicator = get<QLabel>(ControlNames::portStateLabel);
    auto *bufferButton = get<QPushButton>(ControlNames::applyPortButton);
    auto *pasteAndSend = get<QPushButton>(ControlNames::pasteAndSendButton);
    auto *timer = get<QTimer>(ControlNames::receiveTimer);
    auto *sending = get<QLabel>(ControlNames::transmitActiveLabel);
    if (!openClose || !indicator || !input() || !typing() || !bufferButton || !pasteAndSend || !timer || !sending)
        return QStringLiteral("(control missing)");
    auto flag = [](const char *name, bool on) { return QStringLiteral("%1:%2").arg(name).arg(int(on)); };
    return QStringList{openClose->text(), indicator->text(),
                       Controls::background(indicator).name(), Controls::background(input()).name(),
                       Controls::background(typing()).name(), flag(ControlNames::applyPortButton, bufferButton->isEnabled()),
                       flag(ControlNames::pasteAndSendButton, pasteAndSend->isEnabled()),
                       flag(ControlNames::receiveTimer, timer->isActive()),
                       flag(ControlNames::transmitActiveLabel, !sending->isHidden())}
        .join(' ');
}

QByteArray SerialRig::sent(PseudoTerminal &pty) const
{
    if (!port())
        return QByteArray("(no port)");
    if (!QTest::qWaitFor([this] { return port()->bytesToWrite() == 0; }, 2000))
        return QByteArray("(still queued)");
    return pty.read(300);
}
