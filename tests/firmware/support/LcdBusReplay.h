#pragma once

#include "GpsimRun.h"

#include <QByteArray>
#include <QString>

// The LCD controllers as the firmware's port writes drive them (see
// firmware/pins.inc): each model latches the data port on its strobe edge
// and keeps its own display memory, which starts filled with 0x55 so a
// byte never written shows.
namespace LcdBusReplay {

struct Lcd
{
    QByteArray memory; // in the order of the picture's bytes
    QString problem;   // a controller left off or set up wrongly
};

// KS0108 pair, 128 wide: `pages` pages of 128 bytes (chip 1 then chip 2).
Lcd ks0108(const QVector<PortWrite> &writes, int pages);
// T6963C: `bytes` of graphics memory from the graphics home address, which
// must be 0 with an area of `bytesPerRow`.
Lcd t6963c(const QVector<PortWrite> &writes, int bytesPerRow, int bytes);

} // namespace LcdBusReplay
