#include "logic/core/AppVersion.h"
#include "cli/CommandLine.h"
#include "gui/MainWindow.h"
#include "cli/ProgramOptions.h"
#include "cli/StandardStreams.h"
#include "logic/core/SettingsStore.h"
#include "logic/serial/PortAssignments.h"
#include "logic/core/ApplicationIcon.h"

#include <QApplication>

#include <future>

namespace {

void nameApplication()
{
    QCoreApplication::setApplicationName(QStringLiteral("tavrel"));
    QCoreApplication::setApplicationVersion(QLatin1String(AppVersion::text));
}

// Subcommands need no display: pictures are decoded and bytes sent headless.
int runSubcommand(int argc, char *argv[])
{
    if (QByteArray(argv[1]) == "font") {
        // Outline fonts are drawn through Qt's font engine, which needs a platform, never a display.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication app(argc, argv);
        nameApplication();
        return CommandLine::run(QCoreApplication::arguments());
    }
    QCoreApplication app(argc, argv);
    nameApplication();
    return CommandLine::run(QCoreApplication::arguments());
}

int runWindow(int argc, char *argv[], const QStringList &comValues)
{
    QString error;
    if (PortAssignments checked; !checked.applyOverrides(comValues, &error))
        return CommandLine::usageError(QString(), error);
    QApplication app(argc, argv);
    nameApplication();
    QGuiApplication::setDesktopFileName(QStringLiteral(TAVREL_APP_ID));
    SettingsStore settings;
    // The empty window is mapped first, needing no font; its icon, the
    // system's device list (tens of milliseconds, on a thread) and the
    // panels follow before its first paint.
    MainWindow window(MainWindow::Unbuilt{});
    window.showBeforeBuilding(settings);
    auto systemPorts = std::async(std::launch::async, &PortAssignments::fromSystem);
    QApplication::setWindowIcon(ApplicationIcon::icon());
    PortAssignments ports = systemPorts.get();
    ports.applyOverrides(comValues, &error);
    window.build(ports);
    window.useSettings(&settings);
    return app.exec();
}

QStringList argumentList(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

} // namespace

int main(int argc, char *argv[])
{
    StandardStreams::guardClosed();
    const QStringList arguments = argumentList(argc, argv);
    if (CommandLine::isSubcommand(arguments))
        return runSubcommand(argc, argv);
    // Everything that ends before the window is answered without a display.
    ProgramOptions options;
    if (const auto exitCode = options.parse(arguments))
        return *exitCode;
    return runWindow(argc, argv, options.comValues());
}
