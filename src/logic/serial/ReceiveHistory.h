#pragma once

#include <QByteArray>
#include <QList>
#include <QTime>

// The newest received bytes, as they came, each read with its arrival time:
// what the receive window is drawn again from when the user picks another
// view. Bounded: the oldest bytes go first.
class ReceiveHistory
{
public:
    struct Chunk
    {
        QByteArray bytes;
        QTime arrival;
    };

    explicit ReceiveHistory(qsizetype capacity = 65536);

    void append(const QByteArray &bytes, const QTime &arrival);
    void clear();
    bool isEmpty() const { return m_size == 0; }
    qsizetype size() const { return m_size; }
    // Oldest first.
    const QList<Chunk> &chunks() const { return m_chunks; }

private:
    qsizetype m_capacity;
    qsizetype m_size = 0;
    QList<Chunk> m_chunks;
};
