#include "app/SendCommand.h"

#include "app/CommandLine.h"
#include "output/PacedSender.h"
#include "serial/CommPort.h"
#include "serial/LineSettings.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTextStream>
#include <unistd.h>

namespace SendCommand {

namespace {

void describe(QCommandLineParser &parser)
{
    parser.setApplicationDescription(QStringLiteral(
        "Sends a stream to the PIC with the pacing of \"Send to LCD\": before every wait character the line\n"
        "is drained and stays quiet for the transmit delay. Reads FILE, or standard input for \"-\" or none."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("the stream; \"-\" for standard input"),
                                 QStringLiteral("[FILE|-]"));
    parser.addOptions({
        {QStringLiteral("port"), QStringLiteral("Serial device, e.g. /dev/ttyUSB0 (required)."), QStringLiteral("PATH")},
        {QStringLiteral("settings"), QStringLiteral("Line settings: baud,parity,data bits,stop bits "
                                                    "(default 19200,n,8,1)."), QStringLiteral("SETTINGS")},
        {QStringLiteral("xmit-delay"), QStringLiteral("Pause before each wait character in ms (default 5)."),
         QStringLiteral("MS")},
        {QStringLiteral("wait"), QStringLiteral("Wait character (default \"]\")."), QStringLiteral("TEXT")},
    });
}

bool parseRequest(const QCommandLineParser &parser, Request *request, QString *error)
{
    request->port = parser.value("port");
    if (request->port.isEmpty()) {
        *error = QStringLiteral("--port PATH is required");
        return false;
    }
    if (parser.isSet("settings"))
        request->settings = parser.value("settings");
    if (!LineSettings::parse(request->settings)) {
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
    return true;
}

bool readStream(const QString &path, QByteArray *bytes, QString *error)
{
    QFile file;
    const bool opened = path == QLatin1String("-") ? file.open(stdin, QIODevice::ReadOnly)
                                                   : (file.setFileName(path), file.open(QIODevice::ReadOnly));
    if (!opened) {
        *error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return false;
    }
    *bytes = streamFromFileData(file.readAll());
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
        QTextStream(stderr) << "\rsent " << sent << " of " << m_total << " bytes" << (force ? "\n" : "");
    }

private:
    qsizetype m_total;
    bool m_shown;
    QElapsedTimer m_clock;
};

int send(const Request &request, const QByteArray &bytes)
{
    QTextStream err(stderr);
    PortAssignments devices;
    devices.setDevice(1, request.port);
    CommPort port(devices);
    if (!port.setSettings(request.settings) || !port.setPortOpen(true)) {
        return CommandLine::failure(QStringLiteral("send"),
                                    QStringLiteral("cannot open %1: %2").arg(request.port, port.errorString()));
    }
    PacedSender sender;
    ProgressLine progress(bytes.size());
    int exitCode = CommandLine::Success;
    QObject::connect(&sender, &PacedSender::progressed, &sender, [&progress](qsizetype sent) { progress.update(sent); });
    QObject::connect(&sender, &PacedSender::finished, &sender, [&] {
        progress.update(bytes.size(), true);
        QCoreApplication::exit(CommandLine::Success);
    });
    QObject::connect(&sender, &PacedSender::failed, &sender, [&](const QString &reason) {
        err << "\ntavrel send: " << reason << '\n';
        exitCode = CommandLine::Failure;
        QCoreApplication::exit(CommandLine::Failure);
    });
    if (!sender.start(port.serialPort(), bytes, PacedSender::pauseByteFor(request.waitChars), request.xmitDelayMs))
        return CommandLine::Failure;
    const int loopResult = QCoreApplication::exec();
    return exitCode == CommandLine::Success ? loopResult : exitCode;
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

std::variant<Request, int> parse(const QStringList &arguments)
{
    const QString command = QStringLiteral("send");
    QCommandLineParser parser;
    describe(parser);
    if (const auto exitCode = CommandLine::parseArguments(parser, arguments, command))
        return *exitCode;
    Request request;
    QString error;
    if (!parseRequest(parser, &request, &error))
        return CommandLine::usageError(command, error);
    return request;
}

int run(const QStringList &arguments)
{
    const std::variant<Request, int> parsed = parse(arguments);
    if (const int *exitCode = std::get_if<int>(&parsed))
        return *exitCode;
    const Request &request = std::get<Request>(parsed);
    QByteArray bytes;
    QString error;
    if (!readStream(request.file, &bytes, &error))
        return CommandLine::failure(QStringLiteral("send"), error);
    return send(request, bytes);
}

} // namespace SendCommand
