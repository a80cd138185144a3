#pragma once

#include <QStringList>

#include <variant>

// `tavrel send --port PATH [FILE|-]`: sends a stream (as `tavrel convert
// --stream` prints it) with the pacing of "Send to LCD", and exits once the
// last byte has left the driver.
namespace SendCommand {

struct Request
{
    QString port;
    QString settings = QStringLiteral("19200,n,8,1");
    int xmitDelayMs = 5;
    QString waitChars = QStringLiteral("]");
    QString file = QStringLiteral("-");
};

// The request the arguments (the first one is the command's name) describe,
// or the exit code when the command ends here: --help answered on standard
// output, or wrong usage reported on standard error. Opens neither the port
// nor the file.
std::variant<Request, int> parse(const QStringList &arguments);

int run(const QStringList &arguments);

// The bytes to send from a file's content: one trailing line break (as
// `convert` prints it) is not part of the stream.
QByteArray streamFromFileData(QByteArray data);

} // namespace SendCommand
