#pragma once

#include <QStringList>

// `tavrel send --port PATH [FILE|-]`: sends a stream (as `tavrel convert
// --stream` prints it) with the pacing of "Send to LCD", and exits once the
// last byte has left the driver.
namespace SendCommand {

int run(const QStringList &arguments);

// The bytes to send from a file's content: one trailing line break (as
// `convert` prints it) is not part of the stream.
QByteArray streamFromFileData(QByteArray data);

} // namespace SendCommand
