#include "logic/decode/DecodeError.h"

QString DecodeError::message() const
{
    return QStringLiteral("line %1, column %2: %3").arg(line).arg(column).arg(reason);
}

DecodeError DecodeError::at(QStringView source, qsizetype position, const QString &text, const QString &reason)
{
    DecodeError error;
    error.position = qBound<qsizetype>(0, position, source.size());
    error.text = text;
    error.reason = reason;
    const QStringView before = source.left(error.position);
    const qsizetype lineStart = before.lastIndexOf(QLatin1Char('\n')) + 1;
    error.line = int(before.count(QLatin1Char('\n'))) + 1;
    error.column = int(error.position - lineStart) + 1;
    return error;
}
