#include "cli/ConvertCommand.h"

#include "cli/CommandLine.h"
#include "cli/ConvertOutputOptions.h"
#include "cli/ImportOptions.h"
#include "logic/core/HexGrid.h"
#include "logic/canvas/BitmapLoader.h"
#include "logic/canvas/LcdSizes.h"
#include "logic/convert/Conversion.h"
#include "logic/convert/TransferHeader.h"
#include "logic/export/ArrayCheck.h"
#include "logic/export/ArrayFileReader.h"
#include "logic/export/ArrayFiles.h"
#include "logic/export/ExportTemplates.h"
#include "logic/output/SendStream.h"

#include <QCommandLineParser>

namespace ConvertCommand {

namespace {

// "240x64, 128x64, ..." as the window's options name them.
QString offeredSizes()
{
    QStringList captions;
    for (const LcdSize &size : LcdSizes::all())
        captions << QLatin1String(size.caption);
    return captions.join(QStringLiteral(", "));
}

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
        "and prints it. With --stream, prints the stream \"Reformat For Output\" builds for the PIC;\n"
        "with --template, the bytes as C source, XBM, binary, Intel HEX or assembler; with --check,\n"
        "whether an array file still holds them.\n"
        "Defaults differ from the window's start-up in two places, marked below: size and packing."));
    parser.addOption(CommandLine::helpOption());
    parser.addPositionalArgument(QStringLiteral("IMAGE"), QStringLiteral("BMP, PNG, GIF or JPEG picture"));
    parser.addOptions({
        {QStringLiteral("size"), QStringLiteral("LCD size: %1 or any other, %2 to %3 a side (default 128x64; "
                                                "the window starts at 240x64).")
                                     .arg(offeredSizes())
                                     .arg(LcdSizes::SmallestSide)
                                     .arg(LcdSizes::LargestSide),
         QStringLiteral("WxH")},
        {QStringLiteral("display-type"), QStringLiteral("The display type the stream's header tells the PIC for a "
                                                        "size other than the eight: 0, 3 or 4 (default 0)."),
         QStringLiteral("C")},
        {QStringLiteral("packing"), QStringLiteral("vertical (KS0108, default) or horizontal (T6963C, SED1330); "
                                                   "the window starts with horizontal."),
         QStringLiteral("vertical|horizontal")},
        {QStringLiteral("no-invert"), QStringLiteral("Load the picture with \"Inverted\" unchecked (checked by "
                                                     "default, as in the window).")},
        {QStringLiteral("header"), QStringLiteral("Text before all bytes (default none)."), QStringLiteral("TEXT")},
        {QStringLiteral("footer"), QStringLiteral("Text after all bytes (default none)."), QStringLiteral("TEXT")},
        {QStringLiteral("format"), QStringLiteral("Text before every byte, e.g. 0x (default none)."),
         QStringLiteral("TEXT")},
        {QStringLiteral("delimiter"), QStringLiteral("Text after every byte, e.g. \",\" (default none)."),
         QStringLiteral("TEXT")},
        {QStringLiteral("stream"), QStringLiteral("Print the send stream: transfer header, then blocks each led by "
                                                  "the wait characters.")},
        {QStringLiteral("buffer"), QStringLiteral("PIC buffer (block) size: %1 (default %2).")
                                               .arg(joinNumbers(PicLink::BufferSizes))
                                               .arg(PicLink::DefaultBufferSize),
         QStringLiteral("N")},
        {QStringLiteral("pic-delay"), QStringLiteral("PIC delay in ms: %1 (default %2).")
                                                  .arg(joinNumbers(PicLink::DelaysMs))
                                                  .arg(PicLink::DefaultDelayMs),
         QStringLiteral("MS")},
        {QStringLiteral("wait"), QStringLiteral("Wait characters ahead of each block (default \"]\")."),
         QStringLiteral("TEXT")},
        {QStringLiteral("eeprom"), QStringLiteral("Load the I2C EEPROM from this start address (0..%1) "
                                                  "instead of the LCD (default: the LCD).")
                                       .arg(TransferHeader::MaxAddress), QStringLiteral("ADDR")},
    });
    ImportOptions::describe(parser);
    ConvertOutputOptions::describe(parser);
}

bool listedNumber(const QString &text, const QList<int> &allowed, int *number)
{
    bool ok = false;
    *number = text.toInt(&ok);
    return ok && allowed.contains(*number);
}

