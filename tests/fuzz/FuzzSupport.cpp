#include "FuzzSupport.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

namespace {
// Damaged pictures make decoders warn at every step; only Qt's critical and
// fatal messages (a failed assertion among them) say something went wrong.
void seriousMessagesOnly(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}
} // namespace

namespace FuzzSupport {

void ensureApplication()
{
    if (QCoreApplication::instance())
        return;
    qInstallMessageHandler(seriousMessagesOnly);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "tavrel-fuzz";
    static char *argv[] = {name, nullptr};
    // Never destroyed: libFuzzer ends the process from exit(), when Qt's own
    // globals may already be gone.
    static QApplication *application = new QApplication(argc, argv);
    Q_UNUSED(application);
}

QByteArray bytes(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}

void check(bool holds, const char *what)
{
    if (holds)
        return;
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::abort();
}

} // namespace FuzzSupport
