#include "cli/SendCommand.h"

#include "cli/CommandLine.h"
#include "logic/core/AckProtocol.h"
#include "logic/core/BoundedRead.h"
#include "logic/output/Latin1Text.h"
#include "logic/output/PacedSender.h"
#include "logic/output/TextDecoding.h"
#include "logic/output/TextFiles.h"
#include "logic/serial/CommPort.h"
#include "logic/serial/SerialLineFormat.h"

#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTextStream>
#include <unistd.h>

namespace SendCommand {

namespace {

const QString Command = QStringLiteral("send");

void describe(QCommandLineParser &parser)
{
    parser.setApplicationDescription(QStringLiteral(
        "Sends a stream to the PIC with the pacing of \"Send to LCD\": before every wait character the line\n"
        "is drained and stays quiet for the transmit delay. Reads FILE, or standard input for \"-\" or none,\n"
        "as UTF-8 (or Latin-1 when it is not valid UTF-8); a character outside Latin-1 is refused before\n"
        "any byte goes out. The defaults are those the window starts with."));
    parser.addOption(CommandLine::helpOption());
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("the stream; \"-\" for standard input"),
                                 QStringLiteral("[FILE|-]"));
    parser.addOptions({
        {QStringLiteral("port"), QStringLiteral("Serial device, e.g. /dev/ttyUSB0 (required); a relative path "
                                                "starts in the working directory."), QStringLiteral("PATH")},
        {QStringLiteral("settings"), QStringLiteral("Line settings: baud,parity,data bits,stop bits "
                                                    "(default 19200,n,8,1)."), QStringLiteral("SETTINGS")},
        {QStringLiteral("xmit-delay"), QStringLiteral("Pause before each wait character in ms (default 5)."),
         QStringLiteral("MS")},
        {QStringLiteral("wait"), QStringLiteral("Wait character (default \"]\")."), QStringLiteral("TEXT")},
        {QStringLiteral("ack"), QStringLiteral("Wait for the PIC's ready byte after the header and after each block "
                                               "instead of the transmit delay; a refused block is sent again up to "
                                               "3 times. Needs firmware that answers it.")},
        {QStringLiteral("ack-timeout"), QStringLiteral("With --ack: how long a block may go unanswered before the "
                                                       "send stops (default ten times the block's line time plus "
                                                       "200 ms)."), QStringLiteral("MS")},
    });
}


bool parseAcknowledgement(const QCommandLineParser &parser, Request *request, QString *error);

bool parseRequest(const QCommandLineParser &parser, Request *request, QString *error)
{
    request->port = parser.value("port");
    if (request->port.isEmpty()) {
        *error = QStringLiteral("--port PATH is required");
        return false;
    }
    if (parser.isSet("settings"))
        request->settings = parser.value("settings");
    if (!SerialLineFormat::parse(request->settings)) {
        *error = QStringLiteral("bad line settings \"%1\" (expected e.g. 19200,n,8,1)").arg(request->settings);
        return false;
    }
    if (parser.isSet("xmit-delay")) {
        bool ok = false;
        request->xmitDelayMs = parser.value("xmit-delay").toInt(&ok);
        if (!ok || request->xmitDelayMs < 0 || request->xmitDelayMs > 60000) {
            *error = QStringLiteral("--xmit-delay must be a whole number of milliseconds, 0 to 60000");
            return false;
        }
    }
    if (parser.isSet("wait"))
        request->waitChars = parser.value("wait");
    const QStringList positional = parser.positionalArguments();
    if (positional.size() > 1) {
        *error = QStringLiteral("only one FILE, please");
        return false;
    }
    if (!positional.isEmpty())
        request->file = positional.first();
    return parseAcknowledgement(parser, request, error);
}

bool parseAcknowledgement(const QCommandLineParser &parser, Request *request, QString *error)
{
    request->acknowledged = parser.isSet("ack");
    if (parser.isSet("ack-timeout")) {
        bool ok = false;
        request->ackTimeoutMs = parser.value("ack-timeout").toInt(&ok);
        if (!ok || !request->acknowledged || request->ackTimeoutMs < 1 || request->ackTimeoutMs > 600000) {
            *error = QStringLiteral("--ack-timeout goes with --ack and is 1 to 600000 ms");
            return false;
        }
    }
    if (request->acknowledged && PacedSender::pauseByteFor(request->waitChars) < 0) {
        *error = QStringLiteral("--ack needs a wait character of exactly one character");
        return false;
    }
    return true;
}

// The stream's characters, read with the window's size limit for text to
// send, whatever the input is (a file, a device, a FIFO, a pipe).
bool readStream(const QString &path, QString *text, QString *error)
{
    const bool standardInput = path == QLatin1String("-");
    const QString shown = standardInput ? QStringLiteral("standard input") : path;
    QFile file;
    const bool opened = standardInput ? file.open(STDIN_FILENO, QIODevice::ReadOnly)
                                      : (file.setFileName(path), file.open(QIODevice::ReadOnly));
    if (!opened) {
        *error = QStringLiteral("cannot read %1: %2").arg(shown, file.errorString());
        return false;
    }
    const BoundedRead::Result read = BoundedRead::readAll(file, TextFiles::maxLoadBytes);
    if (read.status != BoundedRead::Status::Complete) {
        *error = QStringLiteral("cannot read %1: %2").arg(shown, read.status == BoundedRead::Status::TooLarge
                                                                    ? BoundedRead::tooLargeReason(TextFiles::maxLoadBytes)
                                                                    : read.systemReason);
        return false;
    }
    *text = TextDecoding::fromBytes(streamFromFileData(read.data));
    return true;
}

// "\rsent 1200 of 3850 bytes" on a terminal, at most every 100 ms.
class ProgressLine
{
public:
    explicit ProgressLine(qsizetype total) : m_total(total), m_shown(isatty(STDERR_FILENO)) { m_clock.start(); }
    void update(qsizetype sent, bool force = false)
    {
        if (!m_shown || (!force && m_clock.elapsed() < 100))
            return;
        m_clock.restart();
        m_open = true;
        QTextStream(stderr) << "\rsent " << sent << " of " << m_total << " bytes";
    }
    void updateBlocks(int done, int total)
    {
        if (!m_shown || (done < total && m_clock.elapsed() < 100))
            return;
        m_clock.restart();
        m_open = true;
        QTextStream(stderr) << "\racknowledged " << done << " of " << total << " blocks";
    }
    // Ends the line so that what follows starts on its own.
    void close()
    {
        if (m_open)
            QTextStream(stderr) << '\n';
        m_open = false;
    }

private:
    qsizetype m_total;
    bool m_shown;
    bool m_open = false;
    QElapsedTimer m_clock;
};

int openAndSend(const Request &request, const QByteArray &bytes)
{
    PortAssignments devices;
    devices.setDevice(1, request.port);
    CommPort port(devices);
    if (!port.setSettings(request.settings) || !port.setPortOpen(true))
        return CommandLine::failure(Command, port.errorString()); // names the device
    const int waitByte = PacedSender::pauseByteFor(request.waitChars);
    if (request.acknowledged)
        return transmitAcknowledged(port, bytes, waitByte, request.ackTimeoutMs);
    return transmit(port, bytes, waitByte, request.xmitDelayMs);
}

} // namespace

