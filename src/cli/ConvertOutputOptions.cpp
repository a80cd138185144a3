#include "cli/ConvertOutputOptions.h"

#include "cli/ConvertCommand.h"
#include "cli/LayoutOptions.h"
#include "logic/export/ExportTemplates.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QRegularExpression>

namespace ConvertOutputOptions {

namespace {

using Template = ExportOptions::Template;

bool parseLayout(const QCommandLineParser &parser, ConversionSettings *conversion, QString *error)
{
    return LayoutOptions::parse(parser, conversion->layout.horizontal, parser.isSet("packing"), &conversion->layout,
                                error);
}

bool parseBytesPerLine(const QString &text, int *bytesPerLine, QString *error)
{
    if (text == QLatin1String("page") || text == QLatin1String("row")) {
        *bytesPerLine = ExportOptions::LinePerUnit;
        return true;
    }
    bool ok = false;
    *bytesPerLine = text.toInt(&ok);
    if (ok && *bytesPerLine >= 1 && *bytesPerLine <= ExportOptions::MostBytesPerLine)
        return true;
    *error = QStringLiteral("--bytes-per-line must be 1 to %1, page or row, not \"%2\"")
                 .arg(ExportOptions::MostBytesPerLine)
                 .arg(text);
    return false;
}

bool parseAddress(const QString &text, quint32 *address, QString *error)
{
    bool ok = false;
    const qulonglong value = text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive) ? text.mid(2).toULongLong(&ok, 16)
                                                                                        : text.toULongLong(&ok, 10);
    if (ok && value <= 0xFFFFFFFFull) {
        *address = quint32(value);
        return true;
    }
    *error = QStringLiteral("--address must be a number from 0 to 0xffffffff, not \"%1\"").arg(text);
    return false;
}

// An option that only one template reads, given with another, is a mistake.
bool onlyFor(const QCommandLineParser &parser, const char *option, Template needed, const char *templateName,
             Template chosen, QString *error)
{
    if (!parser.isSet(QLatin1String(option)) || chosen == needed)
        return true;
    *error = QStringLiteral("--%1 applies to --template %2").arg(QLatin1String(option), QLatin1String(templateName));
    return false;
}

bool parseTemplateDetails(const QCommandLineParser &parser, ExportOptions *options, QString *error)
{
    const Template kind = options->kind;
    if (!onlyFor(parser, "progmem", Template::C, "c", kind, error)
        || !onlyFor(parser, "address", Template::IntelHex, "ihex", kind, error)
        || !onlyFor(parser, "asm", Template::Assembler, "asm", kind, error))
        return false;
    if (parser.isSet("bytes-per-line") && (kind == Template::Text || kind == Template::Binary)) {
        *error = QStringLiteral("--bytes-per-line applies to --template c, xbm, ihex and asm");
        return false;
    }
    if (parser.isSet("name"))
        options->name = parser.value("name");
    options->progmem = parser.isSet("progmem");
    if (parser.isSet("bytes-per-line") && !parseBytesPerLine(parser.value("bytes-per-line"), &options->bytesPerLine, error))
        return false;
    if (parser.isSet("address") && !parseAddress(parser.value("address"), &options->startAddress, error))
        return false;
    if (parser.isSet("asm")) {
        const QString directive = parser.value("asm");
        if (directive != QLatin1String("db") && directive != QLatin1String("retlw")) {
            *error = QStringLiteral("--asm must be db or retlw, not \"%1\"").arg(directive);
            return false;
        }
        options->directive = directive == QLatin1String("retlw") ? ExportOptions::Directive::Retlw
                                                                 : ExportOptions::Directive::Db;
    }
    if (ExportTemplates::usesName(kind) && !ExportTemplates::nameProblem(options->name).isEmpty()) {
        *error = QStringLiteral("--name ") + ExportTemplates::nameProblem(options->name);
        return false;
    }
    return true;
}

bool parseTemplate(const QCommandLineParser &parser, ConvertCommand::Request *request, QString *error)
{
    request->exportOptions.name = identifierFrom(request->imagePath);
    if (parser.isSet("template")) {
        const ExportTemplates::Kind *kind = ExportTemplates::byCliName(parser.value("template"));
        if (!kind) {
            *error = QStringLiteral("--template must be %1, not \"%2\"")
                         .arg(ExportTemplates::cliNames(), parser.value("template"));
            return false;
        }
        request->exportOptions.kind = kind->kind;
    }
    return parseTemplateDetails(parser, &request->exportOptions, error);
}

// --stream and --check each answer on their own: neither takes a template.
bool exclusive(const QCommandLineParser &parser, const ConvertCommand::Request &request, QString *error)
{
    const bool fileForm = parser.isSet("template") || parser.isSet("out");
    if (!request.checkPath.isEmpty() && (fileForm || request.stream))
        *error = QStringLiteral("--check takes no --template, --out or --stream: it only compares");
    else if (request.stream && fileForm)
        *error = QStringLiteral("--stream takes no --template or --out: it prints the stream for the PIC");
    else if (request.stream && request.conversion.layout != MatrixLayout::usual(request.conversion.layout.horizontal))
        *error = QStringLiteral("--stream sends the PIC's own layout: no --profile, --bit-order or --scan");
    return error->isEmpty();
}

} // namespace

