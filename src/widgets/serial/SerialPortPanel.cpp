#include "widgets/serial/SerialPortPanel.h"
#include "widgets/ui/ControlNames.h"

#include "logic/core/SettingsStore.h"
#include "logic/settings/SettingsSchema.h"
#include "widgets/serial/PortIndicator.h"

#include "logic/core/AppState.h"
#include "widgets/ui/ControlFactory.h"
#include "widgets/ui/FitToText.h"
#include "widgets/ui/UserMessages.h"
#include "logic/serial/CommPort.h"
#include "widgets/serial/DeviceChoice.h"
#include "logic/serial/SerialLineFormat.h"
#include "logic/serial/PortAssignments.h"
#include "widgets/ui/OptionGroup.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>


SerialPortPanel::SerialPortPanel(AppState &state, QWidget *form, const PortAssignments &devices)
    : QGroupBox(form), m_state(state), m_form(form), m_port(new CommPort(devices, this))
{
    setObjectName(QString(ControlNames::serialPortFrame));
    setAccessibleName(tr("Serial port"));
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(6, 4, 6, 4);
    grid->setVerticalSpacing(2);
    buildPortChoice(grid, devices);
    m_settings = Controls::list(this, ControlNames::portSettingsList, {}, QString());
    m_settings->setFixedWidth(112);
    m_settings->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_settingLabel = Controls::valueLabel(this, ControlNames::portSettingLabel, tr("Setting"), tr("Port settings"));
    grid->addWidget(m_settingLabel, 0, 2);
    m_settings->setAccessibleName(tr("Setting"));
    grid->addWidget(m_settings, 1, 2, 3, 1);
    m_commButton = Controls::button(this, ControlNames::portOpenButton, tr("Open"));
    grid->addWidget(m_commButton, 0, 3);
    m_indicator = Controls::valueLabel(this, ControlNames::portStateLabel, tr("OFF"), tr("Port state"));
    m_indicator->setAlignment(Qt::AlignCenter);
    m_indicator->setMinimumWidth(50);
    PortIndicator::show(m_indicator, PortIndicator::State::Off);
    grid->addWidget(m_indicator, 1, 3);
    m_applyButton = Controls::button(this, ControlNames::applyPortButton, tr("Apply"));
    m_applyButton->setAccessibleDescription(tr("Applies the handshake and output buffer to the port"));
    grid->addWidget(m_applyButton, 2, 3);

    m_handshake = Controls::list(this, ControlNames::handshakeList, {"Off", "XoXoff", "Rts", "XonRts"}, QString());
    m_handshake->setFixedWidth(80);
    FitToText::showWholeRows(m_handshake, 4);
    m_buffer = Controls::lineEdit(this, ControlNames::comOutBufferBox, QString::number(CommPort::DefaultOutBufferSize), QString());
    m_buffer->setMaximumWidth(60);
    grid->addWidget(Controls::label(this, ControlNames::handshakeLabel, tr("Handshake"), m_handshake), 0, 4);
    grid->addWidget(m_handshake, 1, 4, 3, 1);
    grid->addWidget(Controls::label(this, ControlNames::comOutBufferLabel, tr("Com out buff"), m_buffer), 4, 4);
    grid->addWidget(m_buffer, 4, 3);
    m_transmitActive = Controls::label(this, ControlNames::transmitActiveLabel, tr("Transmit Window Active"));
    m_transmitActive->hide();
    grid->addWidget(m_transmitActive, 4, 0, 1, 3);

    buildDeviceChoice(grid);
    buildCustomSetting(grid);

    connect(m_settings, &QListWidget::currentRowChanged, this, &SerialPortPanel::settingsClicked);
    connect(m_applyButton, &QPushButton::clicked, this, &SerialPortPanel::applyClicked);
    connect(m_commButton, &QPushButton::clicked, this, &SerialPortPanel::commClicked);
    connect(m_port, &CommPort::connectionLost, this, &SerialPortPanel::portLost);
    for (QRadioButton *option : m_options)
        connect(option, &QRadioButton::toggled, this, &SerialPortPanel::settingsChanged);
    connect(m_settings, &QListWidget::currentRowChanged, this, &SerialPortPanel::settingsChanged);
}

// Com1..Com4, each with the device it opens beside it.
void SerialPortPanel::buildPortChoice(QGridLayout *grid, const PortAssignments &devices)
{
    for (int i = 0; i < PortAssignments::count; ++i) {
        const int number = i + 1;
        m_options[i] = Controls::option(this, ControlNames::comOption(number), tr("Com%1").arg(number));
        m_options[i]->setChecked(i == 0);
        m_deviceLabels[i] = Controls::valueLabel(this, ControlNames::comDeviceLabel(number),
                                                 devices.shortName(number), tr("Device of Com%1").arg(number));
        showDevice(number);
        grid->addWidget(m_options[i], i, 0);
        grid->addWidget(m_deviceLabels[i], i, 1);
        connect(m_options[i], &QRadioButton::toggled, this, [this](bool checked) {
            if (checked)
                showChosenDevice();
        });
    }
    OptionGroup::tabLandsOnChecked({m_options[0], m_options[1], m_options[2], m_options[3]});
}

