#pragma once

#include "logic/core/RegistryFile.h"

#include <QString>
#include <QStringList>

// Finds the system-information program: first where the key/value store
// says it is, then a known tool on PATH.
class SystemInfoLauncher
{
public:
    explicit SystemInfoLauncher(const RegistryFile &store);

    // The program to start, or an empty text when there is none.
    QString findProgram() const;
    // Starts it detached; false when nothing was found or it did not start.
    bool start() const;

    static QStringList knownTools();
    // The store the running program consults ($TAVREL_KEYSTORE, else a file in /etc).
    static RegistryFile systemStore();

private:
    RegistryFile m_store;
};
