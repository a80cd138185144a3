#pragma once

#include "logic/serial/PortAssignments.h"

#include <QList>
#include <QObject>

class CommPort;
class DeviceChoice;
class QGridLayout;
class QLabel;
class QRadioButton;
class QWidget;

// Com1..Com4, each with the device it opens beside it, and the Device box
// for the chosen one: one of the devices plugged in now, or a typed path.
// The controls sit in the serial port frame's grid.
class ComPortChoice : public QObject
{
    Q_OBJECT
public:
    ComPortChoice(QWidget *frame, QGridLayout *grid, CommPort *port);
    // The Device row, built after the frame's buttons so it follows them
    // among the frame's controls.
    void addDeviceBox(QGridLayout *grid);

    int chosen() const; // 1 to PortAssignments::count
    void choose(int number);
    QList<QWidget *> options() const;
    DeviceChoice *device() const { return m_device; }
    // Gives the chosen Com option another device.
    void assign(const QString &path);

signals:
    void changed(); // another Com option was chosen

private:
    void showDevice(int number);
    void showChosenDevice();
    void deviceChosen(const QString &path);

    QWidget *m_frame;
    CommPort *m_port;
    QRadioButton *m_options[PortAssignments::count] = {};
    QLabel *m_deviceLabels[PortAssignments::count] = {};
    DeviceChoice *m_device = nullptr;
};
