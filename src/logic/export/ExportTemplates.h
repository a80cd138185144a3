#pragma once

#include "logic/export/ExportOptions.h"

#include <QByteArray>
#include <QList>
#include <QString>

struct ConversionResult;

// The file forms a conversion can be written in, and the writing.
namespace ExportTemplates {

struct Kind
{
    ExportOptions::Template kind;
    ExportOptions::Directive directive;
    const char *cliName;   // --template NAME
    const char *caption;   // in the Export dialog
    const char *extension; // without the dot
};

// One entry a form; the assembler twice, once for each directive.
const QList<Kind> &all();
// By --template name ("asm" gives the db form); nullptr when unknown.
const Kind *byCliName(const QString &name);
QString cliNames(); // "text|c|xbm|bin|ihex|asm"
// The entry of the options' form and directive.
const Kind &kindOf(const ExportOptions &options);

// A C identifier: a letter or '_', then letters, digits or '_'.
bool isIdentifier(const QString &name);
// Why `name` cannot name an array in C ("" when it can): no identifier, a
// C or C++ keyword, or reserved (a leading "__", or "_" and a capital).
QString nameProblem(const QString &name);
// C source, XBM and assembler name the array; text and binary do not.
bool usesName(ExportOptions::Template kind);
// What keeps these options from being written ("" when nothing): a name
// (where one is used) that is no identifier, a bytes-per-line outside
// 1..255, an address range beyond 32 bits.
QString problem(const ConversionResult &matrix, const ExportOptions &options);

// The file's content. The text form is the conversion's own text and a
// line break; the others carry the picture's bytes only, without the
// closing 00 that horizontal text adds for the PIC.
QByteArray render(const ConversionResult &matrix, const ExportOptions &options);

} // namespace ExportTemplates
