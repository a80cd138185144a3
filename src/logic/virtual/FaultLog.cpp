#include "logic/virtual/FaultLog.h"

std::optional<VirtualFault> FaultLog::add(qsizetype offset, int block, const QString &message)
{
    if (repeats(block, message)) {
        m_pending->lastOffset = offset;
        m_pending->lastBlock = block;
        ++m_pending->count;
        return std::nullopt;
    }
    std::optional<VirtualFault> told = complete();
    m_pending = VirtualFault{offset, message, block, -1, block, 1};
    ++m_total;
    return told;
}

std::optional<VirtualFault> FaultLog::flush()
{
    return complete();
}

void FaultLog::clear()
{
    m_pending.reset();
    m_listed.clear();
    m_total = 0;
}

bool FaultLog::repeats(int block, const QString &message) const
{
    return m_pending && (block == m_pending->lastBlock || block == m_pending->lastBlock + 1)
        && message == m_pending->message;
}

std::optional<VirtualFault> FaultLog::complete()
{
    if (!m_pending)
        return std::nullopt;
    const VirtualFault done = *m_pending;
    m_pending.reset();
    if (m_listed.size() >= ListedFaults)
        return std::nullopt;
    m_listed << done;
    return done;
}
