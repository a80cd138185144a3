#pragma once

#include <QByteArray>
#include <QString>

// Standard output that reports its failures: a full disk or a closed
// stdout must not pass for a finished conversion.
namespace StandardStreams {

// Run first in main. A standard stream the caller closed (`>&-`) is held
// by /dev/null opened for reading only, so writing to it fails as it should
// and no file opened later takes its number and receives the output.
void guardClosed();

// Writes everything to standard output; false with the system's reason.
bool writeOut(const QByteArray &bytes, QString *reason);

} // namespace StandardStreams
