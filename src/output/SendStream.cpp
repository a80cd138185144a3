#include "output/SendStream.h"

namespace SendStream {

QString outputTextFrom(const QString &windowText)
{
    return windowText.trimmed().toLower();
}

QString reformat(const QString &existing, const QString &header, const QString &waitChars,
                 const QString &outputText, int blockSize)
{
    const qsizetype step = blockSize > 0 ? blockSize : qMax<qsizetype>(1, outputText.size());
    QString blocks = existing;
    blocks.reserve(existing.size() + outputText.size() + (outputText.size() / step + 1) * waitChars.size());
    for (qsizetype start = 0; start < outputText.size(); start += step) {
        blocks += waitChars;
        blocks += outputText.mid(start, step);
    }
    return (header + blocks).toLower();
}

} // namespace SendStream
