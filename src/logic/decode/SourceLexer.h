#pragma once

#include <QString>
#include <QStringView>

#include <vector>

// C, C++ and assembler source cut into tokens, comments left out. Positions
// stay those of the text, so an error can point into it.
//
// Assembler mode differs in three ways: ';' starts a comment, '.' may stand
// in a name ("dc.b", ".db") and line ends are tokens, as assembler is read a
// line at a time. Numbers take every form a byte is written in by C or an
// assembler ("0x1f", "0b101", "$1f", "0ffh", "%101", "&h1f", "H'1f'"); their
// value is SourceLiteral's business.
namespace SourceLexer {

enum class Kind { Identifier, Number, Char, String, Punct, LineEnd, Directive };

struct Token
{
    Kind kind;
    qsizetype start;
    qsizetype length;
    int line; // 1-based
};

struct Tokens
{
    std::vector<Token> list;
    // A character no token starts with, or an unclosed literal; -1 when none.
    qsizetype badPosition = -1;
};

Tokens split(QStringView text, bool assembler);

inline QStringView textOf(QStringView text, const Token &token)
{
    return text.mid(token.start, token.length);
}

} // namespace SourceLexer
