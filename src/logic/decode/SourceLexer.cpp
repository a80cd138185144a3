#include "logic/decode/SourceLexer.h"

#include <QStringList>

namespace SourceLexer {

namespace {

bool isNameStart(QChar c)
{
    return c.isLetter() || c == QLatin1Char('_');
}

bool isNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

bool isHexDigit(QChar c)
{
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c >= QLatin1Char('a') && c <= QLatin1Char('f'))
        || (c >= QLatin1Char('A') && c <= QLatin1Char('F'));
}

class Splitter
{
public:
    Splitter(QStringView text, bool assembler) : m_text(text), m_assembler(assembler) {}

    Tokens run()
    {
        while (m_at < m_text.size() && m_result.badPosition < 0)
            next();
        return m_result;
    }

private:
    QChar at(qsizetype index) const { return index < m_text.size() ? m_text[index] : QChar(); }
    void add(Kind kind, qsizetype start) { m_result.list.push_back({kind, start, m_at - start, m_line}); }
    void next();
    void skipLineComment()
    {
        while (m_at < m_text.size() && m_text[m_at] != QLatin1Char('\n'))
            ++m_at;
    }
    void skipBlockComment();
    void directive();
    void quoted(QChar quote);
    void name();
    void number();
    bool prefixedNumber();
    bool atLineStart() const;
    // "#define", "# if": a preprocessor word after the '#' ("#05", "#c0" are bytes).
    bool directiveFollows() const
    {
        static const QStringList words = {"define", "include", "if",    "ifdef",  "ifndef", "elif",
                                          "else",   "endif",   "undef", "pragma", "error",  "warning",
                                          "line",   "import",  "elifdef", "elifndef"};
        qsizetype at = m_at + 1;
        while (at < m_text.size() && (m_text[at] == QLatin1Char(' ') || m_text[at] == QLatin1Char('\t')))
            ++at;
        qsizetype end = at;
        while (end < m_text.size() && m_text[end].isLetter())
            ++end;
        return words.contains(m_text.mid(at, end - at).toString());
    }

    QStringView m_text;
    bool m_assembler;
    qsizetype m_at = 0;
    int m_line = 1;
    Tokens m_result;
};

bool Splitter::atLineStart() const
{
    for (qsizetype i = m_at - 1; i >= 0; --i) {
        if (m_text[i] == QLatin1Char('\n'))
            return true;
        if (!m_text[i].isSpace())
            return false;
    }
    return true;
}

void Splitter::skipBlockComment()
{
    const qsizetype end = m_text.indexOf(QLatin1String("*/"), m_at + 2);
    const qsizetype stop = end < 0 ? m_text.size() : end + 2;
    for (; m_at < stop; ++m_at)
        if (m_text[m_at] == QLatin1Char('\n'))
            ++m_line;
}

// A preprocessor line, with its continuations, is one token.
void Splitter::directive()
{
    const qsizetype start = m_at;
    const int line = m_line;
    while (m_at < m_text.size() && m_text[m_at] != QLatin1Char('\n')) {
        if (m_text[m_at] == QLatin1Char('\\') && at(m_at + 1) == QLatin1Char('\n')) {
            m_at += 2;
            ++m_line;
            continue;
        }
        if (m_text[m_at] == QLatin1Char('/') && at(m_at + 1) == QLatin1Char('*')) {
            skipBlockComment();
            continue;
        }
        if (m_text[m_at] == QLatin1Char('/') && at(m_at + 1) == QLatin1Char('/'))
            break;
        ++m_at;
    }
    m_result.list.push_back({Kind::Directive, start, m_at - start, line});
}

void Splitter::quoted(QChar quote)
{
    const qsizetype start = m_at++;
    while (m_at < m_text.size() && m_text[m_at] != quote && m_text[m_at] != QLatin1Char('\n'))
        m_at += m_text[m_at] == QLatin1Char('\\') ? 2 : 1;
    if (at(m_at) != quote) {
        m_result.badPosition = start;
        return;
    }
    ++m_at;
    add(quote == QLatin1Char('"') ? Kind::String : Kind::Char, start);
}

void Splitter::name()
{
    const qsizetype start = m_at;
    while (isNameChar(at(m_at)) || (m_assembler && at(m_at) == QLatin1Char('.')))
        ++m_at;
    // MPASM writes H'1f', B'101', D'31', O'37', A'c'.
    if (m_at - start == 1 && at(m_at) == QLatin1Char('\'')
        && QStringLiteral("HhBbDdOoAa").contains(m_text[start])) {
        const qsizetype close = m_text.indexOf(QLatin1Char('\''), m_at + 1);
        if (close > m_at && !m_text.mid(m_at, close - m_at).contains(QLatin1Char('\n'))) {
            m_at = close + 1;
            add(Kind::Number, start);
            return;
        }
    }
    add(Kind::Identifier, start);
}

void Splitter::number()
{
    const qsizetype start = m_at;
    while (isNameChar(at(m_at)) || (at(m_at) == QLatin1Char('\'') && isHexDigit(at(m_at + 1))))
        ++m_at;
    add(Kind::Number, start);
}

// "$1f", "%101", "&h1f": an assembler's or BASIC's prefix before digits.
bool Splitter::prefixedNumber()
{
    const QChar c = m_text[m_at];
    const qsizetype start = m_at;
    qsizetype digits = m_at + 1;
    if (c == QLatin1Char('&') && (at(digits) == QLatin1Char('h') || at(digits) == QLatin1Char('H')))
        ++digits;
    else if (c != QLatin1Char('$') && c != QLatin1Char('%'))
        return false;
    if (!isHexDigit(at(digits)) || (c == QLatin1Char('%') && !m_assembler))
        return false;
    m_at = digits;
    while (isNameChar(at(m_at)))
        ++m_at;
    add(Kind::Number, start);
    return true;
}

void Splitter::next()
{
    const QChar c = m_text[m_at];
    if (c == QLatin1Char('\n')) {
        if (m_assembler)
            m_result.list.push_back({Kind::LineEnd, m_at, 1, m_line});
        ++m_line;
        ++m_at;
    } else if (c.isSpace()) {
        ++m_at;
    } else if (c == QLatin1Char('/') && at(m_at + 1) == QLatin1Char('/')) {
        skipLineComment();
    } else if (c == QLatin1Char('/') && at(m_at + 1) == QLatin1Char('*')) {
        skipBlockComment();
    } else if (m_assembler && (c == QLatin1Char(';') || (c == QLatin1Char('*') && atLineStart()))) {
        skipLineComment();
    } else if (c == QLatin1Char('#') && atLineStart() && directiveFollows()) {
        directive();
    } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
        quoted(c);
    } else if (isNameStart(c) || (m_assembler && c == QLatin1Char('.') && isNameStart(at(m_at + 1)))) {
        name();
    } else if (c.isDigit()) {
        number();
    } else if (!prefixedNumber()) {
        const qsizetype start = m_at++;
        add(Kind::Punct, start);
    }
}

} // namespace

Tokens split(QStringView text, bool assembler)
{
    return Splitter(text, assembler).run();
}

} // namespace SourceLexer
