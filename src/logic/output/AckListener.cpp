#include "logic/output/AckListener.h"

#include "logic/core/AckProtocol.h"

#include <QSerialPort>

void AckListener::listen(QSerialPort *port)
{
    stop();
    m_port = port;
    connect(port, &QIODevice::readyRead, this, &AckListener::read);
    read();
}

void AckListener::stop()
{
    if (m_port)
        disconnect(m_port, nullptr, this, nullptr);
    m_port = nullptr;
    m_verdicts.clear();
}

char AckListener::takeVerdict()
{
    const char verdict = m_verdicts.at(0);
    m_verdicts.remove(0, 1);
    return verdict;
}

void AckListener::read()
{
    if (!m_port)
        return;
    const QByteArray bytes = m_port->readAll();
    QByteArray other;
    const qsizetype before = m_verdicts.size();
    for (const char c : bytes) {
        if (c == AckProtocol::Ready || c == AckProtocol::Refused)
            m_verdicts += c;
        else
            other += c;
    }
    if (!other.isEmpty())
        emit otherBytes(other);
    if (m_verdicts.size() > before)
        emit verdictArrived();
}
