#include "logic/output/TextDecoding.h"

#include <QStringDecoder>

namespace TextDecoding {

QString fromBytes(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    return utf8.hasError() ? QString::fromLatin1(bytes) : text;
}

} // namespace TextDecoding