QByteArray streamFromFileData(QByteArray data)
{
    if (data.endsWith('\n'))
        data.chop(1);
    if (data.endsWith('\r'))
        data.chop(1);
    return data;
}

namespace {

// Runs the sender started by `start` until the send ends; the exit code.
template <typename Start>
int runSend(CommPort &port, PacedSender &sender, qsizetype total, Start start)
{
    ProgressLine progress(total);
    QEventLoop loop;
    // The send may end inside start(), before the loop runs: a quit() then
    // would be lost, so the end is also remembered here.
    bool ended = false;
    QString failure; // empty when every byte went out
    const auto end = [&](const QString &reason) {
        ended = true;
        failure = reason;
        loop.quit();
    };
    QObject::connect(&sender, &PacedSender::progressed, &loop, [&](qsizetype sent) {
        if (!sender.isAcknowledged())
            progress.update(sent);
    });
    QObject::connect(&sender, &PacedSender::acknowledged, &loop,
                     [&progress](int done, int blocks) { progress.updateBlocks(done, blocks); });
    QObject::connect(&sender, &PacedSender::received, &loop,
                     [](const QByteArray &bytes) { QTextStream(stdout) << QString::fromLatin1(bytes) << Qt::flush; });
    QObject::connect(&sender, &PacedSender::finished, &loop, [&] {
        if (!sender.isAcknowledged())
            progress.update(total, true);
        end(QString());
    });
    QObject::connect(&sender, &PacedSender::failed, &loop, [&](const QString &reason) { end(reason); });
    // Comes right after the sender's own "port closed": the device's name says more.
    QObject::connect(&port, &CommPort::connectionLost, &loop, [&] { end(port.errorString()); });
    if (!start())
        end(QStringLiteral("%1 is not open.").arg(port.device()));
    if (!ended)
        loop.exec();
    progress.close();
    return failure.isEmpty() ? CommandLine::Success : CommandLine::failure(Command, failure);
}

} // namespace

int transmit(CommPort &port, const QByteArray &bytes, int pauseByte, int pauseMs)
{
    PacedSender sender;
    return runSend(port, sender, bytes.size(),
                   [&] { return sender.start(port.serialPort(), bytes, pauseByte, pauseMs); });
}

int transmitAcknowledged(CommPort &port, const QByteArray &stream, int waitByte, int timeoutMs)
{
    PacedSender sender;
    const QByteArray bytes = AckProtocol::RequestChar + stream;
    return runSend(port, sender, bytes.size(),
                   [&] { return sender.startAcknowledged(port.serialPort(), bytes, waitByte, timeoutMs); });
}

std::variant<Request, int> parse(const QStringList &arguments)
{
    return CommandLine::readRequest(arguments, Command, &describe, &parseRequest);
}

int run(const QStringList &arguments)
{
    const std::variant<Request, int> parsed = parse(arguments);
    if (const int *exitCode = std::get_if<int>(&parsed))
        return *exitCode;
    const Request &request = std::get<Request>(parsed);
    QString error;
    QString text;
    if (!readStream(request.file, &text, &error))
        return CommandLine::failure(Command, error);
    if (text.isEmpty()) {
        QTextStream(stderr) << "tavrel send: nothing to send\n";
        return CommandLine::Success;
    }
    // As in the window: refused before the port opens, so no byte goes out.
    const qsizetype outside = Latin1Text::firstOutside(text);
    if (outside >= 0)
        return CommandLine::failure(Command, Latin1Text::sendRefusal(text, outside));
    return openAndSend(request, text.toLatin1());
}

} // namespace SendCommand
