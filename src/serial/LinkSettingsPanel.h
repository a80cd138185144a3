#pragma once

#include <QObject>

struct AppState;
class QGroupBox;
class QWidget;

// Frames "I/O" (PIC buffer, PIC delay, transmit delay, "&Disp Eprom") and
// "I2C Eeprom" (target switch and start address).
class LinkSettingsPanel : public QObject
{
    Q_OBJECT
public:
    LinkSettingsPanel(AppState &state, QWidget *form);

    QGroupBox *ioFrame() const { return m_io; }
    QGroupBox *eepromFrame() const { return m_eeprom; }

private:
    QGroupBox *buildIo(QWidget *parent);
    QGroupBox *buildEeprom(QWidget *parent);

    AppState &m_state;
    QWidget *m_form;
    QGroupBox *m_io;
    QGroupBox *m_eeprom;
};
