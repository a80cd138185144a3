#include "logic/core/ApplicationIcon.h"

// Resources in a static library are dropped by the linker unless something
// names them; Q_INIT_RESOURCE does, and must be called outside any namespace.
static void registerResources()
{
    Q_INIT_RESOURCE(ApplicationIcon);
}

QIcon ApplicationIcon::icon()
{
    registerResources();
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/%1/tavrel.png").arg(size), QSize(size, size));
    return icon;
}
