#pragma once

#include <QObject>

struct AppState;
class SettingsStore;
class CommPort;
class QCheckBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QWidget;

// Frames "I/O" (PIC buffer, PIC delay, transmit delay, "&Disp Eprom") and
// "I2C Eeprom" (target switch and start address), and the wait character
// box, which stands in the output format frame.
class PicLinkControls : public QObject
{
    Q_OBJECT
public:
    PicLinkControls(AppState &state, CommPort *port, QWidget *form);

    QGroupBox *ioFrame() const { return m_io; }
    QGroupBox *eepromFrame() const { return m_eeprom; }
    QLineEdit *waitCharBox() const { return m_waitChars; }
    QList<QWidget *> ioFocusOrder() const;
    QList<QWidget *> eepromFocusOrder() const;
    QList<QWidget *> lockedWhileSending() const;

    QString eepromAddressText() const;
    QString transmitDelayText() const;
    QString waitCharText() const;
    // "Wait for PIC": each block waits for the PIC's ready byte instead of the transmit delay.
    bool waitsForPic() const;

    // Start-up: buffer 32, delay 10 ms.
    void startUp();

    // The user's choices between runs; a missing or bad value leaves the
    // control as it is.
    void saveSettings(SettingsStore &store) const;
    void restoreSettings(const SettingsStore &store);

    // The text of Apply's confirmation for the settings now in force.
    static QString settingsNowText(int bufferSize, int delayMs, const QString &waitChars, const QString &xmitDelay);

    void bufferClicked(int row);               // picBufferList
    void delayClicked(int row);                // picDelayList
    void waitCharsChanged(const QString &text); // waitCharBox
    void applyClicked();                       // Apply
    void eepromTargetClicked(bool checked);    // loadEepromCheck
    void displayEepromClicked();               // Disp Eprom

signals:
    // The target switched between the LCD and the I2C EEPROM.
    void targetChanged(bool eeprom);
    // A choice kept between runs changed.
    void settingsChanged();

private:
    QGroupBox *buildIo(QWidget *parent);
    QGroupBox *buildEeprom(QWidget *parent);

    AppState &m_state;
    CommPort *m_port;
    QWidget *m_form;
    QLineEdit *m_waitChars;
    QPushButton *m_apply = nullptr;
    QPushButton *m_displayEeprom = nullptr;
    QListWidget *m_buffer = nullptr;
    QListWidget *m_delay = nullptr;
    QLineEdit *m_xmitDelay = nullptr;
    QCheckBox *m_waitForPic = nullptr;
    QCheckBox *m_target = nullptr;
    QLineEdit *m_address = nullptr;
    QGroupBox *m_io;
    QGroupBox *m_eeprom;
};