// The device of the chosen Com option: one of those plugged in, or a typed path.
void SerialPortPanel::buildDeviceChoice(QGridLayout *grid)
{
    m_device = new DeviceChoice(this);
    grid->addWidget(Controls::label(this, ControlNames::deviceLabel, tr("Device"), m_device->box()), 5, 0);
    grid->addWidget(m_device->box(), 5, 1, 1, 2);
    grid->addWidget(m_device->refreshButton(), 3, 3);
    connect(m_device, &DeviceChoice::chosen, this, &SerialPortPanel::deviceChosen);
    showChosenDevice();
}

// A line setting beyond the list, typed.
void SerialPortPanel::buildCustomSetting(QGridLayout *grid)
{
    m_custom = Controls::lineEdit(this, ControlNames::customDeviceBox, QString(), QString());
    m_custom->setPlaceholderText(QStringLiteral("250000,e,7,1"));
    m_custom->setToolTip(tr("Baud rate, parity (n, e, o, m, s), data bits, stop bits; Enter adds it to the list"));
    auto *row = new QHBoxLayout;
    row->addWidget(Controls::label(this, ControlNames::customDeviceLabel, tr("Custom"), m_custom));
    row->addWidget(m_custom, 1);
    grid->addLayout(row, 5, 3, 1, 2);
    connect(m_custom, &QLineEdit::returnPressed, this, &SerialPortPanel::customSettingEntered);
}

int SerialPortPanel::chosenOption() const
{
    for (int i = 0; i < PortAssignments::count; ++i)
        if (m_options[i]->isChecked())
            return i + 1;
    return 1;
}

// The label beside Com`number` and the option's tooltip name its device.
void SerialPortPanel::showDevice(int number)
{
    const PortAssignments &devices = m_port->devices();
    const QString path = devices.device(number);
    const QString where = path.isEmpty() ? tr("No device (start with --com %1=PATH)").arg(number) : path;
    m_options[number - 1]->setToolTip(where);
    m_options[number - 1]->setAccessibleDescription(where);
    QLabel *label = m_deviceLabels[number - 1];
    // Long names (/dev/serial/by-id/...) are elided; the tooltip has the whole path.
    label->setText(fontMetrics().elidedText(devices.shortName(number), Qt::ElideMiddle, 80));
    label->setToolTip(where);
    label->setEnabled(!path.isEmpty());
}

// The device box shows the device of the chosen Com option.
void SerialPortPanel::showChosenDevice()
{
    m_device->show(m_port->devices().device(chosenOption()));
}

void SerialPortPanel::deviceChosen(const QString &path)
{
    const int number = chosenOption();
    if (path == m_port->devices().device(number))
        return;
    m_port->setDevice(number, path);
    showDevice(number);
}

void SerialPortPanel::customSettingEntered()
{
    const QString text = m_custom->text().trimmed();
    const std::optional<SerialLineFormat> parsed = SerialLineFormat::parse(text);
    if (!parsed) {
        UserMessages::inform(m_form, tr("\"%1\" is not a line setting. Type the baud rate, parity (n, e, o, m or s), "
                                        "data bits (5 to 8) and stop bits (1, 1.5 or 2), such as 250000,e,7,1.")
                                         .arg(text));
        return;
    }
    chooseLineSetting(parsed->toString());
}

// Selects a line setting, adding it to the list when it is not there yet.
void SerialPortPanel::chooseLineSetting(const QString &setting)
{
    QList<QListWidgetItem *> found = m_settings->findItems(setting, Qt::MatchExactly);
    if (found.isEmpty()) {
        m_settings->addItem(setting);
        found = {m_settings->item(m_settings->count() - 1)};
    }
    const int row = m_settings->row(found.first());
    if (row == m_settings->currentRow())
        settingsClicked(row);
    else
        m_settings->setCurrentRow(row);
}



QList<QWidget *> SerialPortPanel::focusOrder() const
{
    return {m_options[0], m_options[1], m_options[2], m_options[3], m_settings, m_commButton, m_applyButton,
            m_device->refreshButton(), m_handshake, m_buffer, m_device->box(), m_custom};
}

QList<QWidget *> SerialPortPanel::lockedWhileSending() const
{
    return {m_commButton, m_options[0], m_options[1], m_options[2], m_options[3], m_settings, m_applyButton,
            m_handshake, m_buffer, m_device->box(), m_device->refreshButton(), m_custom};
}

void SerialPortPanel::showPortState(PortIndicator::State state)
{
    PortIndicator::show(m_indicator, state);
}

void SerialPortPanel::showClosedControls()
{
    m_applyButton->setEnabled(true);
}

void SerialPortPanel::startUp()
{
    // The classic five, then the faster rates today's adapters run at.
    m_settings->addItems({SerialLineFormat::DefaultText, "9600,n,8,1", "4800,n,8,1", "2400,n,8,1", "1200,n,8,1", "57600,n,8,1",
                          "115200,n,8,1", "230400,n,8,1"});
    FitToText::showWholeRows(m_settings, 4);
    m_settingLabel->setText(SerialLineFormat::DefaultText);
    // Selecting a list item runs its handler, just as a click would.
    m_settings->setCurrentRow(0);
}

