#pragma once

#include "convert/ConversionSettings.h"
#include "convert/TransferSettings.h"
#include "export/ExportOptions.h"

#include <QString>
#include <QStringList>

// `tavrel convert IMAGE`: the text "Convert" writes into the output window
// after loading IMAGE at the chosen LCD size, or with --stream the text
// "Reformat For Output" builds from it; with --template the bytes in another
// file form, with --check whether an array file holds them.
namespace ConvertCommand {

struct Request
{
    QString imagePath;
    ConversionSettings conversion; // 128x64, vertical by default
    bool inverted = true;
    bool stream = false;
    TransferSettings transfer; // the LCD type comes from the conversion's size
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

// Loads, converts and, for --stream, reformats: the same functions the
// window calls.
Result execute(const Request &request);

int run(const QStringList &arguments);

} // namespace ConvertCommand
