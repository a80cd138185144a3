#include "logic/decode/SourceArrays.h"

#include "logic/decode/SourceArrayBuilder.h"
#include "logic/decode/SourceLiteral.h"

#include <QRegularExpression>

namespace SourceArrays {

namespace {

using Kind = SourceLexer::Kind;
using Token = SourceLexer::Token;

const QStringList DataDirectives = {"db", ".db", "byte", ".byte", "defb", "dc.b", ".dc.b", "fcb", "dt", "retlw"};
const QStringList ConstantDirectives = {"equ", ".equ", "=", "set", ".set"};

class CReader
{
public:
    CReader(QStringView text, const std::vector<Token> &tokens) : m_tokens(tokens), m_build(text, tokens) {}

    Result run()
    {
        std::size_t statement = 0;
        for (std::size_t i = 0; i < m_tokens.size() && !m_build.failed(); ++i) {
            if (m_tokens[i].kind == Kind::Directive)
                m_build.readDirective(i);
            else if (m_build.isPunct(i, ';') || m_build.isPunct(i, '}'))
                statement = i + 1;
            else if (m_build.isPunct(i, '{') && (m_build.isPunct(before(i), '=') || m_build.isPunct(before(i), ']'))) {
                i = initialiser(statement, i);
                statement = i + 1;
            } else if (m_build.isPunct(i, '{'))
                statement = i + 1;
            else if (m_build.isPunct(i, '='))
                constant(statement, i);
        }
        return m_build.result();
    }

private:
    std::size_t before(std::size_t index) const
    {
        while (index > 0 && m_tokens[index - 1].kind == Kind::Directive)
            --index;
        return index > 0 ? index - 1 : m_tokens.size();
    }
    std::size_t matchingBrace(std::size_t open) const;
    std::size_t initialiser(std::size_t statement, std::size_t open);
    void constant(std::size_t statement, std::size_t equals);

    const std::vector<Token> &m_tokens;
    SourceArrayBuilder m_build;
};

std::size_t CReader::matchingBrace(std::size_t open) const
{
    int depth = 0;
    for (std::size_t i = open; i < m_tokens.size(); ++i) {
        depth += m_build.isPunct(i, '{') ? 1 : m_build.isPunct(i, '}') ? -1 : 0;
        if (depth == 0)
            return i;
    }
    return m_tokens.size();
}

// The array's name is the one before its first '[', or the last one inside
// a macro that wraps the declaration (`BITMAP(uint8_t, logo) = {`); any
// other declaration (a structure) initialises no array.
std::size_t CReader::initialiser(std::size_t statement, std::size_t open)
{
    const std::size_t close = matchingBrace(open);
    std::size_t bracket = statement;
    while (bracket < open && !m_build.isPunct(bracket, '['))
        ++bracket;
    std::size_t name = bracket - 1;
    if (bracket == open && m_build.isPunct(before(open), '=') && m_build.isPunct(before(before(open)), ')'))
        for (name = before(before(open)); name > statement && m_tokens[name].kind != Kind::Identifier;)
            --name;
    if (name < statement || name >= open || m_tokens[name].kind != Kind::Identifier)
        return close;
    if (close == m_tokens.size()) {
        m_build.result().declared = true;
        m_build.refuse(open, QStringLiteral("no closing brace after this one"));
        return close;
    }
    m_build.startArray(m_build.text(name).toString(), m_tokens[name].line);
    std::size_t last = close - 1;
    while (last > open && (m_build.isPunct(last, ',') || m_tokens[last].kind == Kind::Directive))
        --last;
    m_build.setSpan(m_tokens[open + 1].start, m_tokens[last].start + m_tokens[last].length);
    std::size_t element = open + 1;
    for (std::size_t i = open + 1; i <= close && !m_build.failed(); ++i)
        if (m_build.isPunct(i, ',') || m_build.isPunct(i, '{') || m_build.isPunct(i, '}')) {
            m_build.addElement(element, i, false);
            element = i + 1;
        }
    if (!m_build.failed())
        m_build.finishArray(true);
    return close;
}

// `NAME = number;` outside an array: a named number.
void CReader::constant(std::size_t statement, std::size_t equals)
{
    if (equals == statement || m_tokens[equals - 1].kind != Kind::Identifier)
        return;
    std::size_t end = equals + 1;
    while (end < m_tokens.size() && !m_build.isPunct(end, ';') && !m_build.isPunct(end, ',') && end - equals < 12)
        ++end;
    m_build.addConstant(m_build.text(equals - 1).toString(), equals + 1, end);
}

// Assembler is read a line at a time.
class AssemblerReader
{
public:
    AssemblerReader(QStringView text, const std::vector<Token> &tokens)
        : m_text(text), m_tokens(tokens), m_build(text, tokens)
    {
    }

