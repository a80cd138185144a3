#include "cli/VirtualLcdCommand.h"

#include "logic/canvas/LcdSizes.h"

#include "cli/CommandLine.h"
#include "logic/virtual/ReceiverFirmware.h"
#include "logic/virtual/VirtualPicConfig.h"
#include "logic/virtual/VirtualLcdDevice.h"
#include "logic/virtual/VirtualPic.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTextStream>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace VirtualLcdCommand {

namespace {


struct Request
{
    VirtualPicConfig config;
    QString linkPath;
    QString pngPath;
};

// "WxH" within the LCD sizes' limits, as convert takes it.
bool parseSize(const QString &text, int *width, int *height)
{
    const QSize size = LcdSizes::parse(text);
    *width = size.width();
    *height = size.height();
    return LcdSizes::isCustomSize(size);
}

// SIGINT and SIGTERM write a byte here; the event loop reads it and quits,
// so the link is removed and the summary printed.
int signalPipe[2] = {-1, -1};

extern "C" void onQuitSignal(int)
{
    const char byte = 0;
    const ssize_t written = ::write(signalPipe[1], &byte, 1);
    (void)written;
}

bool catchQuitSignals()
{
    if (::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return false;
    struct sigaction action = {};
    action.sa_handler = onQuitSignal;
    sigemptyset(&action.sa_mask);
    return sigaction(SIGINT, &action, nullptr) == 0 && sigaction(SIGTERM, &action, nullptr) == 0;
}

void describe(QCommandLineParser &parser)
{
    parser.setApplicationDescription(QStringLiteral(
        "Acts as the PIC with its LCD and I2C EEPROM on a pseudo-terminal, to try a send without the board.\n"
        "Prints the device path, then for every stream its faults and a summary line: blocks, bytes,\n"
        "shortest and median pause, faults. A stream ends after its last block or one quiet second.\n"
        "A fault repeated in a row is printed once with its count; a stream lists at most 1000.\n"
        "The request \"*22000000a\" is answered with \"EEPROM 0000:\" and the first 16 bytes in hex, CR LF.\n"
        "Runs until interrupted; exits 0 when every stream was clean, 1 otherwise."));
    parser.addHelpOption();
    parser.addOptions({
        {QStringLiteral("size"), QStringLiteral("LCD width and height in pixels (default 128x64)."),
         QStringLiteral("WxH")},
        {QStringLiteral("packing"), QStringLiteral("vertical (KS0108 pages, default) or horizontal (T6963C, SED1330 "
                                                   "rows)."), QStringLiteral("vertical|horizontal")},
        {QStringLiteral("link"), QStringLiteral("Make PATH a symbolic link to the device, removed on exit."),
         QStringLiteral("PATH")},
        {QStringLiteral("png"), QStringLiteral("Write the LCD picture to FILE after each stream; after an EEPROM "
                                               "stream, the EEPROM from its start address drawn the same way."),
         QStringLiteral("FILE")},
        {QStringLiteral("eeprom-size"), QStringLiteral("EEPROM size in bytes (default 32768)."),
         QStringLiteral("BYTES")},
        {QStringLiteral("needs-pause"), QStringLiteral("Quiet time the PIC needs after each block before the next "
                                                       "wait character; sooner is a fault."), QStringLiteral("MS")},
        {QStringLiteral("firmware"), QStringLiteral("Judge pauses by what a PIC firmware needs for each stream's "
                                                    "target, block size and delay; NAME is %1, the receiver Tavrel "
                                                    "ships.")
                                         .arg(QLatin1String(ReceiverFirmware::name)), QStringLiteral("NAME")},
        {QStringLiteral("strict"), QStringLiteral("Drop a block whose wait character came too soon, as the PIC "
                                                  "would.")},
        {QStringLiteral("ack"), QStringLiteral("Answer a sender that asks for acknowledgements (tavrel send --ack, "
                                               "\"Wait for PIC\"): a ready byte after the header and after each "
                                               "block, once --needs-pause (or the firmware's write time) has "
                                               "passed; a block cut short or with a fault is refused.")},
    });
}

bool parseNumbers(const QCommandLineParser &parser, Request *request, QString *error)
{
    bool ok = true;
    if (parser.isSet("eeprom-size")) {
        request->config.eepromSize = parser.value("eeprom-size").toInt(&ok);
        if (!ok || request->config.eepromSize < 1 || request->config.eepromSize > 1024 * 1024) {
            *error = QStringLiteral("--eeprom-size must be 1 to 1048576 bytes");
            return false;
        }
    }
    if (parser.isSet("needs-pause")) {
        const double ms = parser.value("needs-pause").toDouble(&ok);
        if (!ok || ms < 0 || ms > 60000) {
            *error = QStringLiteral("--needs-pause must be 0 to 60000 ms");
            return false;
        }
        request->config.needsPauseNs = qint64(ms * 1e6);
    }
    if (parser.isSet("firmware")) {
        if (parser.value("firmware") != QLatin1String(ReceiverFirmware::name) || parser.isSet("needs-pause")) {
            *error = QStringLiteral("--firmware takes %1, and no --needs-pause besides it")
                         .arg(QLatin1String(ReceiverFirmware::name));
            return false;
        }
        request->config.receiverFirmware = true;
    }
    request->config.strict = parser.isSet("strict");
    request->config.acknowledge = parser.isSet("ack");
    return true;
}

bool parseRequest(const QCommandLineParser &parser, Request *request, QString *error)
{
    if (!parser.positionalArguments().isEmpty()) {
        *error = QStringLiteral("no arguments besides options, please");
        return false;
    }
    const QString size = parser.isSet("size") ? parser.value("size") : QStringLiteral("128x64");
    if (!parseSize(size, &request->config.width, &request->config.height)) {
        *error = QStringLiteral("--size must be WxH, %1 to %2 pixels each, not \"%3\"")
                     .arg(LcdSizes::SmallestSide)
                     .arg(LcdSizes::LargestSide)
                     .arg(size);
        return false;
    }
    const QString packing = parser.isSet("packing") ? parser.value("packing") : QStringLiteral("vertical");
    if (packing != QLatin1String("vertical") && packing != QLatin1String("horizontal")) {
        *error = QStringLiteral("--packing must be vertical or horizontal, not \"%1\"").arg(packing);
        return false;
    }
    request->config.horizontal = packing == QLatin1String("horizontal");
    request->linkPath = parser.value("link");
    request->pngPath = parser.value("png");
    return parseNumbers(parser, request, error);
}

void printLine(const QString &line)
{
    QTextStream(stdout) << line << Qt::endl; // flushed: a script may be waiting for it
}

void report(const VirtualLcdDevice &device, const Request &request)
{
    const VirtualPic *pic = device.pic();
    QObject::connect(pic, &VirtualPic::faultFound, pic, [pic](const VirtualFault &fault) {
        printLine(QStringLiteral("stream %1, %2").arg(pic->streamCount() + 1).arg(fault.text()));
    });
    // The picture first: whoever waits for the summary line may read it.
    QObject::connect(pic, &VirtualPic::streamEnded, pic, [pic, request](const VirtualStreamSummary &summary) {
        if (!request.pngPath.isEmpty() && summary.header && !pic->picture().save(request.pngPath, "PNG"))
            QTextStream(stderr) << "tavrel virtual-lcd: cannot write " << request.pngPath << Qt::endl;
        printLine(summary.text());
    });
}

int serve(const Request &request)
{
    const QString command = QStringLiteral("virtual-lcd");
    if (!catchQuitSignals())
        return CommandLine::failure(command, QStringLiteral("cannot catch SIGINT and SIGTERM"));
    VirtualLcdDevice device(request.config);
    QString error;
    if (!device.open(&error) || (!request.linkPath.isEmpty() && !device.makeLink(request.linkPath, &error)))
        return CommandLine::failure(command, error);
    report(device, request);
    bool failed = false;
    QObject::connect(&device, &VirtualLcdDevice::failed, &device, [&failed, command](const QString &reason) {
        CommandLine::failure(command, reason);
        failed = true;
        QCoreApplication::quit();
    });
    QSocketNotifier quitSignal(signalPipe[0], QSocketNotifier::Read);
    QObject::connect(&quitSignal, &QSocketNotifier::activated, &quitSignal, [] { QCoreApplication::quit(); });
    const VirtualPicConfig &config = request.config;
    printLine(QStringLiteral("virtual LCD %1x%2 %3 on %4%5")
                  .arg(config.width).arg(config.height)
                  .arg(config.horizontal ? QStringLiteral("horizontal") : QStringLiteral("vertical"), device.devicePath(),
                       request.linkPath.isEmpty() ? QString() : QStringLiteral(", link ") + request.linkPath));
    QCoreApplication::exec();
    device.close(); // a stream cut short is reported before the exit code is known
    return !failed && device.pic()->allStreamsClean() ? CommandLine::Success : CommandLine::Failure;
}

} // namespace

int run(const QStringList &arguments)
{
    const std::variant<Request, int> parsed =
        CommandLine::readRequest(arguments, QStringLiteral("virtual-lcd"), &describe, &parseRequest);
    if (const int *exitCode = std::get_if<int>(&parsed))
        return *exitCode;
    return serve(std::get<Request>(parsed));
}

} // namespace VirtualLcdCommand
