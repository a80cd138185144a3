#include "logic/core/SystemInfoLauncher.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace {
const QString Root = QStringLiteral("HKEY_LOCAL_MACHINE");
}

SystemInfoLauncher::SystemInfoLauncher(const RegistryFile &store) : m_store(store) {}

QStringList SystemInfoLauncher::knownTools()
{
    return {QStringLiteral("hardinfo"), QStringLiteral("kinfocenter"), QStringLiteral("gnome-system-monitor"),
            QStringLiteral("mate-system-monitor"), QStringLiteral("xfce4-taskmanager")};
}

RegistryFile SystemInfoLauncher::systemStore()
{
    const QString path = qEnvironmentVariable("TAVREL_KEYSTORE", QStringLiteral("/etc/tavrel/keys.conf"));
    return RegistryFile::fromFile(path);
}

QString SystemInfoLauncher::findProgram() const
{
    QString value;
    if (m_store.getKeyValue(Root, QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"),
                            QStringLiteral("PATH"), &value) && !value.isEmpty())
        return value;
    if (m_store.getKeyValue(Root, QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location"),
                            QStringLiteral("MSINFO"), &value)) {
        const QString candidate = value + QStringLiteral("/MSINFO32.EXE");
        if (QFileInfo::exists(candidate))
            return candidate;
    }
    for (const QString &tool : knownTools()) {
        const QString found = QStandardPaths::findExecutable(tool);
        if (!found.isEmpty())
            return found;
    }
    return QString();
}

bool SystemInfoLauncher::start() const
{
    const QString program = findProgram();
    return !program.isEmpty() && QProcess::startDetached(program, {});
}
