#include "logic/core/BoundedRead.h"

#include <QCoreApplication>
#include <QIODevice>

namespace BoundedRead {

namespace {
// Small steps keep the memory used for an endless input near the limit.
constexpr qint64 ChunkSize = 64 * 1024;
} // namespace

Result readAll(QIODevice &device, qint64 limit)
{
    Result result;
    QByteArray &data = result.data;
    for (;;) {
        const qint64 want = qMin(ChunkSize, limit + 1 - data.size());
        const qsizetype before = data.size();
        data.resize(before + want);
        const qint64 got = device.read(data.data() + before, want);
        data.resize(before + qMax<qint64>(got, 0));
        if (got < 0) { // 0 is the end of the input, -1 a failure
            data.clear();
            result.systemReason = device.errorString();
            return result;
        }
        if (data.size() > limit) {
            data.clear();
            result.status = Status::TooLarge;
            return result;
        }
        if (got == 0) {
            result.status = Status::Complete;
            return result;
        }
    }
}

QString tooLargeReason(qint64 limit)
{
    return QCoreApplication::translate("BoundedRead", "too large (more than %1 bytes)").arg(limit);
}

} // namespace BoundedRead
