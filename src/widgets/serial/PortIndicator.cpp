#include "widgets/serial/PortIndicator.h"

#include "widgets/ui/ControlFactory.h"

#include <QCoreApplication>
#include <QLabel>

namespace PortIndicator {

void show(QLabel *indicator, State state)
{
    switch (state) {
    case State::Off:
        indicator->setText(QCoreApplication::translate("PortIndicator", "OFF"));
        Controls::setBackground(indicator, QColor(192, 0, 0));
        break;
    case State::On:
        indicator->setText(QCoreApplication::translate("PortIndicator", "ON"));
        Controls::setBackground(indicator, QColor(0, 192, 0));
        break;
    case State::Busy:
        indicator->setText(QCoreApplication::translate("PortIndicator", "Busy"));
        Controls::setBackground(indicator, QColor(255, 128, 0));
        break;
    }
}

} // namespace PortIndicator
