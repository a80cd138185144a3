#include "cli/DecodeCommand.h"

#include "cli/CommandLine.h"
#include "cli/GuessReport.h"
#include "cli/LayoutOptions.h"
#include "logic/canvas/LcdSizes.h"
#include "logic/canvas/MonoBmpWriter.h"
#include "logic/decode/LcdByteDecoder.h"
#include "logic/decode/PreviewImage.h"

#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextStream>

namespace DecodeCommand {

namespace {

const QString Command = QStringLiteral("decode");

struct Request
{
    QString input = QStringLiteral("-");
    LcdByteDecoder::Request decoding;
    QString out;
    bool guess = false;
};

void describe(QCommandLineParser &parser)
{
    parser.setApplicationDescription(QStringLiteral(
        "Shows the picture a byte-matrix text draws on the LCD: the text \"Convert\" writes (any format,\n"
        "delimiter, header and footer, C source too) or, with --stream, a stream \"Reformat For Output\"\n"
        "builds. Prints the picture as rows of '#' (lit) and '.', or writes it with --out.\n"
        "With --guess, finds the likeliest size and layout of an array file instead (any form convert\n"
        "writes) and prints the best three with the command line that makes the array again.\n"
        "Reads FILE, or standard input for \"-\" or none."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("the text; \"-\" for standard input"),
                                 QStringLiteral("[FILE|-]"));
    parser.addOptions({
        {QStringLiteral("size"), QStringLiteral("LCD size: 240x64, 128x64, 128x32, 256x128, 240x128, 128x128, "
                                                "256x64 or 320x200 (required but with --guess)."), QStringLiteral("WxH")},
        {QStringLiteral("packing"), QStringLiteral("vertical (KS0108) or horizontal (T6963C, SED1330) (required but "
                                                   "with --profile or --guess)."),
         QStringLiteral("vertical|horizontal")},
        {QStringLiteral("stream"), QStringLiteral("The text is a send stream: transfer header, then blocks led by "
                                                  "wait characters. Prints the header's fields first.")},
        {QStringLiteral("out"), QStringLiteral("Write the picture to PICTURE, PNG or one-bit BMP by its name's "
                                               "extension; with --guess the best guess's."), QStringLiteral("PICTURE")},
        {QStringLiteral("guess"), QStringLiteral("Try every size the byte count fits, both packings, bit orders and "
                                                 "scan orders, and print the likeliest three.")},
    });
    parser.addOptions(LayoutOptions::options());
}

// --guess looks for the size and layout: it takes none.
bool parseGuess(const QCommandLineParser &parser, QString *error)
{
    for (const char *option : {"size", "packing", "stream", "profile", "bit-order", "scan"})
        if (parser.isSet(QLatin1String(option))) {
            *error = QStringLiteral("--guess finds the size and layout itself: no --%1").arg(QLatin1String(option));
            return false;
        }
    return true;
}

bool parseLayout(const QCommandLineParser &parser, Request *request, QString *error)
{
    const QString packing = parser.value("packing");
    const bool packingGiven = parser.isSet("packing");
    if (packingGiven && packing != QLatin1String("vertical") && packing != QLatin1String("horizontal")) {
        *error = QStringLiteral("--packing must be vertical or horizontal, not \"%1\"").arg(packing);
        return false;
    }
    if (!packingGiven && !parser.isSet("profile")) {
        *error = QStringLiteral("--packing vertical|horizontal is required");
        return false;
    }
    MatrixLayout layout;
    if (!LayoutOptions::parse(parser, packing == QLatin1String("horizontal"), packingGiven, &layout, error))
        return false;
    request->decoding.setLayout(layout);
    return true;
}

bool parseRequest(const QCommandLineParser &parser, Request *request, QString *error)
{
    const QStringList positional = parser.positionalArguments();
    if (positional.size() > 1) {
        *error = QStringLiteral("only one FILE, please");
        return false;
    }
    if (!positional.isEmpty())
        request->input = positional.first();
    request->guess = parser.isSet("guess");
    if (request->guess) {
        if (!parseGuess(parser, error))
            return false;
    } else {
        const LcdSize *size = LcdSizes::byCaption(parser.value("size"));
        if (!size) {
            *error = parser.isSet("size") ? QStringLiteral("unknown LCD size \"%1\"; offered: 240x64, 128x64, 128x32, "
                                                           "256x128, 240x128, 128x128, 256x64, 320x200")
                                                .arg(parser.value("size"))
                                          : QStringLiteral("--size WxH is required");
            return false;
        }
        request->decoding.width = size->width;
        request->decoding.height = size->height;
        request->decoding.stream = parser.isSet("stream");
        if (!parseLayout(parser, request, error))
            return false;
    }
    request->out = parser.value("out");
    const QString suffix = QFileInfo(request->out).suffix().toLower();
    if (parser.isSet("out") && suffix != QLatin1String("png") && suffix != QLatin1String("bmp")) {
        *error = QStringLiteral("--out must name a .png or .bmp file, not \"%1\"").arg(request->out);
        return false;
    }
    return true;
}

QString asText(const QImage &picture)
{
    QString text;
    text.reserve((picture.width() + 1) * picture.height());
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x)
            text += PreviewImage::isLit(picture.pixel(x, y)) ? QLatin1Char('#') : QLatin1Char('.');
        text += QLatin1Char('\n');
    }
    return text;
}

} // namespace

