#include "logic/decode/LcdByteDecoder.h"

#include "logic/convert/ByteMatrix.h"
#include "logic/decode/ArrayText.h"
#include "logic/decode/HexTextDecoder.h"
#include "logic/decode/SendStreamDecoder.h"

namespace LcdByteDecoder {

namespace {

QString countError(qsizetype count, const Request &request)
{
    const qsizetype needed = ByteMatrix::byteCount(request.width, request.height, request.layout)
        + (request.layout.horizontal ? 1 : 0);
    const bool fits = count == needed || (request.layout.horizontal && count == needed - 1);
    if (fits)
        return QString();
    return QStringLiteral("%1 bytes; %2x%3 needs %4").arg(count).arg(request.width).arg(request.height).arg(needed);
}

// Decodes the blocks' text and moves an error's place back into the stream.
void decodeStream(QStringView text, Result &result)
{
    const SendStreamDecoder::Result stream = SendStreamDecoder::split(text);
    if (!stream.ok()) {
        result.error = stream.error;
        return;
    }
    result.headerRead = true;
    result.header = stream.header;
    const HexTextDecoder::Result data = HexTextDecoder::decode(stream.data);
    result.bytes = data.bytes;
    if (!data.ok())
        result.error = DecodeError::at(text, stream.streamPosition(data.error.position), data.error.text,
                                       data.error.reason);
}

} // namespace

QString Result::problem() const
{
    return error.isSet() ? error.message() : countError;
}

Result decode(QStringView text, const Request &request)
{
    Result result;
    if (request.stream) {
        decodeStream(text, result);
    } else {
        const ArrayText::Result read = ArrayText::read(text);
        result.bytes = read.arrays.isEmpty() ? QByteArray() : read.arrays.first().bytes;
        result.error = read.error;
    }
    if (!result.error.isSet())
        result.countError = countError(result.bytes.size(), request);
    if (!result.ok() && !request.stream && SendStreamDecoder::looksLikeStream(text)) {
        const QString hint = QStringLiteral(" (this looks like a send stream)");
        (result.error.isSet() ? result.error.reason : result.countError) += hint;
    }
    result.picture = ByteMatrix::pictureFrom(result.bytes, request.width, request.height, request.layout);
    return result;
}

} // namespace LcdByteDecoder
