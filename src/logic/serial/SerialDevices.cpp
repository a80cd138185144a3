#include "logic/serial/SerialDevices.h"

#include "logic/serial/PortAssignments.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSerialPortInfo>

QString SerialDevice::label() const
{
    return byId.isEmpty() ? path : QStringLiteral("%1 (%2)").arg(path, byId);
}

namespace SerialDevices {

QList<SerialDevice> describe(const QStringList &paths, const QString &byIdFolder)
{
    // Each by-id link names the device node it points to.
    QHash<QString, QString> names;
    const QFileInfoList links =
        QDir(byIdFolder).entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo &link : links) {
        const QString target = link.canonicalFilePath();
        if (link.isSymLink() && !target.isEmpty() && !names.contains(target))
            names.insert(target, link.fileName());
    }
    QStringList all;
    for (const QString &path : paths) {
        const QString canonical = QFileInfo(path).canonicalFilePath();
        all << (canonical.isEmpty() ? path : canonical);
    }
    for (auto it = names.cbegin(); it != names.cend(); ++it)
        all << it.key();
    all.removeDuplicates();
    QList<SerialDevice> devices;
    for (const QString &path : PortAssignments::preferredOrder(all))
        devices.append(SerialDevice{path, names.value(path)});
    return devices;
}

QList<SerialDevice> scan()
{
    QStringList paths;
    const QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &port : ports)
        paths << port.systemLocation();
    return describe(paths, QStringLiteral("/dev/serial/by-id"));
}

} // namespace SerialDevices
