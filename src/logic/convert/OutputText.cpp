#include "logic/convert/OutputText.h"

#include <algorithm>

namespace {

QString trimmedBlanks(const QString &text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == QLatin1Char(' '))
        ++first;
    while (last > first && text.at(last - 1) == QLatin1Char(' '))
        --last;
    return text.mid(first, last - first);
}

} // namespace

namespace OutputText {

QString hexBytes(const QByteArray &bytes, const QString &format, const QString &delimiter)
{
    static const char digits[] = "0123456789ABCDEF";
    const qsizetype group = format.size() + 2 + delimiter.size();
    // Written straight into place: the largest LCD has 8000 bytes.
    QString text(bytes.size() * group, Qt::Uninitialized);
    QChar *out = text.data();
    for (const char byte : bytes) {
        const auto value = uchar(byte);
        out = std::copy(format.cbegin(), format.cend(), out);
        *out++ = QLatin1Char(digits[value >> 4]);
        *out++ = QLatin1Char(digits[value & 0x0F]);
        out = std::copy(delimiter.cbegin(), delimiter.cend(), out);
    }
    return text;
}

QString cells(const QStringList &cells, const QString &format, const QString &delimiter)
{
    QString text;
    text.reserve(cells.size() * (format.size() + 2 + delimiter.size()));
    for (const QString &cell : cells) {
        text += format;
        text += cell;
        text += delimiter;
    }
    return text;
}

QString withoutClosingDelimiter(QString text, const QString &delimiter)
{
    if (delimiter.isEmpty())
        return text;
    if (text.endsWith(delimiter))
        text.chop(delimiter.size());
    while (text.endsWith(QLatin1Char(' ')))
        text.chop(1);
    return text;
}

QString finished(const QString &body, const QString &header, const QString &footer)
{
    return trimmedBlanks(header + body + footer).toLower();
}

QString byteCount(const QString &text)
{
    const qsizetype whole = text.size() / 2;
    return text.size() % 2 ? QStringLiteral("%1.5").arg(whole) : QString::number(whole);
}

} // namespace OutputText
