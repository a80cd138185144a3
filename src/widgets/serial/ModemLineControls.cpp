#include "widgets/serial/ModemLineControls.h"

#include "logic/serial/CommPort.h"
#include "widgets/ui/ControlFactory.h"
#include "widgets/ui/UserMessages.h"
#include "widgets/ui/ControlNames.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTimer>

ModemLineControls::ModemLineControls(CommPort *port, QWidget *form, QWidget *parent)
    : QWidget(parent), m_port(port), m_form(form),
      m_dtr(Controls::checkBox(this, ControlNames::dtrCheck, QStringLiteral("DTR"))),
      m_rts(Controls::checkBox(this, ControlNames::rtsCheck, QStringLiteral("RTS"))),
      m_break(Controls::button(this, ControlNames::breakButton, tr("Break")))
{
    m_break->setAccessibleDescription(tr("Holds the line in break for %1 ms").arg(breakMs));
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(m_dtr);
    row->addWidget(m_rts);
    row->addWidget(m_break, 1);
    connect(m_dtr, &QCheckBox::toggled, this,
            [this](bool on) { setLine(m_dtr, &CommPort::setDataTerminalReady, on); });
    connect(m_rts, &QCheckBox::toggled, this,
            [this](bool on) { setLine(m_rts, &CommPort::setRequestToSend, on); });
    connect(m_break, &QPushButton::clicked, this, &ModemLineControls::breakClicked);
    showPortOpen(false);
}

QList<QWidget *> ModemLineControls::controls() const
{
    return {m_dtr, m_rts, m_break};
}

void ModemLineControls::showPortOpen(bool open)
{
    for (QWidget *control : controls())
        control->setEnabled(open);
    const QSignalBlocker dtr(m_dtr);
    const QSignalBlocker rts(m_rts);
    m_dtr->setChecked(open);
    m_rts->setChecked(open);
}

void ModemLineControls::setLine(QCheckBox *box, bool (CommPort::*setter)(bool), bool on)
{
    if ((m_port->*setter)(on))
        return;
    const QSignalBlocker block(box);
    box->setChecked(!on);
    UserMessages::inform(m_form, m_port->errorString());
}

void ModemLineControls::breakClicked()
{
    if (!m_port->setBreakEnabled(true)) {
        UserMessages::inform(m_form, m_port->errorString());
        return;
    }
    QTimer::singleShot(breakMs, this, &ModemLineControls::endBreak);
}

void ModemLineControls::endBreak()
{
    if (m_port->portOpen())
        m_port->setBreakEnabled(false);
}
