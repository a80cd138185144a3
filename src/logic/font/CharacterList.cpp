#include "logic/font/CharacterList.h"

#include <QRegularExpression>
#include <QSet>

#include <algorithm>

namespace CharacterList {

namespace {

bool codeOf(const QString &text, char32_t *code)
{
    const QList<uint> units = text.toUcs4();
    bool ok = false;
    uint value = 0;
    if (text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive) || text.startsWith(QLatin1String("U+"), Qt::CaseInsensitive))
        value = text.mid(2).toUInt(&ok, 16);
    else if (!text.isEmpty() && text.at(0).isDigit())
        value = text.toUInt(&ok, 10);
    else if (units.size() == 1) {
        value = units.first();
        ok = true;
    }
    *code = char32_t(value);
    return ok && value <= LastCodePoint;
}

bool item(const QString &text, QSet<char32_t> *codes, QString *reason)
{
    if (text.compare(QLatin1String("latin1"), Qt::CaseInsensitive) == 0)
        return item(QStringLiteral("32-126"), codes, reason) && item(QStringLiteral("160-255"), codes, reason);
    // A dash between two parts is a range; a lone "-" is the character.
    static const QRegularExpression range(QStringLiteral("^(.+?)-(.+)$"));
    const QRegularExpressionMatch match = range.match(text);
    char32_t first = 0, last = 0;
    const bool ok = match.hasMatch() ? codeOf(match.captured(1), &first) && codeOf(match.captured(2), &last)
                                     : codeOf(text, &first) && codeOf(text, &last);
    if (!ok || last < first) {
        *reason = QStringLiteral("\"%1\" is no character, code or range of them").arg(text);
        return false;
    }
    if (qsizetype(last - first) + codes->size() >= MostCharacters) {
        *reason = QStringLiteral("more than %1 characters").arg(MostCharacters);
        return false;
    }
    for (char32_t code = first; code <= last; ++code)
        codes->insert(code);
    return true;
}

QList<char32_t> sorted(const QSet<char32_t> &set)
{
    QList<char32_t> codes(set.cbegin(), set.cend());
    std::sort(codes.begin(), codes.end());
    return codes;
}

} // namespace

bool parse(const QString &list, QList<char32_t> *codes, QString *reason)
{
    QSet<char32_t> set;
    for (const QString &part : list.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QString text = part.trimmed().isEmpty() ? part : part.trimmed();
        if (!item(text, &set, reason))
            return false;
    }
    if (set.isEmpty()) {
        *reason = QStringLiteral("no characters chosen");
        return false;
    }
    *codes = sorted(set);
    return true;
}

QList<char32_t> ofText(const QString &text)
{
    QSet<char32_t> set;
    for (uint code : text.toUcs4())
        if (code != '\n' && code != '\r')
            set.insert(char32_t(code));
    return sorted(set);
}

QString describe(const QList<char32_t> &codes)
{
    QStringList parts;
    for (qsizetype i = 0; i < codes.size();) {
        qsizetype end = i;
        while (end + 1 < codes.size() && codes.at(end + 1) == codes.at(end) + 1)
            ++end;
        const QString first = QStringLiteral("0x%1").arg(uint(codes.at(i)), 2, 16, QLatin1Char('0'));
        parts << (end == i ? first : first + QStringLiteral("-0x%1").arg(uint(codes.at(end)), 2, 16, QLatin1Char('0')));
        i = end + 1;
    }
    return parts.join(QLatin1Char(','));
}

QString name(char32_t code)
{
    const QString hex = QStringLiteral("U+") + QStringLiteral("%1").arg(uint(code), 4, 16, QLatin1Char('0')).toUpper();
    return code >= 0x20 && code != 0x7f ? hex + QStringLiteral(" '") + QString::fromUcs4(&code, 1) + QLatin1Char('\'') : hex;
}

} // namespace CharacterList
