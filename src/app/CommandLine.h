#pragma once

#include <QStringList>

#include <optional>

class QCommandLineParser;

// `tavrel convert ...`, `tavrel send ...` and `tavrel decode ...`: the
// window's own conversion, sending and preview, headless, for build scripts. Exit codes: 0 success,
// 1 failure, 2 wrong usage.
namespace CommandLine {

enum ExitCode { Success = 0, Failure = 1, Usage = 2 };

// True when the arguments name a subcommand (the first argument).
bool isSubcommand(int argc, char *argv[]);

// Parses the arguments of `tavrel COMMAND`, answering --help and reporting
// unknown options. Returns the exit code when the command ends here.
std::optional<int> parseArguments(QCommandLineParser &parser, const QStringList &arguments, const QString &command);
// Reports on standard error; each returns its exit code.
int usageError(const QString &command, const QString &message);
int failure(const QString &command, const QString &message);

// Runs the subcommand; needs a QCoreApplication.
int run(const QStringList &arguments);

} // namespace CommandLine
