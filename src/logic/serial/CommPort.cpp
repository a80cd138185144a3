#include "logic/serial/CommPort.h"

#include "logic/serial/LineReadback.h"

#include <QFile>
#include <QStringList>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <utility>
#include <termios.h>
#include <unistd.h>

namespace {
bool accessDenied(const QByteArray &path)
{
    return ::access(path.constData(), R_OK | W_OK) != 0 && errno == EACCES;
}

// A regular file, a folder, or a device such as /dev/null: anything that
// exists but has no terminal line settings.
bool notSerial(const QByteArray &path)
{
    struct stat info;
    if (::stat(path.constData(), &info) != 0)
        return false; // missing: the open failure says so
    if (!S_ISCHR(info.st_mode))
        return true;
    const int fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return false;
    const bool terminal = ::isatty(fd);
    ::close(fd);
    return !terminal;
}

// The adapter was unplugged or the far end of the line vanished: the device
// keeps failing, so the port must close rather than retry.
bool isFatal(QSerialPort::SerialPortError error)
{
    return error == QSerialPort::ResourceError || error == QSerialPort::ReadError
        || error == QSerialPort::WriteError;
}
} // namespace

CommPort::CommPort(const PortAssignments &devices, QObject *parent) : QObject(parent), m_devices(devices)
{
    setObjectName(ObjectName);
    connect(&m_port, &QSerialPort::errorOccurred, this, &CommPort::handleError);
}

CommPort::~CommPort()
{
    // The port closes as it is destroyed, after the members its handler uses.
    m_port.disconnect(this);
}

bool CommPort::refuse(const QString &reason)
{
    m_error = reason;
    return false;
}

bool CommPort::setCommPort(int number)
{
    if (number < 1 || number > PortAssignments::count)
        return refuse(tr("There is no port Com%1.").arg(number));
    if (portOpen() && number != m_commPort)
        return refuse(tr("Close the port before choosing another one."));
    m_commPort = number;
    return true;
}

bool CommPort::setSettings(const QString &text)
{
    const std::optional<SerialLineFormat> parsed = SerialLineFormat::parse(text);
    if (!parsed)
        return refuse(tr("\"%1\" is not a line setting such as 19200,n,8,1.").arg(text));
    QString reason;
    if (portOpen() && !applyLineSettings(*parsed, &reason)) {
        QString restored;
        applyLineSettings(m_settings, &restored);
        return refuse(tr("%1 refuses %2: %3").arg(device(), text, reason));
    }
    m_settings = *parsed;
    return true;
}

bool CommPort::setHandshaking(int mode)
{
    if (mode < HandshakeOff || mode > RtsCtsAndXonXoff)
        return refuse(tr("Handshaking must be 0 to 3, not %1.").arg(mode));
    m_handshaking = mode;
    return true;
}

bool CommPort::setOutBufferSize(int bytes)
{
    if (bytes < 1 || bytes > MaxOutBufferSize)
        return refuse(tr("The output buffer must be 1 to %1 bytes, not %2.").arg(MaxOutBufferSize).arg(bytes));
    m_outBufferSize = bytes;
    return true;
}

bool CommPort::setPortOpen(bool open)
{
    if (open == portOpen())
        return true;
    if (open)
        return this->open();
    close();
    return true;
}

bool CommPort::open()
{
    const QString path = device();
    if (path.isEmpty())
        return refuse(tr("No device is assigned to Com%1 (start with --com %1=PATH).").arg(m_commPort));
    m_port.setPortName(path);
    QString unapplied;
    if (!applyLineSettings(m_settings, &unapplied) || !m_port.open(QIODevice::ReadWrite) || !applyHandshake()) {
        const QString reason = openFailureReason(path, m_port.error(), m_port.errorString(),
                                                 deviceProblem(path, m_port.error()));
        if (m_port.isOpen())
            m_port.close();
        return refuse(reason);
    }
    // Setters before the open only store the setting: read the line back now.
    unapplied = LineReadback::unappliedPart(int(m_port.handle()), m_settings);
    if (!unapplied.isEmpty()) {
        m_port.close();
        return refuse(tr("%1 refuses %2: %3").arg(path, m_settings.toString(), unapplied));
    }
    m_error.clear();
    m_unread.clear();
    emit opened();
    return true;
}

void CommPort::close()
{
    m_unread += m_port.readAll();
    m_port.close();
    emit closed();
}

