#pragma once

#include "logic/virtual/ReceivedHeader.h"

// What the PIC receiver firmware of firmware/ needs, measured by running it
// in gpsim: after a block's last character it writes the block (to the LCD,
// or to the EEPROM a page at a time with a 5 ms write cycle each), then
// waits the header's delay; only then does it read the line again.
namespace ReceiverFirmware {

// The name `tavrel virtual-lcd --firmware` takes.
inline constexpr char name[] = "tavrel-receiver";

// How long the firmware is busy after a block of the header's size, with a
// little to spare, for the worst start address (a block that straddles an
// EEPROM page boundary).
qint64 busyNs(const ReceivedHeader &header);
// The shortest quiet time after a block before the next wait character
// that loses nothing at 19200 baud: the busy time less the two characters
// the PIC's receiver holds meanwhile.
qint64 needsPauseNs(const ReceivedHeader &header);

} // namespace ReceiverFirmware
