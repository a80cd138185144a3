#pragma once

#include "logic/core/KeyValueStore.h"

#include <QString>
#include <QStringList>

// Finds the system-information program: first where the key/value store
// says it is, then a known tool on PATH.
class SystemInfoLauncher
{
public:
    explicit SystemInfoLauncher(const KeyValueStore &store);

    // The program to start, or an empty text when there is none.
    QString findProgram() const;
    // Starts it detached; false when nothing was found or it did not start.
    bool start() const;

    static QStringList knownTools();
    // The store the running program consults ($TAVREL_KEYSTORE, else a file in /etc).
    static KeyValueStore systemStore();

private:
    KeyValueStore m_store;
};
