#include "logic/decode/SourceLiteral.h"

#include <QByteArray>
#include <QString>

#include <limits>

namespace SourceLiteral {

namespace {

std::optional<qint64> digits(QStringView text, int base)
{
    if (text.isEmpty() || text.size() > 24)
        return std::nullopt;
    qint64 value = 0;
    for (const QChar c : text) {
        if (c == QLatin1Char('\''))
            continue; // C++14 digit separator
        const int digit = c.isDigit() ? c.digitValue() : c.isLetter() ? c.toLower().unicode() - 'a' + 10 : 99;
        if (digit < 0 || digit >= base)
            return std::nullopt;
        // Beyond 64 bits no literal is a byte, a size or an address: not a number here.
        if (value > (std::numeric_limits<qint64>::max() - digit) / base)
            return std::nullopt;
        value = value * base + digit;
    }
    return value;
}

// C's integer suffixes: u, l, ll in any case and order.
QStringView withoutIntegerSuffix(QStringView text)
{
    while (!text.isEmpty() && QStringLiteral("uUlL").contains(text.back()))
        text.chop(1);
    return text;
}

std::optional<qint64> mpasm(QStringView text)
{
    const QChar radix = text.front().toLower();
    const QStringView inner = text.mid(2, text.size() - 3);
    switch (radix.unicode()) {
    case 'h': return digits(inner, 16);
    case 'b': return digits(inner, 2);
    case 'd': return digits(inner, 10);
    case 'o': return digits(inner, 8);
    case 'a': return inner.size() == 1 ? std::optional<qint64>(inner.front().unicode()) : std::nullopt;
    default: return std::nullopt;
    }
}

std::optional<qint64> escaped(QStringView body, qsizetype *length)
{
    const QChar c = body.size() > 1 ? body[1] : QChar();
    static const QString simple = QStringLiteral("n\nt\tr\ra\ab\bf\fv\v\\\\''\"\"??");
    if (c == QLatin1Char('x')) {
        qsizetype end = 2;
        while (end < body.size() && end < 4 && digits(body.mid(end, 1), 16))
            ++end;
        *length = end;
        return digits(body.mid(2, end - 2), 16);
    }
    if (c >= QLatin1Char('0') && c <= QLatin1Char('7')) {
        qsizetype end = 1;
        while (end < body.size() && end < 4 && body[end] >= QLatin1Char('0') && body[end] <= QLatin1Char('7'))
            ++end;
        *length = end;
        return digits(body.mid(1, end - 1), 8);
    }
    for (qsizetype i = 0; i + 1 < simple.size(); i += 2)
        if (simple[i] == c) {
            *length = 2;
            return simple[i + 1].unicode();
        }
    return std::nullopt;
}

} // namespace

std::optional<qint64> number(QStringView text)
{
    if (text.isEmpty())
        return std::nullopt;
    const QChar first = text.front();
    if (text.size() >= 3 && text.back() == QLatin1Char('\'') && text[1] == QLatin1Char('\''))
        return mpasm(text);
    if (first == QLatin1Char('$'))
        return digits(text.mid(1), 16);
    if (first == QLatin1Char('%'))
        return digits(text.mid(1), 2);
    if (first == QLatin1Char('&'))
        return digits(text.mid(2), 16);
    if (!first.isDigit())
        return std::nullopt;
    const QChar last = text.back().toLower();
    if (last == QLatin1Char('h'))
        return digits(text.chopped(1), 16);
    const QStringView plain = withoutIntegerSuffix(text);
    if (plain.size() > 2 && plain[0] == QLatin1Char('0') && plain[1].toLower() == QLatin1Char('x'))
        return digits(plain.mid(2), 16);
    if (plain.size() > 2 && plain[0] == QLatin1Char('0') && plain[1].toLower() == QLatin1Char('b'))
        return digits(plain.mid(2), 2);
    if (last == QLatin1Char('b'))
        return digits(text.chopped(1), 2);
    if (plain.size() > 1 && plain[0] == QLatin1Char('0'))
        return digits(plain.mid(1), 8);
    return digits(plain, 10);
}

std::optional<qint64> character(QStringView text)
{
    if (text.size() < 3 || text.front() != QLatin1Char('\''))
        return std::nullopt;
    const QStringView body = text.mid(1, text.size() - 2);
    if (body.size() == 1)
        return body.front().unicode();
    qsizetype length = 0;
    const std::optional<qint64> value = body.front() == QLatin1Char('\\') ? escaped(body, &length) : std::nullopt;
    return length == body.size() ? value : std::nullopt;
}

QByteArray string(QStringView text)
{
    QByteArray bytes;
    const QStringView body = text.mid(1, text.size() - 2);
    for (qsizetype i = 0; i < body.size();) {
        qsizetype length = 1;
        std::optional<qint64> value = body[i].unicode();
        if (body[i] == QLatin1Char('\\'))
            value = escaped(body.mid(i), &length);
        bytes.append(char(value.value_or('?')));
        i += qMax<qsizetype>(length, 1);
    }
    return bytes;
}

std::optional<qint64> arduinoBinary(QStringView text)
{
    if (text.size() < 2 || text.size() > 9 || text.front() != QLatin1Char('B'))
        return std::nullopt;
    return digits(text.mid(1), 2);
}

bool isBareHexPair(QStringView text)
{
    return text.size() == 2 && digits(text, 16).has_value();
}

} // namespace SourceLiteral
