#include "WindowOnPty.h"

#include "logic/serial/PortAssignments.h"
#include "widgets/ui/ControlNames.h"

#include <QAbstractButton>
#include <QLabel>

WindowOnPty::WindowOnPty() : pty(std::make_unique<PseudoTerminal>())
{
    PortAssignments ports;
    ports.setDevice(1, pty->slavePath());
    window = std::make_unique<MainWindow>(ports);
    line = std::make_unique<LineRecorder>(pty->masterFd());
}

WindowOnPty::~WindowOnPty()
{
    line.reset();
    window.reset();
}

bool WindowOnPty::openPort() const
{
    auto *openClose = get<QAbstractButton>(ControlNames::portOpenButton);
    auto *indicator = get<QLabel>(ControlNames::portStateLabel);
    if (!openClose || !indicator)
        return false;
    openClose->click();
    return indicator->text() == QLatin1String("ON");
}
