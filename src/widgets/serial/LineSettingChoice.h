#pragma once

#include <QObject>

class CommPort;
class QGridLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QWidget;

// The line settings offered (baud rate, parity, data and stop bits), the
// port's own one in the label above them, and the Custom box, whose typed
// setting joins the list. Choosing one gives it to the port at once. The
// controls sit in the serial port frame's grid.
class LineSettingChoice : public QObject
{
    Q_OBJECT
public:
    // `form` parents the messages.
    LineSettingChoice(QWidget *frame, QGridLayout *grid, CommPort *port, QWidget *form);
    // The Custom row, built after the frame's other controls.
    void addCustomBox(QGridLayout *grid);

    QListWidget *list() const { return m_settings; }
    QLineEdit *customBox() const { return m_custom; }
    // Start-up: the offered settings, the first one chosen.
    void startUp();
    // Selects a line setting, adding it to the list when it is not there yet.
    void choose(const QString &setting);

signals:
    void changed(); // another setting was chosen

private:
    void settingClicked(int row);
    void customSettingEntered();

    QWidget *m_frame;
    CommPort *m_port;
    QWidget *m_form;
    QListWidget *m_settings;
    QLabel *m_settingLabel;
    QLineEdit *m_custom = nullptr;
};
