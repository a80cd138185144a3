#pragma once

#include <QtGlobal>

class QSerialPort;

// What an open port still holds for the line: QSerialPort's own buffer, the
// driver's queue and the UART's shift register.
namespace PortOutputQueue {

// Bytes handed to the port that are not yet on the line (as far as the driver tells).
qsizetype inFlight(QSerialPort *port);
// Everything written has left the port, the driver and the transmitter.
bool drained(QSerialPort *port);

} // namespace PortOutputQueue
