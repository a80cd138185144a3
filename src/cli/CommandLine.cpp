#include "cli/CommandLine.h"

#include "cli/ConvertCommand.h"
#include "cli/DecodeCommand.h"
#include "cli/FontCommand.h"
#include "cli/SendCommand.h"
#include "cli/StandardStreams.h"
#include "cli/VirtualLcdCommand.h"

#include <QCommandLineParser>
#include <QRegularExpression>
#include <QTextStream>

namespace CommandLine {

namespace {
QString speaker(const QString &command)
{
    return command.isEmpty() ? QStringLiteral("tavrel") : QStringLiteral("tavrel ") + command;
}
} // namespace

const QList<Subcommand> &subcommands()
{
    static const QList<Subcommand> list = {
        {"convert", "Converts a picture into LCD bytes, or into the send stream for the PIC."},
        {"send", "Sends a stream to the PIC over a serial port, paced like \"Send to LCD\"."},
        {"decode", "Draws the picture that LCD bytes (or a send stream) make, to check them."},
        {"virtual-lcd", "Plays the PIC with its LCD and EEPROM on a pseudo-terminal, to try a send."},
        {"font", "Makes glyph arrays for firmware from a font, or draws text with them."},
    };
    return list;
}

QCommandLineOption helpOption()
{
    return QCommandLineOption({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Displays this help."));
}

bool isSubcommand(const QStringList &arguments)
{
    for (const Subcommand &subcommand : subcommands())
        if (arguments.value(1) == QLatin1String(subcommand.name))
            return true;
    return false;
}

QString helpText(const QCommandLineParser &parser, const QString &command)
{
    // The parser names the program alone (or nothing before an application
    // object exists); the usage line needs the command too.
    QString text = parser.helpText();
    static const QRegularExpression usage(QStringLiteral("^Usage: \\S*"));
    text.replace(usage, QStringLiteral("Usage: ") + speaker(command));
    return text;
}

std::optional<int> parseArguments(QCommandLineParser &parser, const QStringList &arguments, const QString &command)
{
    if (!parser.parse(arguments))
        return usageError(command, parser.errorText());
    if (!parser.isSet(QStringLiteral("help")))
        return std::nullopt;
    return printOut(command, helpText(parser, command));
}

int usageError(const QString &command, const QString &message)
{
    QTextStream(stderr) << speaker(command) << ": " << message << "\nTry \"" << speaker(command) << " --help\".\n";
    return Usage;
}

int failure(const QString &command, const QString &message)
{
    QTextStream(stderr) << speaker(command) << ": " << message << '\n';
    return Failure;
}

int printOut(const QString &command, const QString &text)
{
    return writeOut(command, text.toUtf8());
}

int writeOut(const QString &command, const QByteArray &bytes)
{
    QString reason;
    if (!StandardStreams::writeOut(bytes, &reason))
        return failure(command, QStringLiteral("cannot write to standard output: %1").arg(reason));
    return Success;
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
    if (command == QLatin1String("virtual-lcd"))
        return VirtualLcdCommand::run(rest);
    if (command == QLatin1String("decode"))
        return DecodeCommand::run(rest);
    if (command == QLatin1String("font"))
        return FontCommand::run(rest);
    return usageError(QString(), QStringLiteral("unknown command \"%1\"").arg(command));
}

} // namespace CommandLine
