// A send stream loaded or pasted for the preview, taken apart into header,
// wait characters and blocks. Input: the stream (Latin-1).
#include "FuzzSupport.h"

#include "logic/decode/SendStreamDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzSupport::ensureApplication();
    const QString stream = QString::fromLatin1(FuzzSupport::bytes(data, size));
    SendStreamDecoder::looksLikeStream(stream);
    const SendStreamDecoder::Result result = SendStreamDecoder::split(stream);
    FuzzSupport::check(result.waitChars.size() <= SendStreamDecoder::LongestWait, "wait characters too long");
    FuzzSupport::check(result.data.size() <= stream.size(), "more data than the stream holds");
    // Every data character stands in the stream, where the data says.
    for (qsizetype i = 0; i < result.data.size(); i += 1 + result.data.size() / 64) {
        const qsizetype at = result.streamPosition(i);
        FuzzSupport::check(at >= 0 && at < stream.size() && stream.at(at) == result.data.at(i),
                           "a data character is not where the stream has it");
    }
    return 0;
}
