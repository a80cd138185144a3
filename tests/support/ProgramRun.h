#pragma once

#include <QByteArray>
#include <QStringList>

#include <functional>

class QProcess;

// One run of the program as a script would start it, without a display.
struct ProgramRun
{
    int exitCode = -1; // -1 when it did not start, crashed or timed out
    QByteArray out;
    QByteArray err;
};

// Runs the tavrel this build made (TAVREL_BINARY); `setup` redirects or
// limits it, `input` is its standard input (closed after it).
ProgramRun runTavrel(const QStringList &arguments, const std::function<void(QProcess &)> &setup = {},
                     const QByteArray &input = {}, int timeoutMs = 10000);

// `tavrel FIRST... | tavrel SECOND...` through a real pipe: the first run
// when it failed, else the second.
ProgramRun runTavrelPipeline(const QStringList &first, const QStringList &second, int timeoutMs = 20000);