// Every part or none: on an open port the line is read back, since a
// driver may take a part without a word and keep its own.
bool CommPort::applyLineSettings(const SerialLineFormat &settings, QString *unapplied)
{
    const QStringList fields = settings.toString().split(QLatin1Char(','));
    QString part;
    if (!m_port.setBaudRate(settings.baudRate))
        part = tr("baud rate %1").arg(fields.at(0));
    else if (!m_port.setDataBits(settings.dataBits))
        part = tr("%1 data bits").arg(fields.at(2));
    else if (!m_port.setParity(settings.parity))
        part = tr("parity %1").arg(fields.at(1));
    else if (!m_port.setStopBits(LineReadback::requestedStopBits(settings)))
        part = tr("%1 stop bits").arg(fields.at(3));
    if (!part.isEmpty()) {
        *unapplied = tr("the line takes no %1: %2").arg(part, m_port.errorString());
        return false;
    }
    if (!m_port.isOpen())
        return true;
    *unapplied = LineReadback::unappliedPart(int(m_port.handle()), settings);
    return unapplied->isEmpty();
}

bool CommPort::applyHandshake()
{
    const bool hardware = m_handshaking == RtsCts || m_handshaking == RtsCtsAndXonXoff;
    const bool software = m_handshaking == XonXoff;
    if (!m_port.setFlowControl(hardware ? QSerialPort::HardwareControl
                               : software ? QSerialPort::SoftwareControl
                                          : QSerialPort::NoFlowControl))
        return false;
    if (m_handshaking != RtsCtsAndXonXoff)
        return true;
    // QSerialPort offers one flow control at a time; both means XON/XOFF on top of RTS/CTS.
    struct termios line;
    if (::tcgetattr(int(m_port.handle()), &line) != 0)
        return false;
    line.c_iflag |= IXON | IXOFF;
    return ::tcsetattr(int(m_port.handle()), TCSANOW, &line) == 0;
}

CommPort::DeviceProblem CommPort::deviceProblem(const QString &device, QSerialPort::SerialPortError error)
{
    const QByteArray path = QFile::encodeName(device);
    if (accessDenied(path))
        return DeviceProblem::AccessDenied;
    // Only looked at when the port gave no clearer reason: a device that is
    // missing or locked by another program is named as such.
    if (error != QSerialPort::DeviceNotFoundError && error != QSerialPort::PermissionError && notSerial(path))
        return DeviceProblem::NotSerial;
    return DeviceProblem::None;
}

QString CommPort::openFailureReason(const QString &device, QSerialPort::SerialPortError error,
                                    const QString &systemReason, DeviceProblem problem)
{
    if (problem == DeviceProblem::NotSerial)
        return tr("%1 is not a serial device.").arg(device);
    if (problem == DeviceProblem::AccessDenied)
        return tr("%1: permission denied. To use serial devices, add your user to the dialout group "
                  "(sudo adduser $USER dialout) and log in again.")
            .arg(device);
    if (error == QSerialPort::DeviceNotFoundError)
        return tr("%1 does not exist (is the adapter plugged in?).").arg(device);
    if (error == QSerialPort::PermissionError)
        return tr("%1 is in use by another program (%2).").arg(device, systemReason);
    return tr("%1: %2").arg(device, systemReason);
}

bool CommPort::output(const QString &text)
{
    if (!portOpen())
        return refuse(tr("The port is not open."));
    for (QChar c : text)
        if (c.unicode() > 0xFF)
            return refuse(tr("The character U+%1 has no single-byte code.").arg(c.unicode(), 4, 16, QLatin1Char('0')));
    return writeBytes(text.toLatin1()) == text.size();
}

QString CommPort::input()
{
    return QString::fromLatin1(inputBytes());
}

QByteArray CommPort::inputBytes()
{
    QByteArray received = std::exchange(m_unread, {});
    if (portOpen())
        received += m_port.readAll();
    return received;
}

bool CommPort::setDataTerminalReady(bool on)
{
    if (portOpen() && m_port.setDataTerminalReady(on))
        return true;
    return refuseLine("DTR");
}

bool CommPort::setRequestToSend(bool on)
{
    if (portOpen() && m_port.setRequestToSend(on))
        return true;
    return refuseLine("RTS");
}

bool CommPort::setBreakEnabled(bool on)
{
    if (portOpen() && m_port.setBreakEnabled(on))
        return true;
    return refuseLine("Break");
}

bool CommPort::refuseLine(const char *line)
{
    if (!portOpen())
        return refuse(tr("Open the port before setting %1.").arg(QLatin1String(line)));
    const QString reason = m_port.errorString();
    // The refusal is answered here; it must not linger as the port's state.
    m_port.clearError();
    return refuse(tr("%1 cannot set %2: %3").arg(device(), QLatin1String(line), reason));
}

qint64 CommPort::writeBytes(const QByteArray &bytes)
{
    return portOpen() ? m_port.write(bytes) : -1;
}

void CommPort::handleError(QSerialPort::SerialPortError error)
{
    if (!portOpen() || !isFatal(error))
        return;
    // Closing at the first error matters: a pseudo-terminal whose master is
    // gone reports ReadError on every event-loop pass until the port closes.
    m_error = tr("The serial device %1 was disconnected.").arg(device());
    close();
    emit connectionLost(device());
}
