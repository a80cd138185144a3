#pragma once

class QLabel;

// The port-state indicator `comm`: "OFF" on red while closed, "ON" on green
// while open and idle, "Busy" on orange while a send runs.
namespace PortIndicator {

enum class State { Off, On, Busy };

void show(QLabel *indicator, State state);

} // namespace PortIndicator
