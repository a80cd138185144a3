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
    return get<CommPort>("MSComm1");
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
    get<QPushButton>("cmdcomm")->click();
}

QString SerialRig::state() const
{
    auto *indicator = get<QLabel>("comm");
    auto flag = [](const char *name, bool on) { return QStringLiteral("%1:%2").arg(name).arg(int(on)); };
    return QStringList{get<QPushButton>("cmdcomm")->text(), indicator->text(),
                       Controls::background(indicator).name(), Controls::background(input()).name(),
                       Controls::background(typing()).name(), flag("cmdbuff", get<QPushButton>("cmdbuff")->isEnabled()),
                       flag(ControlNames::pasteAndSendButton, get<QPushButton>(ControlNames::pasteAndSendButton)->isEnabled()),
                       flag(ControlNames::receiveTimer, get<QTimer>(ControlNames::receiveTimer)->isActive()),
                       flag("lblxmit", !get<QLabel>("lblxmit")->isHidden())}
        .join(' ');
}

QByteArray SerialRig::sent(PseudoTerminal &pty) const
{
    if (!QTest::qWaitFor([this] { return port()->bytesToWrite() == 0; }, 2000))
        return QByteArray("(still queued)");
    return pty.read(300);
}