void SerialPortPanel::settingsClicked(int row)
{
    if (row < 0)
        return;
    if (!m_port->setSettings(m_settings->item(row)->text()))
        UserMessages::inform(m_form, m_port->errorString());
    m_settingLabel->setText(m_port->settings());
}

void SerialPortPanel::applyClicked()
{
    bool isNumber = false;
    const int bufferSize = m_buffer->text().toInt(&isNumber);
    if (!isNumber || bufferSize < 1 || bufferSize > CommPort::MaxOutBufferSize) {
        UserMessages::inform(m_form, tr("Com out buff must be a whole number from 1 to %1. Nothing was applied.")
                                         .arg(CommPort::MaxOutBufferSize));
        return;
    }
    const QList<QListWidgetItem *> handshake = m_handshake->selectedItems();
    if (handshake.isEmpty()) {
        UserMessages::inform(m_form, tr("Choose a handshake (Off, XoXoff, Rts or XonRts) first. "
                                        "Nothing was applied."));
        return;
    }
    const QListWidgetItem *settings = m_settings->currentItem();
    if (!settings || !SerialLineFormat::parse(settings->text())) {
        UserMessages::inform(m_form, tr("Choose a line setting first. Nothing was applied."));
        return;
    }
    m_port->setSettings(settings->text());
    m_port->setOutBufferSize(bufferSize);
    m_port->setHandshaking(m_handshake->row(handshake.first()));
    m_handshakeApplied = true;
    emit settingsChanged();
}

void SerialPortPanel::commClicked()
{
    if (m_port->portOpen())
        closeSequence();
    else
        openSequence();
}

void SerialPortPanel::openSequence()
{
    emit opening();
    m_applyButton->setEnabled(false);
    const QListWidgetItem *settings = m_settings->currentItem();
    bool ready = settings && m_port->setSettings(settings->text());
    for (int i = 0; ready && i < PortAssignments::count; ++i)
        if (m_options[i]->isChecked())
            m_port->setCommPort(i + 1);
    if (!ready || !m_port->setPortOpen(true)) {
        UserMessages::inform(m_form, tr("Error! Cannot Open Comm:%1").arg(m_port->commPort()) + QLatin1Char('\n')
                                         + m_port->errorString());
        return;
    }
    emit opened();
    // The device is chosen while the port is closed.
    m_device->setEnabled(false);
    m_transmitActive->show();
    UserMessages::beep();
    PortIndicator::show(m_indicator, PortIndicator::State::On);
    m_commButton->setText(tr("Close"));
}

void SerialPortPanel::closeSequence()
{
    m_port->setPortOpen(false);
    showClosed();
}

// Everything of the close sequence after the port itself is closed.
void SerialPortPanel::showClosed()
{
    m_applyButton->setEnabled(true);
    m_device->setEnabled(true);
    emit closed();
    m_transmitActive->hide();
    UserMessages::beep();
    PortIndicator::show(m_indicator, PortIndicator::State::Off);
    m_commButton->setText(tr("Open"));
}

void SerialPortPanel::portLost(const QString &device)
{
    showClosed();
    UserMessages::inform(m_form, tr("The serial device %1 (Com%2) was disconnected. The port is closed.")
                                     .arg(device)
                                     .arg(m_port->commPort()));
}

void SerialPortPanel::saveSettings(SettingsStore &store) const
{
    const SettingsSchema &keys = SettingsSchema::keys();
    store.set(keys.comPort, chosenOption());
    store.set(keys.lineSettings, m_port->settings());
    // Only a handshake the port was given: one chosen and not applied is no setting.
    if (m_handshakeApplied)
        store.set(keys.handshake, SettingsSchema::handshakeNames().at(m_port->handshaking()));
    else
        store.remove(keys.handshake);
    store.set(keys.outBuffer, m_port->outBufferSize());
}

void SerialPortPanel::restoreSettings(const SettingsStore &store)
{
    const SettingsSchema &keys = SettingsSchema::keys();
    if (const auto com = store.integer(keys.comPort))
        m_options[*com - 1]->setChecked(true);
    // A custom setting joins the list as it did when it was typed.
    if (const auto settings = store.text(keys.lineSettings))
        chooseLineSetting(SerialLineFormat::parse(*settings)->toString());
    if (const auto handshake = store.text(keys.handshake)) {
        const int mode = int(SettingsSchema::handshakeNames().indexOf(*handshake));
        m_handshake->setCurrentRow(mode);
        m_port->setHandshaking(mode);
        m_handshakeApplied = true;
    }
    if (const auto size = store.integer(keys.outBuffer)) {
        m_buffer->setText(QString::number(*size));
        m_port->setOutBufferSize(*size);
    }
}

bool SerialPortPanel::assignDevice(const QString &path)
{
    if (m_port->portOpen())
        return false;
    const int number = chosenOption();
    m_port->setDevice(number, path);
    showDevice(number);
    showChosenDevice();
    return true;
}
