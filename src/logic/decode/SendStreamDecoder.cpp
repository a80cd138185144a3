#include "logic/decode/SendStreamDecoder.h"

#include "logic/decode/HexDigits.h"

namespace SendStreamDecoder {

namespace {

bool isHexOrBlank(QChar c)
{
    return HexDigits::isHex(c.toLower()) || c.isSpace();
}

// The shortest wait string that leads every block of `blockSize` characters
// (0: a single block); 0 when none does.
qsizetype waitLength(QStringView blocks, int blockSize)
{
    const qsizetype longest = qMin<qsizetype>(LongestWait, blocks.size() - 1);
    for (qsizetype length = 1; length <= longest; ++length) {
        if (isHexOrBlank(blocks[length - 1]))
            return 0;
        const QStringView wait = blocks.left(length);
        const qsizetype step = blockSize > 0 ? length + blockSize : blocks.size();
        bool leadsEveryBlock = true;
        for (qsizetype at = 0; at < blocks.size() && leadsEveryBlock; at += step)
            leadsEveryBlock = at + length < blocks.size() && blocks.mid(at, length) == wait;
        if (leadsEveryBlock)
            return length;
    }
    return 0;
}

qsizetype leadingBlanks(QStringView text)
{
    qsizetype count = 0;
    while (count < text.size() && text[count].isSpace())
        ++count;
    return count;
}

} // namespace

qsizetype Result::streamPosition(qsizetype dataPosition) const
{
    if (blockSize <= 0)
        return dataStart + dataPosition;
    return dataStart + (dataPosition / blockSize) * (waitChars.size() + blockSize) + dataPosition % blockSize;
}

Result split(QStringView stream)
{
    Result result;
    const qsizetype lead = leadingBlanks(stream);
    const QStringView text = stream.mid(lead).trimmed();
    const qsizetype star = text.indexOf(QLatin1Char('*'));
    QString why;
    if (star < 0) {
        result.error = DecodeError::at(stream, lead, text.left(12).toString(),
                                       QStringLiteral("no transfer header: a send stream starts with one that "
                                                      "ends in \"*\", e.g. \"02000000a*\""));
        return result;
    }
    if (!TransferHeaderFields::parse(text.left(star), &result.header, &why)) {
        result.error = DecodeError::at(stream, lead, text.left(star + 1).toString(), why);
        return result;
    }
    const QStringView blocks = text.mid(star + 1);
    result.blockSize = qMax(0, result.header.buffer);
    const qsizetype wait = waitLength(blocks, result.blockSize);
    result.waitChars = blocks.left(wait).toString();
    result.dataStart = lead + star + 1 + wait;
    const qsizetype step = result.blockSize > 0 ? wait + result.blockSize : blocks.size();
    result.data.reserve(blocks.size());
    for (qsizetype at = 0; at < blocks.size(); at += step)
        result.data += blocks.mid(at + wait, step - wait);
    return result;
}

bool looksLikeStream(QStringView text)
{
    const QStringView trimmed = text.trimmed();
    const qsizetype star = trimmed.indexOf(QLatin1Char('*'));
    if (star < 5 || star > 10)
        return false;
    for (const QChar c : trimmed.left(star))
        if (!HexDigits::isHex(c.toLower()))
            return false;
    return true;
}

} // namespace SendStreamDecoder
