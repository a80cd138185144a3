#include "cli/DecodeCommand.h"

#include "logic/export/ArrayListing.h"
#include "cli/CommandLine.h"
#include "cli/GuessReport.h"
#include "cli/LayoutOptions.h"
#include "logic/canvas/LcdSizes.h"
#include "logic/canvas/MonoBmpWriter.h"
#include "logic/convert/ControllerProfiles.h"
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
    bool sizeGiven = false;
    bool layoutGiven = false;
    QString out;
    QString array; // --array
    bool guess = false;
    bool list = false;
};

QString shownName(const QString &input)
{
    return input == QLatin1String("-") ? QStringLiteral("standard input") : input;
}

void describe(QCommandLineParser &parser)
{
    parser.setApplicationDescription(QStringLiteral(
        "Shows the picture an array draws on the LCD: the text \"Convert\" writes (any format, delimiter,\n"
        "header and footer), C, C++ or assembler source, XBM, Intel HEX or raw binary (*.bin), or with\n"
        "--stream a stream \"Reformat For Output\" builds. Prints the picture as rows of '#' (lit) and '.',\n"
        "or writes it with --out. Without --size, the size the file states beside the array is taken.\n"
        "With --guess, finds the likeliest size and layout instead and prints the best three with the\n"
        "command line that makes the array again. A file of several arrays: --list, --array NAME.\n"
        "Reads FILE, or standard input for \"-\" or none."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("the text; \"-\" for standard input"),
                                 QStringLiteral("[FILE|-]"));
    parser.addOptions({
        {QStringLiteral("size"), QStringLiteral("Picture size, %1 to %2 a side (default: the size the file states).")
                                     .arg(SmallestSide).arg(LcdSizes::LargestSide), QStringLiteral("WxH")},
        {QStringLiteral("packing"), QStringLiteral("vertical (KS0108) or horizontal (T6963C, SED1330) (required but "
                                                   "with --profile, --guess or an XBM file)."),
         QStringLiteral("vertical|horizontal")},
        {QStringLiteral("stream"), QStringLiteral("The text is a send stream: transfer header, then blocks led by "
                                                  "wait characters. Prints the header's fields first.")},
        {QStringLiteral("out"), QStringLiteral("Write the picture to PICTURE, PNG or one-bit BMP by its name's "
                                               "extension; with --guess the best guess's."), QStringLiteral("PICTURE")},
        {QStringLiteral("guess"), QStringLiteral("Try every size the byte count fits, both packings, bit orders and "
                                                 "scan orders, and print the likeliest three.")},
        {QStringLiteral("list"), QStringLiteral("List the file's arrays: name, line, byte count, sizes stated.")},
        {QStringLiteral("array"), QStringLiteral("Read the array of this name (default: the first)."),
         QStringLiteral("NAME")},
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
    request->layoutGiven = packingGiven || parser.isSet("profile");
    if (!request->layoutGiven && (parser.isSet("bit-order") || parser.isSet("scan"))) {
        *error = QStringLiteral("--packing vertical|horizontal is required with --bit-order or --scan");
        return false;
    }
    return LayoutOptions::parse(parser, packing == QLatin1String("horizontal"), packingGiven, &request->decoding.layout,
                                error);
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
    request->list = parser.isSet("list");
    request->array = parser.value("array");
    if (request->guess) {
        if (!parseGuess(parser, error))
            return false;
    } else {
        const QSize size = LcdSizes::parse(parser.value("size"));
        request->sizeGiven = parser.isSet("size");
        if (request->sizeGiven && !(size.isValid() && qMin(size.width(), size.height()) >= SmallestSide
                                    && qMax(size.width(), size.height()) <= LcdSizes::LargestSide)) {
            *error = QStringLiteral("--size must be WxH from %1x%1 to %2x%2, not \"%3\"")
                         .arg(SmallestSide).arg(LcdSizes::LargestSide).arg(parser.value("size"));
            return false;
        }
        request->decoding.width = size.width();
        request->decoding.height = size.height();
        request->decoding.stream = parser.isSet("stream");
        if (request->decoding.stream && !request->sizeGiven) {
            *error = QStringLiteral("--stream needs --size WxH: a stream does not say the width");
            return false;
        }
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
int guess(const Request &request, const ArrayFileReader::Result &array)
{
    const QList<LayoutGuess::Candidate> ranked =
        LayoutGuess::rank(array.bytes, array.array().hints, ArrayListing::mayCloseRowsWithZero(array.form));
    const QString picture = request.out.isEmpty() ? QStringLiteral("PICTURE") : request.out;
    const int printed = CommandLine::printOut(Command, GuessReport::text(shownName(request.input), array, ranked, picture));
    if (printed != CommandLine::Success)
        return printed;
    if (ranked.isEmpty())
        return request.out.isEmpty() ? CommandLine::Failure
                                     : CommandLine::failure(Command, QStringLiteral("no picture to write to %1").arg(request.out));
    if (request.out.isEmpty())
        return CommandLine::Success;
    QString error;
    return writePicture(LayoutGuess::pictureOf(array.bytes, ranked.first()), request.out, &error)
        ? CommandLine::Success
        : CommandLine::failure(Command, error);
}

void note(const QString &text)
{
    QTextStream(stderr) << QStringLiteral("tavrel %1: %2\n").arg(Command, text);
}

// The layout given, or XBM's own for an XBM file.
bool layoutFor(const Request &request, const ArrayFileReader::Result &array, MatrixLayout *layout, QString *error)
{
    if (request.layoutGiven) {
        *layout = request.decoding.layout;
        return true;
    }
    if (array.form == ArrayFileReader::Form::Xbm) {
        *layout = ControllerProfiles::byName(QStringLiteral("xbm"))->layout;
        return true;
    }
    *error = QStringLiteral("--packing vertical|horizontal is required");
    return false;
}

// The picture of the chosen array at the size given or stated.
int decodeArray(const Request &request, const ArrayFileReader::Result &array)
{
    const QString where = request.input == QLatin1String("-") ? QString() : request.input + QStringLiteral(": ");
    MatrixLayout layout;
    QString error;
    if (!layoutFor(request, array, &layout, &error))
        return CommandLine::usageError(Command, error);
    int width = request.decoding.width;
    int height = request.decoding.height;
    if (!request.sizeGiven) {
        const SizeHints::Hint *hint = ArrayListing::fittingHint(array.array(), layout);
        if (!hint)
            return CommandLine::usageError(Command, where + QStringLiteral("--size WxH is required: the file states no "
                                                                           "size that fits %1 bytes").arg(array.bytes.size()));
        width = hint->width;
        height = hint->height;
        note(QStringLiteral("%1%2 from %3").arg(where, ArrayListing::sizeText(width, height), hint->origin));
    }
    const ArrayListing::Drawing drawn = ArrayListing::draw(array.array(), width, height, layout);
    if (drawn.picture.isNull())
        return CommandLine::failure(Command, where + drawn.problem);
    const QImage &picture = drawn.picture;
    if (request.out.isEmpty())
        return CommandLine::printOut(Command, asText(picture));
    return writePicture(picture, request.out, &error) ? CommandLine::Success : CommandLine::failure(Command, error);
}

int decodeStream(const Request &request, const QByteArray &input)
{
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
    QString error;
    return writePicture(result.picture, request.out, &error) ? CommandLine::Success : CommandLine::failure(Command, error);
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
    const std::variant<Request, int> parsed = CommandLine::readRequest(arguments, Command, &describe, &parseRequest);
    if (const int *exitCode = std::get_if<int>(&parsed))
        return *exitCode;
    const Request &request = std::get<Request>(parsed);
    QString error;
    QByteArray input;
    if (!readBounded(request.input, &input, &error))
        return CommandLine::failure(Command, error);
    if (request.decoding.stream)
        return decodeStream(request, input);
    ArrayFileReader::Result array = ArrayFileReader::read(input, ArrayFileReader::isRaw(request.input));
    const QString where = request.input == QLatin1String("-") ? QString() : request.input + QStringLiteral(": ");
    if (!array.ok())
        return CommandLine::failure(Command, where + array.error);
    if (request.list)
        return CommandLine::printOut(Command, ArrayListing::list(array));
    if (!request.array.isEmpty() && !ArrayFileReader::choose(&array, request.array, &error))
        return CommandLine::failure(Command, where + error);
    if (request.array.isEmpty() && array.arrays.size() > 1)
        note(QStringLiteral("%1 %2").arg(shownName(request.input), ArrayListing::othersNote(array)));
    return request.guess ? guess(request, array) : decodeArray(request, array);
}

} // namespace DecodeCommand
