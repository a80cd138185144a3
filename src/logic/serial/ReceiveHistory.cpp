#include "logic/serial/ReceiveHistory.h"

ReceiveHistory::ReceiveHistory(qsizetype capacity) : m_capacity(capacity)
{
}

void ReceiveHistory::append(const QByteArray &bytes, const QTime &arrival)
{
    if (bytes.isEmpty())
        return;
    if (bytes.size() >= m_capacity) {
        m_chunks = {Chunk{bytes.right(m_capacity), arrival}};
        m_size = m_capacity;
        return;
    }
    m_chunks.append(Chunk{bytes, arrival});
    m_size += bytes.size();
    while (m_size > m_capacity) {
        Chunk &oldest = m_chunks.first();
        const qsizetype excess = m_size - m_capacity;
        if (oldest.bytes.size() > excess) {
            oldest.bytes.remove(0, excess);
            m_size -= excess;
        } else {
            m_size -= oldest.bytes.size();
            m_chunks.removeFirst();
        }
    }
}

void ReceiveHistory::clear()
{
    m_chunks.clear();
    m_size = 0;
}
