#pragma once

#include "logic/core/PicLink.h"
#include "logic/output/TransmitDelay.h"
#include "logic/serial/SerialLineFormat.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <variant>

class CommPort;

// `tavrel send --port PATH [FILE|-]`: sends a stream (as `tavrel convert
// --stream` prints it) with the pacing of "Send to LCD", and exits once the
// last byte has left the driver.
namespace SendCommand {

struct Request
{
    QString port;
    QString settings = SerialLineFormat::DefaultText;
    int xmitDelayMs = TransmitDelay::defaultLcdMs;
    QString waitChars = PicLink::DefaultWaitChars;
    QString file = QStringLiteral("-");
    bool acknowledged = false; // wait for the PIC's verdict instead of pausing
    int ackTimeoutMs = 0;      // 0: ten times a block's line time plus 200 ms
};

int run(const QStringList &arguments);
// The arguments as a request, or the exit code when they end the command
// (--help, a usage error); nothing is read and no port is touched.
std::variant<Request, int> parse(const QStringList &arguments);

// The bytes to send from a file's content: one trailing line break (as
// `convert` prints it) is not part of the stream.
QByteArray streamFromFileData(QByteArray data);

// Sends `bytes` through the open `port` and returns the exit code once the
// send has ended, however it ended; a failure is reported on standard error.
int transmit(CommPort &port, const QByteArray &bytes, int pauseByte, int pauseMs);
// The same, acknowledged: the request goes in front of `stream`, and each
// block waits for the PIC's verdict.
int transmitAcknowledged(CommPort &port, const QByteArray &stream, int waitByte, int timeoutMs);

} // namespace SendCommand
