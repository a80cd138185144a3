#pragma once

#include "logic/canvas/ImportSettings.h"
#include "logic/convert/ConversionSettings.h"
#include "logic/convert/PicTransferOptions.h"
#include "logic/export/ExportOptions.h"

#include <QString>
#include <QStringList>

#include <variant>

// `tavrel convert IMAGE`: the text "Convert" writes into the output window
// after loading IMAGE at the chosen LCD size, or with --stream the text
// "Reformat For Output" builds from it; with --template the bytes in another
// file form, with --check whether an array file holds them.
namespace ConvertCommand {

struct Request
{
    QString imagePath;
    ConversionSettings conversion; // 128x64, vertical by default
    bool layoutGiven = false;      // --packing, --profile, --bit-order or --scan
    bool inverted = true;
    ImportSettings import; // how a picture of another size or depth lands on the LCD
    bool stream = false;
    PicTransferOptions transfer; // the LCD type comes from the conversion's size
    QString waitChars = QStringLiteral("]");
    ExportOptions exportOptions; // the output text unless --template
    QString outPath;             // --out; standard output when empty
    QString checkPath;           // --check
};

struct Result
{
    QByteArray output; // for standard output or the --out file
    QString error;     // empty on success; a --check difference too
};

// The request the arguments (the first one is the command's name) describe,
// or the exit code when the command ends here: --help answered on standard
// output, or wrong usage reported on standard error. Touches no file.
std::variant<Request, int> parse(const QStringList &arguments);

// Loads, converts and, for --stream, reformats: the same functions the
// window calls.
Result execute(const Request &request);

int run(const QStringList &arguments);
// The arguments as a request, or the exit code when they end the command
// (--help, a usage error); nothing is read or written but help and errors.
std::variant<Request, int> parse(const QStringList &arguments);

} // namespace ConvertCommand
