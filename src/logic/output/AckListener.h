#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>

class QSerialPort;

// What the PIC answers during an acknowledged send: its verdicts are kept
// in the order they came for the sender; anything else is passed on, for
// the terminal to show.
class AckListener : public QObject
{
    Q_OBJECT
public:
    explicit AckListener(QObject *parent = nullptr) : QObject(parent) {}

    // Reads the port from now on, what is waiting in it included.
    void listen(QSerialPort *port);
    void stop();

    bool hasVerdict() const { return !m_verdicts.isEmpty(); }
    // The oldest verdict not yet taken (AckProtocol::Ready or Refused).
    char takeVerdict();

signals:
    void verdictArrived();
    void otherBytes(const QByteArray &bytes);

private:
    void read();

    QPointer<QSerialPort> m_port;
    QByteArray m_verdicts;
};
