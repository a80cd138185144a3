#include "app/CommandLine.h"

#include "app/ConvertCommand.h"
#include "app/DecodeCommand.h"
#include "app/SendCommand.h"

#include <QCommandLineParser>
#include <QRegularExpression>
#include <QTextStream>
#include <cstring>

namespace CommandLine {

bool isSubcommand(int argc, char *argv[])
{
    return argc > 1
        && (std::strcmp(argv[1], "convert") == 0 || std::strcmp(argv[1], "send") == 0
            || std::strcmp(argv[1], "decode") == 0);
}

std::optional<int> parseArguments(QCommandLineParser &parser, const QStringList &arguments, const QString &command)
{
    if (!parser.parse(arguments))
        return usageError(command, parser.errorText());
    if (!parser.isSet(QStringLiteral("help")))
        return std::nullopt;
    // The parser names the program alone; the usage line needs the command too.
    QString text = parser.helpText();
    text.replace(QRegularExpression(QStringLiteral("^Usage: \\S+")), QStringLiteral("Usage: tavrel ") + command);
    QTextStream(stdout) << text;
    return Success;
}

int usageError(const QString &command, const QString &message)
{
    QTextStream(stderr) << "tavrel " << command << ": " << message << "\nTry \"tavrel " << command << " --help\".\n";
    return Usage;
}

int failure(const QString &command, const QString &message)
{
    QTextStream(stderr) << "tavrel " << command << ": " << message << '\n';
    return Failure;
}

int run(const QStringList &arguments)
{
    const QString command = arguments.value(1);
    // The parser skips the first argument as the program's name.
    const QStringList rest = arguments.mid(1);
    if (command == QLatin1String("convert"))
        return ConvertCommand::run(rest);
    if (command == QLatin1String("send"))
        return SendCommand::run(rest);
    if (command == QLatin1String("decode"))
        return DecodeCommand::run(rest);
    QTextStream(stderr) << "tavrel: unknown command \"" << command << "\"\n";
    return Usage;
}

} // namespace CommandLine
