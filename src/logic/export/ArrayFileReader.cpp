#include "logic/export/ArrayFileReader.h"

#include "logic/decode/HexTextDecoder.h"
#include "logic/decode/SendStreamDecoder.h"

#include <QMap>
#include <QRegularExpression>
#include <QStringList>

namespace ArrayFileReader {

namespace {

Result failed(const QString &error, Form form)
{
    Result result;
    result.form = form;
    result.error = error;
    return result;
}

// Comments become blanks, so the numbers around them stay apart.
QString withoutComments(const QString &text, const QString &lineComment)
{
    QString result = text;
    static const QRegularExpression block(QStringLiteral("/\\*.*?\\*/"), QRegularExpression::DotMatchesEverythingOption);
    result.replace(block, QStringLiteral(" "));
    result.replace(QRegularExpression(QRegularExpression::escape(lineComment) + QStringLiteral("[^\\n]*")),
                   QStringLiteral(" "));
    return result;
}

// A C number of one byte: 0x1f, 31, 037, 0b11111, with an optional u suffix.
bool byteValue(QString token, uchar *value)
{
    token = token.trimmed();
    static const QRegularExpression suffix(QStringLiteral("[uUlL]+$"));
    token.remove(suffix);
    bool ok = false;
    uint number = 0;
    if (token.startsWith(QLatin1String("0b"), Qt::CaseInsensitive))
        number = token.mid(2).toUInt(&ok, 2);
    else
        number = token.toUInt(&ok, 0); // 0x hex, 0 octal, decimal
    if (!ok || number > 0xFF)
        return false;
    *value = uchar(number);
    return true;
}

// Reads comma-separated C numbers; the text names what failed.
Result readList(const QStringList &tokens, Form form, const QString &where)
{
    Result result;
    result.form = form;
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        const QString token = tokens.at(i).trimmed();
        if (token.isEmpty() && i == tokens.size() - 1)
            break; // a trailing comma
        uchar value = 0;
        if (!byteValue(token, &value))
            return failed(QStringLiteral("%1: \"%2\" is no byte value").arg(where, token.left(20)), form);
        result.bytes.append(char(value));
    }
    return result;
}

} // namespace

Result read(const QByteArray &content, bool raw)
{
    if (raw) {
        Result result;
        result.form = Form::Binary;
        result.bytes = content;
        return result;
    }
    const QString text = QString::fromUtf8(content);
    if (text.trimmed().startsWith(QLatin1Char(':')))
        return readIntelHex(content);
    if (SendStreamDecoder::looksLikeStream(text))
        return readStream(text);
    const QString code = withoutComments(text, QStringLiteral("//"));
    const qsizetype brace = code.indexOf(QLatin1Char('{'));
    // A list between braces is C; text with a "{" header but no delimiter has no commas.
    if (brace >= 0 && code.indexOf(QLatin1Char(','), brace) > brace)
        return readBraces(text);
    static const QRegularExpression directive(QStringLiteral("^\\s*(\\w+:?\\s+)?\\.?(db|byte|retlw)\\s"),
                                              QRegularExpression::CaseInsensitiveOption
                                                  | QRegularExpression::MultilineOption);
    if (directive.match(text).hasMatch())
        return readAssembler(text);
    return readHexText(text);
}

