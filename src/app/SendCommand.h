#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class CommPort;

// `tavrel send --port PATH [FILE|-]`: sends a stream (as `tavrel convert
// --stream` prints it) with the pacing of "Send to LCD", and exits once the
// last byte has left the driver.
namespace SendCommand {

int run(const QStringList &arguments);

// The bytes to send from a file's content: one trailing line break (as
// `convert` prints it) is not part of the stream.
QByteArray streamFromFileData(QByteArray data);

// Sends `bytes` through the open `port` and returns the exit code once the
// send has ended, however it ended; a failure is reported on standard error.
int transmit(CommPort &port, const QByteArray &bytes, int pauseByte, int pauseMs);

} // namespace SendCommand
