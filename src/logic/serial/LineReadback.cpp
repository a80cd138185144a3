#include "logic/serial/LineReadback.h"

#include <QCoreApplication>
#include <QStringList>

#include <cerrno>
#include <cstring>
#include <termios.h>

namespace LineReadback {

namespace {

QSerialPort::DataBits dataBitsOf(tcflag_t flags)
{
    switch (flags & CSIZE) {
    case CS5:
        return QSerialPort::Data5;
    case CS6:
        return QSerialPort::Data6;
    case CS7:
        return QSerialPort::Data7;
    default:
        return QSerialPort::Data8;
    }
}

QSerialPort::Parity parityOf(tcflag_t flags)
{
    if (!(flags & PARENB))
        return QSerialPort::NoParity;
    if (flags & CMSPAR)
        return flags & PARODD ? QSerialPort::MarkParity : QSerialPort::SpaceParity;
    return flags & PARODD ? QSerialPort::OddParity : QSerialPort::EvenParity;
}

QSerialPort::StopBits stopBitsOf(tcflag_t flags)
{
    if (!(flags & CSTOPB))
        return QSerialPort::OneStop;
    return (flags & CSIZE) == CS5 ? QSerialPort::OneAndHalfStop : QSerialPort::TwoStop;
}

} // namespace

QSerialPort::StopBits requestedStopBits(const SerialLineFormat &wanted)
{
    return wanted.stopBits == QSerialPort::OneAndHalfStop ? QSerialPort::TwoStop : wanted.stopBits;
}

QString unappliedPart(int fd, const SerialLineFormat &wanted)
{
    struct termios line;
    if (::tcgetattr(fd, &line) != 0)
        return QCoreApplication::translate("LineReadback", "the line cannot be read back: %1")
            .arg(QString::fromLocal8Bit(std::strerror(errno)));
    SerialLineFormat onLine = wanted;
    onLine.dataBits = dataBitsOf(line.c_cflag);
    onLine.parity = parityOf(line.c_cflag);
    onLine.stopBits = stopBitsOf(line.c_cflag);
    // The fields as the setting is written: baud, parity, data bits, stop bits.
    const QStringList has = onLine.toString().split(QLatin1Char(','));
    const QStringList asked = wanted.toString().split(QLatin1Char(','));
    const char *parts[] = {nullptr, "parity %1", "%1 data bits", "%1 stop bits"};
    for (int i = 1; i < 4; ++i)
        if (has.at(i) != asked.at(i))
            return QCoreApplication::translate("LineReadback", "the line keeps %1 (%2 asked)")
                .arg(QCoreApplication::translate("LineReadback", parts[i]).arg(has.at(i)), asked.at(i));
    return QString();
}

} // namespace LineReadback