Result readIntelHex(const QByteArray &content)
{
    QMap<quint32, QByteArray> chunks; // by address, joined once all are read
    quint32 upper = 0;
    int lineNumber = 0;
    for (const QByteArray &rawLine : content.split('\n')) {
        ++lineNumber;
        const QByteArray line = rawLine.trimmed();
        if (line.isEmpty())
            continue;
        const QByteArray record = QByteArray::fromHex(line.mid(1));
        const QString where = QStringLiteral("Intel HEX line %1").arg(lineNumber);
        if (!line.startsWith(':') || record.size() < 5 || record.size() != uchar(record.at(0)) + 5
            || line.size() != 1 + 2 * record.size())
            return failed(where + QStringLiteral(" is no record"), Form::IntelHex);
        uchar sum = 0;
        for (const char byte : record)
            sum = uchar(sum + uchar(byte));
        if (sum != 0)
            return failed(where + QStringLiteral(": wrong checksum"), Form::IntelHex);
        const quint32 address = upper + (quint32(uchar(record.at(1))) << 8 | uchar(record.at(2)));
        const QByteArray data = record.mid(4, uchar(record.at(0)));
        // Segment (02) and linear (04) address records carry a 16-bit base.
        const quint32 base = data.size() == 2 ? quint32(uchar(data.at(0))) << 8 | uchar(data.at(1)) : 0;
        switch (uchar(record.at(3))) {
        case 0x00: chunks.insert(address, data); break;
        case 0x02: upper = base << 4; break;
        case 0x04: upper = base << 16; break;
        default: break; // the end record and start addresses say nothing about the data
        }
    }
    Result result;
    result.form = Form::IntelHex;
    quint64 next = chunks.isEmpty() ? 0 : chunks.firstKey();
    for (auto it = chunks.cbegin(); it != chunks.cend(); ++it) {
        if (it.key() != next)
            return failed(QStringLiteral("Intel HEX: the data leave a gap or overlap at address 0x%1")
                              .arg(it.key(), 0, 16), Form::IntelHex);
        result.bytes += it.value();
        next = quint64(it.key()) + quint64(it.value().size());
    }
    return result;
}

Result readBraces(const QString &text)
{
    const QString code = withoutComments(text, QStringLiteral("//"));
    const qsizetype open = code.indexOf(QLatin1Char('{'));
    // An array declaration before the brace makes it C; "{" alone is a text header.
    const bool declared = code.lastIndexOf(QLatin1Char('['), open) >= 0;
    const Form form = code.contains(QLatin1String("_bits[")) ? Form::Xbm : declared ? Form::CSource : Form::Text;
    const qsizetype close = code.indexOf(QLatin1Char('}'), open);
    if (close < 0)
        return failed(QStringLiteral("no closing brace after the opening one"), form);
    return readList(code.mid(open + 1, close - open - 1).split(QLatin1Char(',')), form,
                    QStringLiteral("between the braces"));
}

Result readAssembler(const QString &text)
{
    static const QRegularExpression line(QStringLiteral("^\\s*(?:\\w+:?\\s+)?\\.?(?:db|byte|retlw)\\s+(.*)$"),
                                         QRegularExpression::CaseInsensitiveOption);
    Result result;
    result.form = Form::Assembler;
    int lineNumber = 0;
    for (const QString &rawLine : withoutComments(text, QStringLiteral(";")).split(QLatin1Char('\n'))) {
        ++lineNumber;
        const QRegularExpressionMatch match = line.match(rawLine);
        if (!match.hasMatch())
            continue; // labels, comments, other directives
        const Result part = readList(match.captured(1).split(QLatin1Char(',')), Form::Assembler,
                                     QStringLiteral("line %1").arg(lineNumber));
        if (!part.ok())
            return part;
        result.bytes += part.bytes;
    }
    return result;
}

Result readHexText(const QString &text)
{
    const HexTextDecoder::Result decoded = HexTextDecoder::decode(text);
    Result result;
    result.bytes = decoded.bytes;
    if (!decoded.ok())
        result.error = decoded.error.message();
    else if (decoded.bytes.isEmpty())
        result.error = QStringLiteral("no bytes found");
    return result;
}

Result readStream(const QString &text)
{
    const SendStreamDecoder::Result stream = SendStreamDecoder::split(text);
    if (!stream.ok())
        return failed(stream.error.message(), Form::Stream);
    Result result = readHexText(stream.data);
    result.form = Form::Stream;
    return result;
}

} // namespace ArrayFileReader