bool writePicture(const QImage &picture, const QString &path, QString *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    const bool bmp = QFileInfo(path).suffix().compare(QLatin1String("bmp"), Qt::CaseInsensitive) == 0;
    // One bit a pixel either way: black for a lit dot, white elsewhere.
    const bool written = bmp ? file.write(MonoBmpWriter::encode(picture)) >= 0
                             : picture.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither).save(&file, "PNG");
    if (!written || !file.commit()) {
        *error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

namespace {

// --guess: the array's bytes read in whatever form, ranked by LayoutGuess.
int guess(const Request &request, const QByteArray &input)
{
    const bool raw = request.input.endsWith(QLatin1String(".bin"), Qt::CaseInsensitive);
    const ArrayFileReader::Result array = ArrayFileReader::read(input, raw);
    const QString shown = request.input == QLatin1String("-") ? QStringLiteral("standard input") : request.input;
    if (!array.ok())
        return CommandLine::failure(Command, QStringLiteral("%1: %2").arg(shown, array.error));
    const QList<LayoutGuess::Candidate> ranked = LayoutGuess::rank(array.bytes);
    const QString picture = request.out.isEmpty() ? QStringLiteral("PICTURE") : request.out;
    const int printed = CommandLine::printOut(Command, GuessReport::text(shown, array, ranked, picture));
    if (printed != CommandLine::Success || request.out.isEmpty())
        return printed == CommandLine::Success && ranked.isEmpty() ? CommandLine::Failure : printed;
    if (ranked.isEmpty())
        return CommandLine::failure(Command, QStringLiteral("no picture to write to %1").arg(request.out));
    QString error;
    return writePicture(LayoutGuess::pictureOf(array.bytes, ranked.first()), request.out, &error)
        ? CommandLine::Success
        : CommandLine::failure(Command, error);
}

} // namespace

bool readBounded(const QString &path, QByteArray *data, QString *error)
{
    QFile file;
    const bool opened = path == QLatin1String("-") ? file.open(stdin, QIODevice::ReadOnly)
                                                   : (file.setFileName(path), file.open(QIODevice::ReadOnly));
    if (!opened) {
        *error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return false;
    }
    data->clear();
    // Devices and FIFOs report no size: count what arrives instead.
    char chunk[65536];
    for (;;) {
        const qint64 got = file.read(chunk, sizeof chunk);
        if (got < 0) {
            *error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
            return false;
        }
        if (got == 0)
            return true;
        if (data->size() + got > MostInputBytes) {
            *error = QStringLiteral("%1 holds more than %2 MiB; no picture's text is that long")
                         .arg(path == QLatin1String("-") ? QStringLiteral("standard input") : path)
                         .arg(MostInputBytes / (1024 * 1024));
            return false;
        }
        data->append(chunk, got);
    }
}

int run(const QStringList &arguments)
{
    QCommandLineParser parser;
    describe(parser);
    if (const auto exitCode = CommandLine::parseArguments(parser, arguments, Command))
        return *exitCode;
    Request request;
    QString error;
    if (!parseRequest(parser, &request, &error))
        return CommandLine::usageError(Command, error);
    QByteArray input;
    if (!readBounded(request.input, &input, &error))
        return CommandLine::failure(Command, error);
    if (request.guess)
        return guess(request, input);
    const LcdByteDecoder::Result result = LcdByteDecoder::decode(QString::fromUtf8(input), request.decoding);
    QTextStream out(stdout);
    if (result.headerRead)
        out << result.header.words() << '\n';
    out.flush();
    if (!result.ok()) {
        const QString where = request.input == QLatin1String("-") ? QString() : request.input + QStringLiteral(": ");
        return CommandLine::failure(Command, where + result.problem());
    }
    if (request.out.isEmpty()) {
        out << asText(result.picture);
        return CommandLine::Success;
    }
    return writePicture(result.picture, request.out, &error) ? CommandLine::Success
                                                            : CommandLine::failure(Command, error);
}

} // namespace DecodeCommand
