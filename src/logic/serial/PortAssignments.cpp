#include "logic/serial/PortAssignments.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QSerialPortInfo>

#include <algorithm>
#include <tuple>

namespace {
bool isUsbAdapter(const QString &name)
{
    return name.startsWith(QLatin1String("ttyUSB")) || name.startsWith(QLatin1String("ttyACM"));
}

// ttyUSB2 before ttyUSB10: the trailing number counts as a number.
auto sortKey(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    qsizetype stem = name.size();
    while (stem > 0 && name.at(stem - 1).isDigit())
        --stem;
    const qlonglong number = name.mid(stem).toLongLong();
    return std::make_tuple(!isUsbAdapter(name), name.left(stem), number, path);
}
} // namespace

QStringList PortAssignments::preferredOrder(QStringList devices)
{
    std::sort(devices.begin(), devices.end(),
              [](const QString &a, const QString &b) { return sortKey(a) < sortKey(b); });
    return devices;
}

PortAssignments PortAssignments::fromDevices(QStringList devices)
{
    devices = preferredOrder(devices);
    PortAssignments result;
    for (int i = 0; i < count && i < devices.size(); ++i)
        result.m_devices[i] = devices.at(i);
    return result;
}

PortAssignments PortAssignments::fromSystem()
{
    QStringList devices;
    const QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &port : ports)
        devices << port.systemLocation();
    return fromDevices(devices);
}

QCommandLineOption PortAssignments::commandLineOption()
{
    return QCommandLineOption(QStringLiteral("com"),
                              QStringLiteral("Use device PATH for option ComN (N is 1 to 4); repeatable."),
                              QStringLiteral("N=PATH"));
}

bool PortAssignments::applyOverrides(const QStringList &values, QString *error)
{
    static const QRegularExpression form(QStringLiteral("^([1-4])=(.+)$"));
    PortAssignments changed = *this;
    for (const QString &value : values) {
        const QRegularExpressionMatch match = form.match(value);
        if (!match.hasMatch()) {
            if (error)
                *error = QStringLiteral("--com %1: expected N=PATH with N from 1 to 4").arg(value);
            return false;
        }
        changed.setDevice(match.captured(1).toInt(), match.captured(2));
    }
    *this = changed;
    return true;
}

QString PortAssignments::device(int number) const
{
    return number >= 1 && number <= count ? m_devices[number - 1] : QString();
}

void PortAssignments::setDevice(int number, const QString &path)
{
    // A relative path starts in the working directory, as for any file;
    // QSerialPort alone would look for it under /dev.
    if (number >= 1 && number <= count)
        m_devices[number - 1] = path.isEmpty() ? path : QFileInfo(path).absoluteFilePath();
}

QString PortAssignments::shortName(int number) const
{
    const QString path = device(number);
    if (path.isEmpty())
        return QStringLiteral("none");
    // "/dev/pts/3" reads better as "pts/3" than as "3".
    const QString underDev = path.startsWith(QLatin1String("/dev/")) ? path.mid(5) : QString();
    return underDev.count(QLatin1Char('/')) == 1 ? underDev : QFileInfo(path).fileName();
}
