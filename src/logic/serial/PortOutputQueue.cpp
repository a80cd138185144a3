#include "logic/serial/PortOutputQueue.h"

#include <QSerialPort>

#include <sys/ioctl.h>

namespace {

// Bytes still queued in the driver for the line; 0 when the driver cannot
// tell (a pseudo-terminal hands bytes straight to the other side).
qsizetype driverQueued(QSerialPort *port)
{
    int queued = 0;
    if (::ioctl(int(port->handle()), TIOCOUTQ, &queued) != 0)
        return 0;
    return queued;
}

// A UART with an empty queue may still be shifting out its last bytes.
bool transmitterBusy(QSerialPort *port)
{
#ifdef TIOCSERGETLSR
    unsigned int status = 0;
    if (::ioctl(int(port->handle()), TIOCSERGETLSR, &status) == 0)
        return !(status & TIOCSER_TEMT);
#else
    Q_UNUSED(port);
#endif
    return false;
}

} // namespace

qsizetype PortOutputQueue::inFlight(QSerialPort *port)
{
    return port->bytesToWrite() + driverQueued(port);
}

bool PortOutputQueue::drained(QSerialPort *port)
{
    return port->bytesToWrite() == 0 && driverQueued(port) == 0 && !transmitterBusy(port);
}
