#include "app/MainWindow.h"
#include "serial/PortAssignments.h"

#include <QApplication>
#include <QCommandLineParser>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tavrel"));
    QCommandLineParser parser;
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
