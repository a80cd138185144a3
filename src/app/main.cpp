#include "app/CommandLine.h"
#include "app/MainWindow.h"
#include "serial/PortAssignments.h"

#include <QApplication>
#include <QCommandLineParser>

namespace {

// Subcommands need no display: pictures are decoded and bytes sent headless.
int runSubcommand(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tavrel"));
    return CommandLine::run(QCoreApplication::arguments());
}

int runWindow(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tavrel"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Tavrel Graphic LCD ToolBox. Without arguments it opens the window.\n"
        "Headless: tavrel convert --help, tavrel send --help, tavrel decode --help."));
    parser.addHelpOption();
    const QCommandLineOption com = PortAssignments::commandLineOption();
    parser.addOption(com);
    parser.process(app);
    PortAssignments ports = PortAssignments::fromSystem();
    QString error;
    if (!ports.applyOverrides(parser.values(com), &error)) {
        qCritical("%s", qPrintable(error));
        return 2;
    }
    MainWindow window(ports);
    window.show();
    return app.exec();
}

} // namespace

int main(int argc, char *argv[])
{
    return CommandLine::isSubcommand(argc, argv) ? runSubcommand(argc, argv) : runWindow(argc, argv);
}
