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
#include "widgets/serial/ComPortChoice.h"
#include "widgets/serial/DeviceChoice.h"
#include "widgets/serial/LineSettingChoice.h"
#include "logic/serial/SerialLineFormat.h"
#include "logic/serial/PortAssignments.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>


SerialPortPanel::SerialPortPanel(AppState &state, QWidget *form, const PortAssignments &devices)
    : QGroupBox(form), m_state(state), m_form(form), m_port(new CommPort(devices, this))
{
    setObjectName(QString(ControlNames::serialPortFrame));
    setAccessibleName(tr("Serial port"));
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(6, 4, 6, 4);
    grid->setVerticalSpacing(2);
    m_com = new ComPortChoice(this, grid, m_port);
    m_line = new LineSettingChoice(this, grid, m_port, form);
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

    m_com->addDeviceBox(grid);
    m_line->addCustomBox(grid);

    connect(m_applyButton, &QPushButton::clicked, this, &SerialPortPanel::applyClicked);
    connect(m_commButton, &QPushButton::clicked, this, &SerialPortPanel::commClicked);
    connect(m_port, &CommPort::connectionLost, this, &SerialPortPanel::portLost);
    connect(m_com, &ComPortChoice::changed, this, &SerialPortPanel::settingsChanged);
    connect(m_line, &LineSettingChoice::changed, this, &SerialPortPanel::settingsChanged);
}

QList<QWidget *> SerialPortPanel::focusOrder() const
{
    return m_com->options()
        + QList<QWidget *>{m_line->list(), m_commButton, m_applyButton, m_com->device()->refreshButton(), m_handshake,
                           m_buffer, m_com->device()->box(), m_line->customBox()};
}

QList<QWidget *> SerialPortPanel::lockedWhileSending() const
{
    return QList<QWidget *>{m_commButton} + m_com->options()
        + QList<QWidget *>{m_line->list(), m_applyButton, m_handshake, m_buffer, m_com->device()->box(),
                           m_com->device()->refreshButton(), m_line->customBox()};
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
    m_line->startUp();
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
    const QListWidgetItem *settings = m_line->list()->currentItem();
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
    const QListWidgetItem *settings = m_line->list()->currentItem();
    const bool ready = settings && m_port->setSettings(settings->text());
    if (ready)
        m_port->setCommPort(m_com->chosen());
    if (!ready || !m_port->setPortOpen(true)) {
        UserMessages::inform(m_form, tr("Error! Cannot Open Comm:%1").arg(m_port->commPort()) + QLatin1Char('\n')
                                         + m_port->errorString());
        return;
    }
    emit opened();
    // The device is chosen while the port is closed.
    m_com->device()->setEnabled(false);
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
    m_com->device()->setEnabled(true);
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
    store.set(keys.comPort, m_com->chosen());
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
        m_com->choose(*com);
    // A custom setting joins the list as it did when it was typed.
    if (const auto settings = store.text(keys.lineSettings))
        m_line->choose(SerialLineFormat::parse(*settings)->toString());
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

int SerialPortPanel::checkedComNumber() const
{
    return m_com->chosen();
}

bool SerialPortPanel::assignDevice(const QString &path)
{
    if (m_port->portOpen())
        return false;
    m_com->assign(path);
    return true;
}