void describe(QCommandLineParser &parser)
{
    parser.addOptions(LayoutOptions::options());
    parser.addOptions({
        {QStringLiteral("template"), QStringLiteral("File form: the output text (default), C source, XBM, raw "
                                                    "binary, Intel HEX or assembler."),
         ExportTemplates::cliNames()},
        {QStringLiteral("name"), QStringLiteral("C name of the array (default: the picture's file name)."),
         QStringLiteral("NAME")},
        {QStringLiteral("bytes-per-line"), QStringLiteral("Bytes a line, or one line per page (or column, or row) "
                                                          "(default 16; XBM 12)."),
         QStringLiteral("N|page|row")},
        {QStringLiteral("progmem"), QStringLiteral("C: keep the array in flash on AVR (PROGMEM).")},
        {QStringLiteral("address"), QStringLiteral("Intel HEX: address of the first byte, decimal or 0x hex "
                                                   "(default 0)."),
         QStringLiteral("ADDR")},
        {QStringLiteral("asm"), QStringLiteral("Assembler: db lines, or a PIC table of retlw (default db)."),
         QStringLiteral("db|retlw")},
        {QStringLiteral("out"), QStringLiteral("Write to FILE instead of standard output."), QStringLiteral("FILE")},
        {QStringLiteral("check"), QStringLiteral("Compare ARRAY (output text, C, XBM, assembler or Intel HEX; raw "
                                                 "binary when named *.bin) with the conversion: exit 0 when it holds "
                                                 "exactly its bytes, 1 naming the first difference."),
         QStringLiteral("ARRAY")},
    });
}

bool parse(const QCommandLineParser &parser, ConvertCommand::Request *request, QString *error)
{
    request->outPath = parser.value("out");
    request->checkPath = parser.value("check");
    for (const char *option : {"packing", "profile", "bit-order", "scan"})
        request->layoutGiven = request->layoutGiven || parser.isSet(QLatin1String(option));
    return parseLayout(parser, &request->conversion, error)
        && parseTemplate(parser, request, error) && exclusive(parser, *request, error);
}

QString identifierFrom(const QString &path)
{
    QString name = QFileInfo(path).completeBaseName();
    static const QRegularExpression other(QStringLiteral("[^A-Za-z0-9_]"));
    name.replace(other, QStringLiteral("_"));
    if (name.isEmpty() || name.at(0).isDigit())
        name.prepend(QLatin1Char('_'));
    return name;
}

} // namespace ConvertOutputOptions
