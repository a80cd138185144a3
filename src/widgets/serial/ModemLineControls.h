#pragma once

#include <QWidget>

class CommPort;
class QCheckBox;
class QPushButton;

// DTR and RTS toggles and a Break button for the open port: PIC bootloaders
// are reset that way. A device without modem lines refuses with a message
// and the toggle goes back; while the port is closed they are disabled.
class ModemLineControls : public QWidget
{
    Q_OBJECT
public:
    // A PIC bootloader needs the line held in break for a moment.
    static constexpr int breakMs = 250;

    // `form` is the window messages belong to.
    ModemLineControls(CommPort *port, QWidget *form, QWidget *parent);

    QList<QWidget *> controls() const;
    // The serial driver raises DTR and RTS as a port opens.
    void showPortOpen(bool open);

    void breakClicked();

private:
    void setLine(QCheckBox *box, bool (CommPort::*setter)(bool), bool on);
    void endBreak();

    CommPort *m_port;
    QWidget *m_form;
    QCheckBox *m_dtr;
    QCheckBox *m_rts;
    QPushButton *m_break;
};
