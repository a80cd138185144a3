#include "logic/decode/TextWords.h"

namespace {

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r')
        || c.isSpace();
}

// Calls `take` with each character of `separator` that is not a blank.
template <typename Take>
bool forEachCoreCharacter(QStringView separator, Take take)
{
    for (const QChar c : separator)
        if (!isBlank(c) && !take(c))
            return false;
    return true;
}

} // namespace

TextWords::TextWords(QStringView text) : m_clean(text.toString())
{
    // ASCII only: lower-casing other letters may change the text's length.
    for (QChar &c : m_clean)
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(c.unicode() + ('a' - 'A'));
    blankComments();
    const qsizetype size = m_clean.size();
    const QChar *chars = m_clean.constData();
    m_words.reserve(size / 5); // "0x05," is five characters a word
    qsizetype i = 0;
    while (i < size) {
        while (i < size && !isWordCharacter(chars[i]))
            ++i;
        const qsizetype start = i;
        while (i < size && isWordCharacter(chars[i]))
            ++i;
        if (i > start)
            m_words.push_back({int(start), int(i)});
    }
}

void TextWords::blankComments()
{
    QChar *chars = m_clean.data();
    const qsizetype size = m_clean.size();
    for (qsizetype i = 0; i + 1 < size; ++i) {
        if (chars[i] != QLatin1Char('/'))
            continue;
        const bool line = chars[i + 1] == QLatin1Char('/');
        const bool block = chars[i + 1] == QLatin1Char('*');
        if (!line && !block)
            continue;
        qsizetype end = line ? m_clean.indexOf(QLatin1Char('\n'), i + 2)
                             : m_clean.indexOf(QLatin1String("*/"), i + 2);
        end = end < 0 ? size : (line ? end : end + 2);
        for (qsizetype k = i; k < end; ++k)
            chars[k] = QLatin1Char(' ');
        i = end - 1;
    }
}

bool TextWords::isOtherWordCharacter(QChar c)
{
    return c.isLetterOrNumber();
}

QString TextWords::core(QStringView separator)
{
    QString result;
    forEachCoreCharacter(separator, [&result](QChar c) {
        result += c;
        return true;
    });
    return result;
}

bool TextWords::coreEquals(QStringView separator, QStringView core)
{
    qsizetype matched = 0;
    const bool same = forEachCoreCharacter(separator, [&](QChar c) {
        return matched < core.size() && core[matched++] == c;
    });
    return same && matched == core.size();
}

bool TextWords::coreStartsWith(QStringView core, QStringView separator)
{
    qsizetype matched = 0;
    return forEachCoreCharacter(separator, [&](QChar c) { return matched < core.size() && core[matched++] == c; });
}
