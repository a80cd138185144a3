#include "serial/LinkSettingsPanel.h"

#include "app/AppState.h"
#include "app/ControlFactory.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

LinkSettingsPanel::LinkSettingsPanel(AppState &state, QWidget *form)
    : QObject(form), m_state(state), m_form(form), m_io(buildIo(form)), m_eeprom(buildEeprom(form))
{
}

QGroupBox *LinkSettingsPanel::buildIo(QWidget *parent)
{
    auto *frame = Controls::frame(parent, QStringLiteral("Frame5"), tr("I/O"));
    auto *grid = new QGridLayout(frame);
    grid->setContentsMargins(6, 2, 6, 4);
    grid->setVerticalSpacing(2);
    auto *buffer = Controls::list(frame, QStringLiteral("List2"), {"2", "4", "8", "16", "32", "64", "128"}, QString());
    auto *delay = Controls::list(frame, QStringLiteral("List3"),
                                 {"5", "10", "15", "20", "25", "30", "35", "40", "45", "50", "100"}, QString());
    for (QListWidget *list : {buffer, delay})
        list->setFixedSize(70, 64);
    auto *xmit = Controls::lineEdit(frame, QStringLiteral("xmitdelay"), QStringLiteral("5"), QString());
    xmit->setMaximumWidth(70);
    grid->addWidget(Controls::label(frame, QStringLiteral("Label7"), tr("PIC Buffer"), buffer), 0, 0);
    grid->addWidget(Controls::label(frame, QStringLiteral("Label8"), tr("PIC Delay(ms)"), delay), 0, 1);
    grid->addWidget(Controls::label(frame, QStringLiteral("Label11"), tr("Xmit Delay(ms)"), xmit), 0, 2);
    grid->addWidget(buffer, 1, 0, 2, 1);
    grid->addWidget(delay, 1, 1, 2, 1);
    grid->addWidget(xmit, 1, 2);
    grid->addWidget(Controls::button(frame, QStringLiteral("cmdApply"), tr("Apply")), 2, 2);
    grid->addWidget(Controls::button(frame, QStringLiteral("cmdlcd"), tr("&Disp Eprom")), 3, 2);
    return frame;
}

QGroupBox *LinkSettingsPanel::buildEeprom(QWidget *parent)
{
    auto *frame = Controls::frame(parent, QStringLiteral("Frame10"), tr("I2C Eeprom"));
    auto *grid = new QGridLayout(frame);
    grid->setContentsMargins(6, 2, 6, 4);
    auto *check = Controls::checkBox(frame, QStringLiteral("Check1"), QString());
    check->setAccessibleName(tr("Load EEprom"));
    auto *address = Controls::lineEdit(frame, QStringLiteral("eeprom"), QStringLiteral("00000"), QString());
    address->setMaxLength(5);
    address->setMaximumWidth(70);
    address->setEnabled(false);
    Controls::setBackground(address, frame->palette().color(QPalette::Mid));
    grid->addWidget(check, 0, 0);
    grid->addWidget(Controls::label(frame, QStringLiteral("Label13"), tr("Load EEprom")), 0, 1);
    grid->addWidget(Controls::label(frame, QStringLiteral("Label12"), tr("Start Addr"), address), 1, 0, 1, 2);
    grid->addWidget(address, 1, 2);
    return frame;
}
