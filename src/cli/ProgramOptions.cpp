#include "cli/ProgramOptions.h"

#include "logic/core/AppVersion.h"
#include "cli/CommandLine.h"
#include "logic/serial/PortAssignments.h"

namespace {

// Options QGuiApplication and QApplication take themselves; accepted here so
// the parser does not call them unknown, kept out of the help.
QList<QCommandLineOption> qtWindowOptions()
{
    QList<QCommandLineOption> options;
    for (const char *name : {"platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
                             "geometry", "qwindowicon", "qwindowtitle", "session", "display", "style",
                             "stylesheet", "qmljsdebugger"})
        options << QCommandLineOption(QString::fromLatin1(name), QString(), QStringLiteral("value"));
    for (const char *name : {"reverse", "widgetcount", "nograb", "dograb", "sync"})
        options << QCommandLineOption(QString::fromLatin1(name), QString());
    for (QCommandLineOption &option : options)
        option.setFlags(QCommandLineOption::HiddenFromHelp);
    return options;
}

} // namespace

ProgramOptions::ProgramOptions()
    : m_com(PortAssignments::commandLineOption()),
      m_version({QStringLiteral("v"), QStringLiteral("version")}, QStringLiteral("Prints the version."))
{
    // Qt's window options have one dash and long names ("-platform").
    m_parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    m_parser.setApplicationDescription(
        QStringLiteral("Tavrel Graphic LCD ToolBox %1. Without a command it opens the window,\n"
                       "which also takes Qt's window options (-platform, -style, ...).")
            .arg(QLatin1String(AppVersion::text)));
    m_parser.addOption(CommandLine::helpOption());
    m_parser.addOption(m_version);
    m_parser.addOption(m_com);
    m_parser.addOptions(qtWindowOptions());
}

std::optional<int> ProgramOptions::parse(const QStringList &arguments)
{
    if (!m_parser.parse(arguments))
        return CommandLine::usageError(QString(), m_parser.errorText());
    // The window takes no arguments: a word here is a mistyped command.
    const QStringList words = m_parser.positionalArguments();
    if (!words.isEmpty())
        return CommandLine::usageError(QString(), QStringLiteral("unknown command \"%1\"").arg(words.first()));
    if (m_parser.isSet(QStringLiteral("help")))
        return CommandLine::printOut(QString(), helpText());
    if (m_parser.isSet(m_version))
        return CommandLine::printOut(QString(), QStringLiteral("tavrel %1\n").arg(QLatin1String(AppVersion::text)));
    return std::nullopt;
}

QString ProgramOptions::helpText() const
{
    QString commands = QStringLiteral("\nCommands, which need no display:\n");
    for (const CommandLine::Subcommand &subcommand : CommandLine::subcommands())
        commands += QStringLiteral("  %1  %2\n").arg(QLatin1String(subcommand.name), -8)
                        .arg(QLatin1String(subcommand.summary));
    commands += QStringLiteral("Each command lists its own options: tavrel COMMAND --help\n");
    QString text = CommandLine::helpText(m_parser, QString());
    // Between the description and the window's options.
    text.replace(QStringLiteral("\nOptions:\n"), commands + QStringLiteral("\nOptions:\n"));
    text.replace(QStringLiteral("Usage: tavrel [options]"),
                 QStringLiteral("Usage: tavrel [options]\n       tavrel COMMAND [options] ..."));
    return text;
}