    Result run()
    {
        std::size_t start = 0;
        for (std::size_t i = 0; i <= m_tokens.size() && !m_build.failed(); ++i)
            if (i == m_tokens.size() || m_tokens[i].kind == Kind::LineEnd) {
                line(start, i);
                start = i + 1;
            }
        if (m_build.building() && !m_build.failed())
            m_build.finishArray(false);
        return m_build.result();
    }

private:
    bool isData(std::size_t index, std::size_t end) const
    {
        return index < end && m_tokens[index].kind == Kind::Identifier
            && DataDirectives.contains(m_build.text(index).toString().toLower());
    }
    void label(std::size_t index)
    {
        if (m_build.building())
            m_build.finishArray(false);
        m_arrayStart = -1;
        m_label = m_build.text(index).toString();
        m_labelLine = m_tokens[index].line;
    }
    void line(std::size_t from, std::size_t to);
    // Numbers, characters and bare hex pairs only, between commas or '#'.
    bool onlyElements(std::size_t from, std::size_t to) const
    {
        for (std::size_t i = from; i < to; ++i) {
            const Kind kind = m_tokens[i].kind;
            const bool element = kind == Kind::Number || kind == Kind::Char
                || (kind == Kind::Identifier && SourceLiteral::isBareHexPair(m_build.text(i)));
            if (!element && !m_build.isPunct(i, ',') && !m_build.isPunct(i, '#'))
                return false;
        }
        return true;
    }
    void data(std::size_t from, std::size_t to);

    QStringView m_text;
    const std::vector<Token> &m_tokens;
    SourceArrayBuilder m_build;
    QString m_label;
    int m_labelLine = 0;
    qsizetype m_arrayStart = -1;
    qsizetype m_lineEnd = -1;
};

void AssemblerReader::line(std::size_t from, std::size_t to)
{
    if (from >= to)
        return;
    const Token &first = m_tokens[from];
    const Token &end = m_tokens[to - 1];
    m_lineEnd = end.start + end.length;
    m_build.setSpan(m_arrayStart >= 0 ? m_arrayStart : first.start, m_lineEnd);
    if (m_build.building() && !isData(from, to) && onlyElements(from, to))
        return data(from, to); // the output text's bytes, a line each after "db"
    if (first.kind == Kind::Directive)
        return m_build.readDirective(from);
    if (first.kind != Kind::Identifier) {
        const Token &last = m_tokens[to - 1];
        const QStringView whole = m_text.mid(first.start, last.start + last.length - first.start);
        return m_build.refuse(from, QStringLiteral("cannot read \"%1\"").arg(whole.left(40)));
    }
    const auto word = [this, to](std::size_t index) {
        return index < to ? m_build.text(index).toString().toLower() : QString();
    };
    if (isData(from, to))
        return data(from + 1, to);
    if (m_build.isPunct(from + 1, ':') && from + 1 < to) {
        label(from);
        if (isData(from + 2, to))
            data(from + 3, to);
        return;
    }
    if (isData(from + 1, to)) {
        label(from);
        return data(from + 2, to);
    }
    if (ConstantDirectives.contains(word(from + 1)))
        return m_build.addConstant(m_build.text(from).toString(), from + 2, to);
    if ((word(from) == QLatin1String(".equ") || word(from) == QLatin1String(".set")) && m_build.isPunct(from + 2, ','))
        return m_build.addConstant(m_build.text(from + 1).toString(), from + 3, to);
    // A name alone at the start of a line is a label (MPASM's form).
    if (to == from + 1 && (first.start == 0 || m_text[first.start - 1] == QLatin1Char('\n')))
        label(from);
}

// Elements separated by commas; bytes as the output text writes them
// ("db c0 ff 05") may stand apart by blanks alone.
void AssemblerReader::data(std::size_t from, std::size_t to)
{
    if (!m_build.building()) {
        m_build.startArray(m_label, m_label.isEmpty() ? m_tokens[from - 1].line : m_labelLine);
        m_arrayStart = from < to ? m_tokens[from].start : -1;
        m_build.setSpan(m_arrayStart, m_lineEnd);
    }
    std::size_t element = from;
    for (std::size_t i = from; i <= to && !m_build.failed(); ++i) {
        // '#' marks an immediate value ("#$05") and may stand for a separator.
        const bool bareNeighbours = i < to && i > element && !m_build.isPunct(i - 1, '#')
            && (m_tokens[i].kind != Kind::Punct || m_build.isPunct(i, '#'))
            && (m_tokens[i - 1].kind != Kind::Punct || m_build.isPunct(i - 1, ','));
        if (i == to || m_build.isPunct(i, ',') || bareNeighbours) {
            m_build.addElement(element, i, true);
            element = m_build.isPunct(i, ',') ? i + 1 : i;
        }
    }
}

} // namespace

bool isAssembler(QStringView text)
{
    static const QRegularExpression dataLine(
        QStringLiteral("^[ \\t]*(?:[A-Za-z_.][\\w.]*:?[ \\t]+)?(?:\\.?db|\\.?byte|defb|\\.?dc\\.b|fcb|dt|retlw)\\b"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::MultilineOption);
    return !text.contains(QLatin1Char('{')) && dataLine.match(text).hasMatch();
}

Result read(QStringView text)
{
    const bool assembler = isAssembler(text);
    const SourceLexer::Tokens tokens = SourceLexer::split(text, assembler);
    Result result = assembler ? AssemblerReader(text, tokens.list).run() : CReader(text, tokens.list).run();
    if (tokens.badPosition >= 0 && !result.error.isSet())
        result.error = DecodeError::at(text, tokens.badPosition, text.mid(tokens.badPosition, 1).toString(),
                                       QStringLiteral("a quote that is not closed on its line"));
    return result;
}

} // namespace SourceArrays
