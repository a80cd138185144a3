#pragma once

#include "logic/serial/SerialLineFormat.h"

#include <QString>

// What a serial line really runs, read back from the driver after a
// setting: some drivers take a setting without a word and keep their own
// (a pseudo-terminal keeps 8 data bits and no parity). A UART sends 1.5
// stop bits when given two with 5 data bits; Linux has no other way to ask.
namespace LineReadback {

// Stop bits as the driver is asked for them.
QSerialPort::StopBits requestedStopBits(const SerialLineFormat &wanted);

// Empty when the line on `fd` has the parity, data bits and stop bits of
// `wanted`; otherwise the first part it lacks: "the line keeps parity n
// (o asked)".
QString unappliedPart(int fd, const SerialLineFormat &wanted);

} // namespace LineReadback
