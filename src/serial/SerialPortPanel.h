#pragma once

#include <QGroupBox>

struct AppState;

// The serial port frame: port choice, line settings, open/close, indicator,
// handshake and output-buffer settings.
class SerialPortPanel : public QGroupBox
{
    Q_OBJECT
public:
    SerialPortPanel(AppState &state, QWidget *form);

private:
    AppState &m_state;
    QWidget *m_form;
};
