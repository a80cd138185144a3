#pragma once

#include "logic/serial/SerialDevices.h"

#include <QObject>
#include <QPointer>
#include <QThread>

class QComboBox;
class QFileSystemWatcher;
class QPushButton;
class QTimer;
class QWidget;

// The Device box and its Refresh button: the serial devices plugged in now,
// with their by-id names, or a path the user types. The list follows
// hot-plug: /dev is watched, which costs nothing while nothing changes,
// where polling the system would cost a scan every few seconds.
class DeviceChoice : public QObject
{
    Q_OBJECT
public:
    explicit DeviceChoice(QWidget *parent);
    ~DeviceChoice() override;

    QComboBox *box() const { return m_box; }
    QPushButton *refreshButton() const { return m_refresh; }

    // Shows `path` (empty: none), as an item of the list when it is one.
    void show(const QString &path);
    void setEnabled(bool enabled);
    // Lists the devices again; what the box shows (perhaps a path being
    // typed) stays as it is.
    void refresh();

signals:
    // The user picked or typed a device.
    void chosen(const QString &path);

private:
    void announce();
    void firstListMade(const QList<SerialDevice> &devices);
    void showDevices(const QList<SerialDevice> &devices);

    QComboBox *m_box;
    QPushButton *m_refresh;
    QTimer *m_settle;
    QFileSystemWatcher *m_watch = nullptr;
    QPointer<QThread> m_scan; // the first list's scan, until it is deleted
    QList<SerialDevice> m_listed;
};
