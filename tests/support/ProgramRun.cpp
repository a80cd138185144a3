#include "ProgramRun.h"

#include <QProcess>
#include <QProcessEnvironment>

namespace {

QString tavrelBinary()
{
    return qEnvironmentVariable("TAVREL_BINARY");
}

void withoutDisplay(QProcess &process)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("QT_QPA_PLATFORM")); // the command line needs no display at all
    environment.remove(QStringLiteral("DISPLAY"));
    process.setProcessEnvironment(environment);
}

ProgramRun finish(QProcess &process, int timeoutMs)
{
    ProgramRun run;
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

} // namespace

ProgramRun runTavrel(const QStringList &arguments, const std::function<void(QProcess &)> &setup,
                     const QByteArray &input, int timeoutMs)
{
    QProcess process;
    withoutDisplay(process);
    if (setup)
        setup(process);
    process.start(tavrelBinary(), arguments);
    if (!process.waitForStarted())
        return {};
    if (!input.isEmpty())
        process.write(input);
    process.closeWriteChannel();
    return finish(process, timeoutMs);
}

ProgramRun runTavrelPipeline(const QStringList &first, const QStringList &second, int timeoutMs)
{
    QProcess producer;
    QProcess consumer;
    withoutDisplay(producer);
    withoutDisplay(consumer);
    producer.setStandardOutputProcess(&consumer);
    producer.start(tavrelBinary(), first);
    consumer.start(tavrelBinary(), second);
    const ProgramRun consumed = finish(consumer, timeoutMs);
    const ProgramRun produced = finish(producer, timeoutMs);
    return produced.exitCode != 0 ? produced : consumed;
}
