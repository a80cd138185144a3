#pragma once

#include "widgets/serial/PortIndicator.h"

#include <QGroupBox>

struct AppState;
class SettingsStore;
class ComPortChoice;
class CommPort;
class LineSettingChoice;
class PortAssignments;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// The serial port frame: port choice, line settings, open/close, indicator,
// handshake and output-buffer settings. It owns the CommPort and
// announces opening and closing; the terminal and the senders follow.
// The Com options with their devices are a ComPortChoice, the line
// settings a LineSettingChoice.
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
    int checkedComNumber() const;

    void applyClicked();           // the Apply button beside the output buffer
    void commClicked();            // Open: open when closed, else close

signals:
    // An open begins: the terminal shows that it waits.
    void opening();
    void opened();
    void closed();
    // A choice kept between runs changed.
    void settingsChanged();

private:
    void openSequence();
    void closeSequence();
    void showClosed();
    void portLost(const QString &device);

    AppState &m_state;
    QWidget *m_form;
    CommPort *m_port;
    ComPortChoice *m_com;
    LineSettingChoice *m_line;
    QPushButton *m_commButton;
    QLabel *m_indicator;
    QPushButton *m_applyButton;
    QListWidget *m_handshake;
    QLineEdit *m_buffer;
    QLabel *m_transmitActive;
    bool m_handshakeApplied = false; // the port's handshake is the user's choice, not its default
};
