#include "ProgramRun.h"

#include <QProcess>
#include <QProcessEnvironment>

ProgramRun runTavrel(const QStringList &arguments, const std::function<void(QProcess &)> &setup,
                     const QByteArray &input, int timeoutMs)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("QT_QPA_PLATFORM")); // the command line needs no display at all
    environment.remove(QStringLiteral("DISPLAY"));
    process.setProcessEnvironment(environment);
    if (setup)
        setup(process);
    process.start(qEnvironmentVariable("TAVREL_BINARY"), arguments);
    ProgramRun run;
    if (!process.waitForStarted())
        return run;
    if (!input.isEmpty())
        process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}
