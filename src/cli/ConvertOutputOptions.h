#pragma once

#include <QString>

class QCommandLineParser;
namespace ConvertCommand {
struct Request;
}

// The options of `tavrel convert` that choose the bytes' layout and the
// file form: --profile, --bit-order, --scan, --template and its details,
// --out and --check.
namespace ConvertOutputOptions {

void describe(QCommandLineParser &parser);

// Fills the layout, export options and paths of `request`, whose packing
// and stream choice are already parsed. False with a usage error.
bool parse(const QCommandLineParser &parser, ConvertCommand::Request *request, QString *error);

// A C name from a file's base name: "logo-2.png" -> "logo_2".
QString identifierFrom(const QString &path);

} // namespace ConvertOutputOptions
