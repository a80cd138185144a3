#pragma once

#include <QObject>

struct AppState;
class QCheckBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
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

    // The text of the cmdApply confirmation for the settings now in force.
    static QString settingsNowText(int bufferSize, int delayMs, const QString &waitChars, const QString &xmitDelay);

    void bufferClicked(int row);               // List2
    void delayClicked(int row);                // List3
    void waitCharsChanged(const QString &text); // Text4
    void applyClicked();                       // cmdApply
    void eepromTargetClicked(bool checked);    // Check1
    void displayEepromClicked();               // cmdlcd

private:
    QGroupBox *buildIo(QWidget *parent);
    QGroupBox *buildEeprom(QWidget *parent);

    AppState &m_state;
    QWidget *m_form;
    QListWidget *m_buffer = nullptr;
    QListWidget *m_delay = nullptr;
    QLineEdit *m_xmitDelay = nullptr;
    QCheckBox *m_target = nullptr;
    QLineEdit *m_address = nullptr;
    QGroupBox *m_io;
    QGroupBox *m_eeprom;
};
