#include "widgets/serial/ComPortChoice.h"

#include "widgets/ui/ControlNames.h"

#include "logic/serial/CommPort.h"
#include "widgets/serial/DeviceChoice.h"
#include "widgets/ui/ControlFactory.h"
#include "widgets/ui/OptionGroup.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

ComPortChoice::ComPortChoice(QWidget *frame, QGridLayout *grid, CommPort *port)
    : QObject(frame), m_frame(frame), m_port(port)
{
    const PortAssignments &devices = port->devices();
    for (int i = 0; i < PortAssignments::count; ++i) {
        const int number = i + 1;
        m_options[i] = Controls::option(frame, ControlNames::comOption(number), tr("Com%1").arg(number));
        m_options[i]->setChecked(i == 0);
        m_deviceLabels[i] = Controls::valueLabel(frame, ControlNames::comDeviceLabel(number),
                                                 devices.shortName(number), tr("Device of Com%1").arg(number));
        showDevice(number);
        grid->addWidget(m_options[i], i, 0);
        grid->addWidget(m_deviceLabels[i], i, 1);
        connect(m_options[i], &QRadioButton::toggled, this, [this](bool checked) {
            if (checked)
                showChosenDevice();
        });
        connect(m_options[i], &QRadioButton::toggled, this, &ComPortChoice::changed);
    }
    OptionGroup::tabLandsOnChecked({m_options[0], m_options[1], m_options[2], m_options[3]});
}

void ComPortChoice::addDeviceBox(QGridLayout *grid)
{
    m_device = new DeviceChoice(m_frame);
    grid->addWidget(Controls::label(m_frame, ControlNames::deviceLabel, tr("Device"), m_device->box()), 5, 0);
    grid->addWidget(m_device->box(), 5, 1, 1, 2);
    grid->addWidget(m_device->refreshButton(), 3, 3);
    connect(m_device, &DeviceChoice::chosen, this, &ComPortChoice::deviceChosen);
    showChosenDevice();
}

int ComPortChoice::chosen() const
{
    for (int i = 0; i < PortAssignments::count; ++i)
        if (m_options[i]->isChecked())
            return i + 1;
    return 1;
}

void ComPortChoice::choose(int number)
{
    m_options[number - 1]->setChecked(true);
}

QList<QWidget *> ComPortChoice::options() const
{
    return {m_options[0], m_options[1], m_options[2], m_options[3]};
}

void ComPortChoice::assign(const QString &path)
{
    const int number = chosen();
    m_port->setDevice(number, path);
    showDevice(number);
    showChosenDevice();
}

// The label beside Com`number` and the option's tooltip name its device.
void ComPortChoice::showDevice(int number)
{
    const PortAssignments &devices = m_port->devices();
    const QString path = devices.device(number);
    const QString where = path.isEmpty() ? tr("No device (start with --com %1=PATH)").arg(number) : path;
    m_options[number - 1]->setToolTip(where);
    m_options[number - 1]->setAccessibleDescription(where);
    QLabel *label = m_deviceLabels[number - 1];
    // Long names (/dev/serial/by-id/...) are elided; the tooltip has the whole path.
    label->setText(m_frame->fontMetrics().elidedText(devices.shortName(number), Qt::ElideMiddle, 80));
    label->setToolTip(where);
    label->setEnabled(!path.isEmpty());
}

// The device box shows the device of the chosen Com option.
void ComPortChoice::showChosenDevice()
{
    m_device->show(m_port->devices().device(chosen()));
}

void ComPortChoice::deviceChosen(const QString &path)
{
    const int number = chosen();
    if (path == m_port->devices().device(number))
        return;
    m_port->setDevice(number, path);
    showDevice(number);
}
