#pragma once

#include "logic/canvas/ImportSettings.h"

#include <QString>

class QCommandLineParser;

// The command line's words for the import dialog's choices: --place,
// --threshold, --dither, --rotate, --flip and --invert.
namespace ImportOptions {

void describe(QCommandLineParser &parser);
// False and `error` (a usage error) when a value is not one of the offered.
bool parse(const QCommandLineParser &parser, ImportSettings *settings, QString *error);

} // namespace ImportOptions
