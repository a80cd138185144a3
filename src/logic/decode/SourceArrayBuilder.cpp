#include "logic/decode/SourceArrayBuilder.h"

#include "logic/decode/SourceLiteral.h"

#include <QRegularExpression>

using Kind = SourceLexer::Kind;

void SourceArrayBuilder::startArray(const QString &name, int line)
{
    m_array = {name, line, -1, -1, {}, false};
    m_elements.clear();
    m_building = true;
    m_result.declared = true;
}

std::optional<qint64> SourceArrayBuilder::constant(QStringView name) const
{
    for (const SourceArrays::Constant &known : m_result.constants)
        if (known.name == name)
            return known.value;
    return std::nullopt;
}

// Casts, signs and parentheses around one number, character or name.
std::optional<qint64> SourceArrayBuilder::valueOf(std::size_t from, std::size_t to, bool *bareHex) const
{
    *bareHex = false;
    qint64 sign = 1;
    bool inverted = false;
    for (int round = 0; round < 8 && from + 1 < to; ++round) {
        if (isPunct(from, '-') || isPunct(from, '+') || isPunct(from, '~') || isPunct(from, '#')) {
            sign = isPunct(from, '-') ? -sign : sign;
            inverted = inverted != isPunct(from, '~');
            ++from;
            continue;
        }
        if (!isPunct(from, '('))
            break;
        std::size_t close = from + 1;
        for (int depth = 1; close < to; ++close) {
            depth += isPunct(close, '(') ? 1 : isPunct(close, ')') ? -1 : 0;
            if (depth == 0)
                break;
        }
        if (close + 1 == to) { // "(0x1f)"
            ++from;
            --to;
            continue;
        }
        // A cast: "(uint8_t)0x1f", "(unsigned char)".
        for (std::size_t inner = from + 1; inner < close; ++inner)
            if (m_tokens[inner].kind != Kind::Identifier && !isPunct(inner, '*'))
                return std::nullopt;
        from = close + 1;
    }
    if (to != from + 1)
        return std::nullopt;
    const QStringView token = text(from);
    std::optional<qint64> value;
    switch (m_tokens[from].kind) {
    case Kind::Number: value = SourceLiteral::number(token); break;
    case Kind::Char: value = SourceLiteral::character(token); break;
    case Kind::Identifier:
        value = SourceLiteral::arduinoBinary(token);
        if (!value)
            value = constant(token);
        break;
    default: break;
    }
    *bareHex = sign == 1 && !inverted && SourceLiteral::isBareHexPair(token);
    if (value)
        value = inverted ? ~(sign * *value) : sign * *value;
    return value;
}

bool SourceArrayBuilder::addElement(std::size_t from, std::size_t to, bool strings)
{
    while (from < to && m_tokens[from].kind == Kind::Directive)
        ++from;
    if (from >= to)
        return true;
    if (strings && to == from + 1 && m_tokens[from].kind == Kind::String) {
        for (const char byte : SourceLiteral::string(text(from)))
            m_elements.push_back({from, uchar(byte), false, false, 0});
        return true;
    }
    bool bareHex = false;
    const std::optional<qint64> value = valueOf(from, to, &bareHex);
    // Bytes glued into one word, as the output text writes them without
    // format and delimiter ("c0ff0580"), or a last byte and the closing 00
    // of rows ("7f00"): taken so when all the elements are bare hex.
    const QStringView word = text(to - 1);
    const bool binaryLiteral = word.startsWith(QLatin1String("0b"), Qt::CaseInsensitive);
    const bool glued = !binaryLiteral && word.size() >= 4 && word.size() % 2 == 0 && m_tokens[to - 1].kind != Kind::Char
        && (to == from + 1 || (to == from + 2 && isPunct(from, '#')))
        && !QByteArray::fromHex(word.toLatin1()).toHex().compare(word.toLatin1(), Qt::CaseInsensitive);
    const bool single = to == from + 1;
    if (!value && !bareHex && !glued && !(single && m_tokens[from].kind == Kind::Identifier)) {
        const Token &last = m_tokens[to - 1];
        const QStringView whole = m_text.mid(m_tokens[from].start, last.start + last.length - m_tokens[from].start);
        refuse(from, QStringLiteral("cannot read \"%1\" as a byte").arg(whole.left(40)));
        return false;
    }
    m_elements.push_back({to - 1, value, bareHex, glued, bareHex ? text(to - 1).toInt(nullptr, 16) : 0});
    return true;
}

void SourceArrayBuilder::finishArray(bool dropNamesOnly)
{
    m_building = false;
    bool allBare = !m_elements.empty();
    bool hexLooking = false; // a leading 0 or a letter: no decimal writer pads to two digits
    bool anyNumber = false;
    for (const Element &element : m_elements) {
        allBare = allBare && (element.bareHex || element.glued);
        const QStringView token = text(element.token);
        hexLooking = hexLooking || token.front() == QLatin1Char('0') || token.front().isLetter()
            || token.back().isLetter();
        anyNumber = anyNumber || element.value.has_value();
    }
    m_array.bareHex = allBare && hexLooking;
    if (!m_elements.empty()) {
        m_array.start = m_tokens[m_elements.front().token].start;
        const Token &last = m_tokens[m_elements.back().token];
        m_array.end = last.start + last.length;
    }
    if (!anyNumber && !m_array.bareHex && dropNamesOnly)
        return;
    for (const Element &element : m_elements) {
        if (m_array.bareHex && element.glued) {
            m_array.bytes += QByteArray::fromHex(text(element.token).toLatin1());
            continue;
        }
        qint64 value = element.value.value_or(-1000);
        if (m_array.bareHex)
            value = element.hexValue;
        if (value < -128 || value > 255) {
            refuse(element.token, element.value ? QStringLiteral("\"%1\" does not fit in a byte").arg(text(element.token))
                                                : QStringLiteral("cannot read \"%1\" as a byte").arg(text(element.token)));
            return;
        }
        m_array.bytes.append(char(value & 0xFF));
    }
    m_result.arrays.append(m_array);
}

void SourceArrayBuilder::addConstant(const QString &name, std::size_t from, std::size_t to)
{
    bool bareHex = false;
    if (const std::optional<qint64> value = valueOf(from, to, &bareHex))
        m_result.constants.append({name, *value, m_tokens[from].line});
}

// "#define logo_width 82" (or "(82)", "82u") is a named number; other
// preprocessor lines say nothing about the bytes.
void SourceArrayBuilder::readDirective(std::size_t index)
{
    static const QRegularExpression define(
        QStringLiteral("^#\\s*define\\s+([A-Za-z_]\\w*)\\s+\\(?\\s*([\\w$']+)\\s*\\)?\\s*$"));
    const QRegularExpressionMatch match = define.match(text(index).toString().trimmed());
    if (!match.hasMatch())
        return;
    if (const std::optional<qint64> value = SourceLiteral::number(match.capturedView(2)))
        m_result.constants.append({match.captured(1), *value, m_tokens[index].line});
}

void SourceArrayBuilder::refuse(std::size_t index, const QString &reason)
{
    if (failed())
        return;
    const Token &token = m_tokens[index];
    m_result.error = DecodeError::at(m_text, token.start, text(index).toString(), reason);
    m_result.failedFrom = m_spanFrom >= 0 ? m_spanFrom : token.start;
    m_result.failedTo = m_spanTo >= 0 ? m_spanTo : token.start + token.length;
}
