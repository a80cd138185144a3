#include "FuzzSupport.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

namespace FuzzSupport {

void ensureApplication()
{
    if (QCoreApplication::instance())
        return;
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
