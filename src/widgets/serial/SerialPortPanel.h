#pragma once

#include "widgets/serial/PortIndicator.h"

#include <QGroupBox>

struct AppState;
class SettingsStore;
class CommPort;
class DeviceChoice;
class PortAssignments;
class QGridLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

// The serial port frame: port choice, line settings, open/close, indicator,
// handshake and output-buffer settings. It owns the port object MSComm1 and
// announces opening and closing; the terminal and the senders follow.
// The device of each Com option can be picked from the devices plugged in
// now (the list follows hot-plug) or typed; a custom line
// setting joins the list.
class SerialPortPanel : public QGroupBox
{
    Q_OBJECT
public:
    SerialPortPanel(AppState &state, QWidget *form, const PortAssignments &devices);

    CommPort *commPort() const { return m_port; }
    QList<QWidget *> focusOrder() const;
    QList<QWidget *> lockedWhileSending() const;
    void showPortState(PortIndicator::State state);
    // After a send in which the line was lost: the controls as a closed port has them.
    void showClosedControls();

    // Start-up: the offered line settings, the first one chosen.
    void startUp();

    // The user's choices between runs; a missing or bad value leaves the
    // control as it is.
    void saveSettings(SettingsStore &store) const;
    void restoreSettings(const SettingsStore &store);
    // Gives the checked Com option another device; false while the port is open.
    bool assignDevice(const QString &path);
    int checkedComNumber() const { return chosenOption(); }

    void settingsClicked(int row); // portSettingsList
    void applyClicked();           // cmdbuff
    void commClicked();            // cmdcomm: open when closed, else close
    void deviceChosen(const QString &path); // cboDevice: a listed or typed device for the chosen Com option
    void customSettingEntered();   // txtCustom

signals:
    // An open begins: the terminal shows that it waits.
    void opening();
    void opened();
    void closed();
    // A choice kept between runs changed.
    void settingsChanged();

private:
    void buildPortChoice(QGridLayout *grid, const PortAssignments &devices);
    void buildDeviceChoice(QGridLayout *grid);
    void buildCustomSetting(QGridLayout *grid);
    int chosenOption() const;
    void chooseLineSetting(const QString &setting);
    void showDevice(int number);
    void showChosenDevice();

    void openSequence();
    void closeSequence();
    void showClosed();
    void portLost(const QString &device);

    AppState &m_state;
    QWidget *m_form;
    CommPort *m_port;
    QRadioButton *m_options[4] = {};
    QListWidget *m_settings;
    QLabel *m_settingLabel;
    QPushButton *m_commButton;
    QLabel *m_indicator;
    QPushButton *m_applyButton;
    QListWidget *m_handshake;
    QLineEdit *m_buffer;
    QLabel *m_transmitActive;
    QLabel *m_deviceLabels[4] = {};
    DeviceChoice *m_device = nullptr;
    QLineEdit *m_custom = nullptr;
    bool m_handshakeApplied = false; // the port's handshake is the user's choice, not its default
};
