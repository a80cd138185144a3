#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A serial device the system offers, with the stable name udev gives it
// under /dev/serial/by-id (the adapter's make and serial number), if any.
struct SerialDevice
{
    QString path;
    QString byId;

    // "/dev/ttyUSB0 (usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0)"
    QString label() const;
    bool operator==(const SerialDevice &other) const { return path == other.path && byId == other.byId; }
};

// The serial devices plugged in now, looked up again on every call so the
// list follows adapters being plugged and unplugged.
namespace SerialDevices {

// The devices at `paths` and those the links in `byIdFolder` point to, in
// the order of PortAssignments::preferredOrder, each once.
QList<SerialDevice> describe(const QStringList &paths, const QString &byIdFolder);

// What QSerialPortInfo lists, with /dev/serial/by-id.
QList<SerialDevice> scan();

} // namespace SerialDevices