// The eight sizes carry their own type character; any other size takes the one given (0 by default).
bool parseDisplayType(const QCommandLineParser &parser, Request *request, QString *error)
{
    const QChar own = LcdSizes::displayTypeOf(request->transfer.lcdSizeIndex);
    const QString given = parser.value("display-type");
    QStringList offered;
    for (const auto &type : LcdSizes::displayTypes())
        offered << type.first;
    if (parser.isSet("display-type") && (given.size() != 1 || !offered.contains(given))) {
        *error = QStringLiteral("--display-type must be one of %1").arg(offered.join(QStringLiteral(", ")));
        return false;
    }
    if (!own.isNull() && parser.isSet("display-type") && given != own) {
        *error = QStringLiteral("--display-type %1 does not match %2x%3, whose type is %4")
                     .arg(given).arg(request->conversion.width).arg(request->conversion.height).arg(own);
        return false;
    }
    if (own.isNull())
        request->transfer.displayType = parser.isSet("display-type") ? given.at(0) : offered.first().at(0);
    return true;
}

bool parseSize(const QCommandLineParser &parser, Request *request, QString *error)
{
    const QString text = parser.isSet("size") ? parser.value("size") : QStringLiteral("128x64");
    const QSize size = LcdSizes::parse(text);
    if (!LcdSizes::isCustomSize(size)) {
        *error = QStringLiteral("unknown LCD size \"%1\"; offered: %2 or WxH from %3x%3 to %4x%4")
                     .arg(text, offeredSizes())
                     .arg(LcdSizes::SmallestSide)
                     .arg(LcdSizes::LargestSide);
        return false;
    }
    request->conversion.width = size.width();
    request->conversion.height = size.height();
    request->transfer.lcdSizeIndex = qint16(LcdSizes::indexFor(size));
    return parseDisplayType(parser, request, error);
}

bool parseStreamOptions(const QCommandLineParser &parser, Request *request, QString *error)
{
    int number = 0;
    if (parser.isSet("buffer")) {
        if (!listedNumber(parser.value("buffer"), PicLink::BufferSizes, &number)) {
            *error = QStringLiteral("--buffer must be one of %1").arg(joinNumbers(PicLink::BufferSizes));
            return false;
        }
        request->transfer.picBufferSize = qint16(number);
    }
    if (parser.isSet("pic-delay")) {
        if (!listedNumber(parser.value("pic-delay"), PicLink::DelaysMs, &number)) {
            *error = QStringLiteral("--pic-delay must be one of %1").arg(joinNumbers(PicLink::DelaysMs));
            return false;
        }
        request->transfer.picDelayMs = qint16(number);
    }
    if (parser.isSet("wait"))
        request->waitChars = parser.value("wait");
    if (parser.isSet("eeprom")) {
        // The header's own check, so the window and the command line agree.
        if (!TransferHeader::parseAddress(parser.value("eeprom"), error))
            return false;
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
    request->conversion.layout = MatrixLayout::usual(packing == QLatin1String("horizontal"));
    request->conversion.header = parser.value("header");
    request->conversion.footer = parser.value("footer");
    request->conversion.format = parser.value("format");
    request->conversion.delimiter = parser.value("delimiter");
    request->inverted = !parser.isSet("no-invert");
    // As in the window: the polarity the load gave holds for both packings.
    request->conversion.lightIsSet = !request->inverted;
    if (!ImportOptions::parse(parser, &request->import, error))
        return false;
    request->stream = parser.isSet("stream");
    if (request->stream && !(request->conversion.format.isEmpty() && request->conversion.delimiter.isEmpty())) {
        // The PIC reads bare hex digits: a stream with 0x or commas would be garbage to it.
        *error = QStringLiteral("--stream takes no --format or --delimiter: the PIC reads bare hex digits");
        return false;
    }
    return parseSize(parser, request, error) && parseStreamOptions(parser, request, error)
        && ConvertOutputOptions::parse(parser, request, error);
}

// The LCD type character follows the size converted, never a start-up index.
PicTransferOptions transferFor(const Request &request)
{
    PicTransferOptions transfer = request.transfer;
    for (const LcdSize &size : LcdSizes::all())
        if (size.width == request.conversion.width && size.height == request.conversion.height)
            transfer.lcdSizeIndex = qint16(size.index);
    return transfer;
}

// One array against the conversion, in the layout given; an XBM file
// without one is compared in XBM's order.
ArrayCheck::Verdict compared(const Request &request, const ConversionResult &converted, const ArrayText::Array &array)
{
    const bool xbm = array.form == ArrayFileReader::Form::Xbm && !request.layoutGiven;
    const int skip = ArrayCheck::leadingSizeBytes(array.hints, converted.width, converted.height);
    return ArrayCheck::compare(ArrayCheck::expectedBytes(converted, xbm), array.bytes.mid(skip),
                               converted.layout.horizontal && !xbm);
}

// With --check: whether the array file holds the conversion's bytes; in a
// file of several arrays, whether one of them does.
Result checked(const Request &request, const ConversionResult &converted)
{
    Result result;
    QByteArray content;
    if (!ArrayFiles::load(request.checkPath, &content, &result.error))
        return result;
    const ArrayFileReader::Result file = ArrayFileReader::read(content, ArrayFileReader::isRaw(request.checkPath));
    if (!file.ok()) {
        result.error = QStringLiteral("%1: %2").arg(request.checkPath, file.error);
        return result;
    }
    int chosen = 0;
    ArrayCheck::Verdict verdict = compared(request, converted, file.arrays.first());
    for (int i = 1; i < file.arrays.size() && !verdict.matches; ++i)
        if (compared(request, converted, file.arrays.at(i)).matches) {
            chosen = i;
            verdict = compared(request, converted, file.arrays.at(i));
        }
    const ArrayText::Array &array = file.arrays.at(chosen);
    QString message = file.arrays.size() > 1 && verdict.matches
        ? QStringLiteral("%1: %2: %3").arg(request.checkPath, array.name, verdict.message)
        : QStringLiteral("%1: %2").arg(request.checkPath, verdict.message);
    if (file.arrays.size() > 1 && !verdict.matches)
        message += QStringLiteral(" (in %1, the first of %2 arrays; none matches)").arg(array.name).arg(file.arrays.size());
    const QString note = ArrayCheck::sizeNote(array.hints, converted.width, converted.height);
    if (!note.isEmpty())
        message += QStringLiteral(" (%1)").arg(note);
    if (verdict.matches)
        result.output = message.toUtf8() + '\n';
    else
        result.error = message;
    return result;
}

Result streamed(const Request &request, const QString &converted)
{
    Result result;
    const TransferHeader header = TransferHeader::build(transferFor(request));
    if (!header.isValid()) {
        result.error = header.error();
        return result;
    }
    result.output = SendStream::reformat(QString(), header.text(), request.waitChars,
                                         SendStream::outputTextFrom(converted), request.transfer.picBufferSize)
                        .toUtf8()
        + '\n';
    return result;
}

} // namespace

