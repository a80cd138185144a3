#pragma once

#include "logic/virtual/VirtualFault.h"

#include <QList>

#include <optional>

// The faults of one stream as they are told: a fault that repeats the last
// one (same message, same block or the next) only counts it, so a flood of
// one mistake is one line; at most ListedFaults are kept and told, the rest
// only counted. A fault is told when the next different one comes or the
// stream ends, once its count is known.
class FaultLog
{
public:
    static constexpr int ListedFaults = 1000;

    // The fault that is complete now and should be told, if any.
    std::optional<VirtualFault> add(qsizetype offset, int block, const QString &message);
    // Ends the run in progress: the fault to tell, if any.
    std::optional<VirtualFault> flush();

    bool isEmpty() const { return m_total == 0; }
    const QList<VirtualFault> &listed() const { return m_listed; }
    // Faults found beyond the listed ones.
    qsizetype unlisted() const { return m_total - m_listed.size() - (m_pending ? 1 : 0); }
    void clear();

private:
    bool repeats(int block, const QString &message) const;
    std::optional<VirtualFault> complete();

    std::optional<VirtualFault> m_pending;
    QList<VirtualFault> m_listed;
    qsizetype m_total = 0; // the pending one included
};
