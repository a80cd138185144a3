#pragma once

#include <QByteArray>
#include <QString>

class QIODevice;

// Reads a whole file or stream, but never more than a limit. A device or a
// FIFO reports size 0 (/dev/zero never ends), so the bound counts the bytes
// actually read instead of trusting the size.
namespace BoundedRead {

enum class Status { Complete, TooLarge, Failed };

struct Result
{
    Status status = Status::Failed;
    QByteArray data;      // everything, when Complete
    QString systemReason; // when Failed: the device's error string
};

// Reads `device` (a file or standard input, open for reading) to its end.
Result readAll(QIODevice &device, qint64 limit);

// "too large (more than 1048576 bytes)": the same words wherever a bound bites.
QString tooLargeReason(qint64 limit);

} // namespace BoundedRead