Result execute(const Request &request)
{
    Result result;
    HexGrid grid;
    const QSize lcd(request.conversion.width, request.conversion.height);
    const BitmapLoadResult loaded =
        BitmapLoader::loadFile(request.imagePath, lcd, request.inverted, grid, request.import);
    if (!loaded.ok()) {
        result.error = loaded.error; // names the file already
        return result;
    }
    // Right after a load the window packs horizontally from the file's bytes.
    const MatrixLayout &layout = request.conversion.layout;
    const ConversionResult converted = layout.horizontal && layout.pixelsPerByte == 8
        ? Conversion::ofLoadedBitmap(grid, request.conversion)
        : Conversion::ofPicture(loaded.picture, request.conversion);
    if (!request.checkPath.isEmpty())
        return checked(request, converted);
    if (request.stream)
        return streamed(request, converted.text);
    result.error = ExportTemplates::problem(converted, request.exportOptions);
    if (result.error.isEmpty())
        result.output = ExportTemplates::render(converted, request.exportOptions);
    return result;
}

std::variant<Request, int> parse(const QStringList &arguments)
{
    return CommandLine::readRequest(arguments, QStringLiteral("convert"), &describe, &parseRequest);
}

int run(const QStringList &arguments)
{
    const QString command = QStringLiteral("convert");
    const std::variant<Request, int> parsed = parse(arguments);
    if (const int *exitCode = std::get_if<int>(&parsed))
        return *exitCode;
    const Request &request = std::get<Request>(parsed);
    const Result result = execute(request);
    if (!result.error.isEmpty())
        return CommandLine::failure(command, result.error);
    if (request.outPath.isEmpty())
        return CommandLine::writeOut(command, result.output);
    QString reason;
    if (!ArrayFiles::save(request.outPath, result.output, &reason))
        return CommandLine::failure(command, reason);
    return CommandLine::Success;
}

} // namespace ConvertCommand
