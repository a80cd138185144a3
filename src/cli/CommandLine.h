#pragma once

#include <QCommandLineOption>
#include <QStringList>

#include <QCommandLineParser>

#include <optional>
#include <variant>

class QCommandLineParser;

// `tavrel convert ...`, `tavrel send ...` and `tavrel decode ...`: the
// window's own conversion, sending and preview, headless, for build scripts. Exit codes: 0 success,
// 1 failure, 2 wrong usage.
namespace CommandLine {

enum ExitCode { Success = 0, Failure = 1, Usage = 2 };

// The subcommands, as `tavrel --help` lists them.
struct Subcommand
{
    const char *name;
    const char *summary;
};
const QList<Subcommand> &subcommands();

// True when the first argument after the program names a subcommand.
bool isSubcommand(const QStringList &arguments);

// -h, --help. Qt's own help option would add --help-all, which lists Qt's
// options; none of them means anything to a command here.
QCommandLineOption helpOption();

// Parses the arguments of `tavrel COMMAND`, answering --help and reporting
// unknown options. Returns the exit code when the command ends here.
std::optional<int> parseArguments(QCommandLineParser &parser, const QStringList &arguments, const QString &command);
// The parser's help with "tavrel COMMAND" in the usage line.
QString helpText(const QCommandLineParser &parser, const QString &command);

// Report on standard error and return their exit code. An empty command
// speaks for `tavrel` itself.
int usageError(const QString &command, const QString &message);
int failure(const QString &command, const QString &message);
// Writes `text` to standard output: Success, or Failure with a message when
// the output cannot be written (a full disk, a closed stdout).
int printOut(const QString &command, const QString &text);
int writeOut(const QString &command, const QByteArray &bytes);

// The subcommands' common first step: options described by `describe`,
// parsed (--help and unknown options answered), then read into a request by
// `read`, whose refusal is a usage error. The request, or the exit code.
template <typename Request>
std::variant<Request, int> readRequest(const QStringList &arguments, const QString &command,
                                       void (*describe)(QCommandLineParser &),
                                       bool (*read)(const QCommandLineParser &, Request *, QString *))
{
    QCommandLineParser parser;
    describe(parser);
    if (const auto exitCode = parseArguments(parser, arguments, command))
        return *exitCode;
    Request request;
    QString error;
    if (!read(parser, &request, &error))
        return usageError(command, error);
    return request;
}

// Runs the subcommand; needs a QCoreApplication.
int run(const QStringList &arguments);

} // namespace CommandLine
