#pragma once

#include <QStringList>

// `tavrel virtual-lcd`: a virtual PIC with its LCD and EEPROM on a
// pseudo-terminal, so a send can be tried without the board. It prints the
// device path, reports every stream's faults and a one-line summary, and
// runs until SIGINT or SIGTERM. Exit 0 when every stream was clean.
namespace VirtualLcdCommand {

int run(const QStringList &arguments);

} // namespace VirtualLcdCommand
