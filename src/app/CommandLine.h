#pragma once

#include <QStringList>

class QCommandLineParser;

// `tavrel convert ...` and `tavrel send ...`: the window's own conversion
// and sending, headless, for build scripts. Exit codes: 0 success,
// 1 failure, 2 wrong usage.
namespace CommandLine {

enum ExitCode { Success = 0, Failure = 1, Usage = 2 };

// True when the arguments name a subcommand (the first argument).
bool isSubcommand(int argc, char *argv[]);

// The parser's help with "tavrel COMMAND" as the program on its usage line.
QString helpText(const QCommandLineParser &parser, const QString &command);

// Runs the subcommand; needs a QCoreApplication.
int run(const QStringList &arguments);

} // namespace CommandLine
