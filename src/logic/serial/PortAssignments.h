#pragma once

#include <QCommandLineOption>
#include <QString>
#include <QStringList>

// Which device each of the options Com1..Com4 opens. By default the serial
// devices the system lists, USB and ACM adapters first (that is what users
// plug the PIC into), then the others, each group by name; `--com N=PATH`
// names the device of option N instead.
class PortAssignments
{
public:
    static constexpr int count = 4;

    // Com1..Com4 from a list of device paths such as "/dev/ttyS0".
    static PortAssignments fromDevices(QStringList devices);
    // Com1..Com4 from the serial ports the system lists now.
    static PortAssignments fromSystem();
    // USB and ACM adapters first, then the others, each group by name with
    // numbers compared as numbers (ttyUSB2 before ttyUSB10).
    static QStringList preferredOrder(QStringList devices);

    // "--com N=PATH", repeatable.
    static QCommandLineOption commandLineOption();
    // Applies the values of --com ("2=/dev/ttyUSB3"). On a malformed value
    // nothing changes, false is returned and *error says which value.
    bool applyOverrides(const QStringList &values, QString *error);

    // The device of option `number` (1..4); empty when there is none.
    QString device(int number) const;
    // A relative `path` is made absolute against the working directory.
    void setDevice(int number, const QString &path);
    // "ttyUSB0" or "pts/3" to show beside the option, "none" when there is no device.
    QString shortName(int number) const;

private:
    QString m_devices[count];
};
