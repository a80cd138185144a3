#include "serial/SerialPortPanel.h"

#include "app/AppState.h"
#include "app/ControlFactory.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

SerialPortPanel::SerialPortPanel(AppState &state, QWidget *form)
    : QGroupBox(form), m_state(state), m_form(form)
{
    setObjectName(QStringLiteral("Frame3"));
    setAccessibleName(tr("Serial port"));
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(6, 4, 6, 4);
    grid->setVerticalSpacing(2);
    for (int i = 0; i < 4; ++i) {
        auto *option = Controls::option(this, QStringLiteral("Option1_%1").arg(i), tr("Com%1").arg(i + 1));
        option->setChecked(i == 0);
        grid->addWidget(option, i, 0);
    }
    auto *settings = Controls::list(this, QStringLiteral("List1"), {}, QString());
    settings->setFixedSize(100, 60);
    grid->addWidget(Controls::valueLabel(this, QStringLiteral("Label2"), tr("Setting"), tr("Port settings")), 0, 1);
    settings->setAccessibleName(tr("Setting"));
    grid->addWidget(settings, 1, 1, 3, 1);
    grid->addWidget(Controls::button(this, QStringLiteral("cmdcomm"), tr("Open")), 0, 2);
    auto *indicator = Controls::valueLabel(this, QStringLiteral("comm"), tr("OFF"), tr("Port state"));
    indicator->setAlignment(Qt::AlignCenter);
    indicator->setMinimumWidth(50);
    Controls::setBackground(indicator, QColor(192, 0, 0));
    grid->addWidget(indicator, 1, 2);
    grid->addWidget(Controls::button(this, QStringLiteral("cmdbuff"), tr("Apply")), 2, 2);

    auto *handshake = Controls::list(this, QStringLiteral("proto"), {"Off", "XoXoff", "Rts", "XonRts"}, QString());
    handshake->setFixedSize(80, 60);
    auto *buffer = Controls::lineEdit(this, QStringLiteral("combuff"), QStringLiteral("512"), QString());
    buffer->setMaximumWidth(60);
    grid->addWidget(Controls::label(this, QStringLiteral("Label23"), tr("Handshake"), handshake), 0, 3);
    grid->addWidget(handshake, 1, 3, 3, 1);
    grid->addWidget(Controls::label(this, QStringLiteral("Label22"), tr("Com out buff"), buffer), 4, 3);
    grid->addWidget(buffer, 4, 2);
    auto *active = Controls::label(this, QStringLiteral("lblxmit"), tr("Transmit Window Active"));
    active->hide();
    grid->addWidget(active, 4, 0, 1, 2);
}
