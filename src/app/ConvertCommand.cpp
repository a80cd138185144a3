#include "app/ConvertCommand.h"

#include "app/CommandLine.h"
#include "core/HexGrid.h"
#include "canvas/BitmapLoader.h"
#include "canvas/LcdSizes.h"
#include "convert/Conversion.h"
#include "convert/TransferHeader.h"
#include "output/SendStream.h"

#include <QCommandLineParser>
#include <QTextStream>

namespace ConvertCommand {

namespace {

const QList<int> BufferSizes = {2, 4, 8, 16, 32, 64, 128};
const QList<int> PicDelays = {5, 10, 15, 20, 25, 30, 35, 40, 45, 50, 100};

QString joinNumbers(const QList<int> &numbers)
{
    QStringList texts;
    for (int number : numbers)
        texts << QString::number(number);
    return texts.join(QStringLiteral(", "));
}

void describe(QCommandLineParser &parser)
{
    parser.setApplicationDescription(QStringLiteral(
        "Converts a picture into the byte matrix of a graphic LCD, as the window's \"Convert\" does,\n"
        "and prints it. With --stream, prints the stream \"Reformat For Output\" builds for the PIC."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("IMAGE"), QStringLiteral("BMP, PNG, GIF or JPEG picture"));
    parser.addOptions({
        {QStringLiteral("size"), QStringLiteral("LCD size: 240x64, 128x64, 128x32, 256x128, 240x128, 128x128, "
                                                "256x64 or 320x200 (default 128x64)."), QStringLiteral("WxH")},
        {QStringLiteral("packing"), QStringLiteral("vertical (KS0108, default) or horizontal (T6963C, SED1330)."),
         QStringLiteral("vertical|horizontal")},
        {QStringLiteral("no-invert"), QStringLiteral("Load the picture with \"Inverted\" unchecked.")},
        {QStringLiteral("header"), QStringLiteral("Text before all bytes."), QStringLiteral("TEXT")},
        {QStringLiteral("footer"), QStringLiteral("Text after all bytes."), QStringLiteral("TEXT")},
        {QStringLiteral("format"), QStringLiteral("Text before every byte, e.g. 0x."), QStringLiteral("TEXT")},
        {QStringLiteral("delimiter"), QStringLiteral("Text after every byte, e.g. \",\"."), QStringLiteral("TEXT")},
        {QStringLiteral("stream"), QStringLiteral("Print the send stream: transfer header, then blocks each led by "
                                                  "the wait characters.")},
        {QStringLiteral("buffer"), QStringLiteral("PIC buffer (block) size: %1 (default 32).").arg(joinNumbers(BufferSizes)),
         QStringLiteral("N")},
        {QStringLiteral("pic-delay"), QStringLiteral("PIC delay in ms: %1 (default 10).").arg(joinNumbers(PicDelays)),
         QStringLiteral("MS")},
        {QStringLiteral("wait"), QStringLiteral("Wait characters ahead of each block (default \"]\")."),
         QStringLiteral("TEXT")},
        {QStringLiteral("eeprom"), QStringLiteral("Load the I2C EEPROM from this start address (0..65535) "
                                                  "instead of the LCD."), QStringLiteral("ADDR")},
    });
}

bool listedNumber(const QString &text, const QList<int> &allowed, int *number)
{
    bool ok = false;
    *number = text.toInt(&ok);
    return ok && allowed.contains(*number);
}

bool parseSize(const QCommandLineParser &parser, Request *request, QString *error)
{
    const QString text = parser.isSet("size") ? parser.value("size") : QStringLiteral("128x64");
    const LcdSize *size = LcdSizes::byCaption(text);
    if (!size) {
        *error = QStringLiteral("unknown LCD size \"%1\"; offered: 240x64, 128x64, 128x32, 256x128, "
                                "240x128, 128x128, 256x64, 320x200").arg(text);
        return false;
    }
    request->conversion.width = size->width;
    request->conversion.height = size->height;
    request->transfer.lcdSizeIndex = qint16(size->index);
    return true;
}

bool parseStreamOptions(const QCommandLineParser &parser, Request *request, QString *error)
{
    int number = 0;
    if (parser.isSet("buffer")) {
        if (!listedNumber(parser.value("buffer"), BufferSizes, &number)) {
            *error = QStringLiteral("--buffer must be one of %1").arg(joinNumbers(BufferSizes));
            return false;
        }
        request->transfer.picBufferSize = qint16(number);
    }
    if (parser.isSet("pic-delay")) {
        if (!listedNumber(parser.value("pic-delay"), PicDelays, &number)) {
            *error = QStringLiteral("--pic-delay must be one of %1").arg(joinNumbers(PicDelays));
            return false;
        }
        request->transfer.picDelayMs = qint16(number);
    }
    if (parser.isSet("wait"))
        request->waitChars = parser.value("wait");
    if (parser.isSet("eeprom")) {
        request->transfer.eepromMode = true;
        request->transfer.eepromText = parser.value("eeprom");
    }
    return true;
}

bool parseRequest(const QCommandLineParser &parser, Request *request, QString *error)
{
    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 1) {
        *error = positional.isEmpty() ? QStringLiteral("no IMAGE given") : QStringLiteral("only one IMAGE, please");
        return false;
    }
    request->imagePath = positional.first();
    const QString packing = parser.isSet("packing") ? parser.value("packing") : QStringLiteral("vertical");
    if (packing != QLatin1String("vertical") && packing != QLatin1String("horizontal")) {
        *error = QStringLiteral("--packing must be vertical or horizontal, not \"%1\"").arg(packing);
        return false;
    }
    request->conversion.horizontal = packing == QLatin1String("horizontal");
    request->conversion.header = parser.value("header");
    request->conversion.footer = parser.value("footer");
    request->conversion.format = parser.value("format");
    request->conversion.delimiter = parser.value("delimiter");
    request->inverted = !parser.isSet("no-invert");
    request->stream = parser.isSet("stream");
    if (request->stream && !(request->conversion.format.isEmpty() && request->conversion.delimiter.isEmpty())) {
        // The PIC reads bare hex digits: a stream with 0x or commas would be garbage to it.
        *error = QStringLiteral("--stream takes no --format or --delimiter: the PIC reads bare hex digits");
        return false;
    }
    return parseSize(parser, request, error) && parseStreamOptions(parser, request, error);
}

} // namespace

Result execute(const Request &request)
{
    Result result;
    HexGrid grid;
    const QSize lcd(request.conversion.width, request.conversion.height);
    const BitmapLoadResult loaded = BitmapLoader::loadFile(request.imagePath, lcd, request.inverted, grid);
    if (!loaded.ok()) {
        result.error = QStringLiteral("cannot load %1: %2").arg(request.imagePath, loaded.error);
        return result;
    }
    // Right after a load the window packs horizontally from the file's bytes.
    const QString converted = request.conversion.horizontal
        ? Conversion::fromLoadedBitmap(grid, request.conversion)
        : Conversion::fromPicture(loaded.picture, request.conversion);
    if (!request.stream) {
        result.text = converted;
        return result;
    }
    const TransferHeader header = TransferHeader::build(request.transfer);
    if (!header.isValid()) {
        result.error = header.error();
        return result;
    }
    result.text = SendStream::reformat(QString(), header.text(), request.waitChars,
                                       SendStream::outputTextFrom(converted), request.transfer.picBufferSize);
    return result;
}

std::variant<Request, int> parse(const QStringList &arguments)
{
    const QString command = QStringLiteral("convert");
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
    const Result result = execute(std::get<Request>(parsed));
    if (!result.error.isEmpty())
        return CommandLine::failure(QStringLiteral("convert"), result.error);
    QTextStream(stdout) << result.text << '\n';
    return CommandLine::Success;
}

} // namespace ConvertCommand
