#pragma once

#include "logic/decode/SourceArrays.h"
#include "logic/decode/SourceLexer.h"

#include <optional>

// What the C and the assembler reading share: the value of one element,
// arrays in the making, named numbers and the first error.
class SourceArrayBuilder
{
public:
    using Token = SourceLexer::Token;

    SourceArrayBuilder(QStringView text, const std::vector<Token> &tokens) : m_text(text), m_tokens(tokens) {}

    QStringView text(std::size_t index) const { return SourceLexer::textOf(m_text, m_tokens[index]); }
    bool isPunct(std::size_t index, char c) const
    {
        return index < m_tokens.size() && m_tokens[index].kind == SourceLexer::Kind::Punct
            && m_text[m_tokens[index].start] == QLatin1Char(c);
    }

    void startArray(const QString &name, int line);
    // Reads tokens [from, to) as one element of the array being built: a
    // number, a character (a string too with `strings`), with casts,
    // parentheses and signs. False when it is none; `refuse` says why.
    bool addElement(std::size_t from, std::size_t to, bool strings);
    // Ends the array; one without a single number (names only) is dropped
    // when `dropNamesOnly`, else its first unreadable element is refused.
    void finishArray(bool dropNamesOnly);
    bool building() const { return m_building; }
    void addConstant(const QString &name, std::size_t from, std::size_t to);
    void readDirective(std::size_t index);
    void refuse(std::size_t index, const QString &reason);
    // The text an error is said to stand in (see SourceArrays::Result).
    void setSpan(qsizetype from, qsizetype to)
    {
        m_spanFrom = from;
        m_spanTo = to;
    }
    bool failed() const { return m_result.error.isSet(); }
    SourceArrays::Result &result() { return m_result; }

private:
    struct Element
    {
        std::size_t token;
        std::optional<qint64> value; // unset: a name
        bool bareHex;
        bool glued; // two or more bare hex pairs in one word
        int hexValue; // when bareHex
    };
    std::optional<qint64> valueOf(std::size_t from, std::size_t to, bool *bareHex) const;
    std::optional<qint64> constant(QStringView name) const;

    QStringView m_text;
    const std::vector<Token> &m_tokens;
    SourceArrays::Result m_result;
    SourceArrays::Array m_array;
    std::vector<Element> m_elements;
    bool m_building = false;
    qsizetype m_spanFrom = -1;
    qsizetype m_spanTo = -1;
};
