// Text pasted or loaded into the output window, read back as bytes by the
// hex-text decoder. Input: the text (Latin-1).
#include "FuzzSupport.h"

#include "logic/decode/HexTextDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzSupport::ensureApplication();
    const QString text = QString::fromLatin1(FuzzSupport::bytes(data, size));
    const HexTextDecoder::Result result = HexTextDecoder::decode(text);
    FuzzSupport::check(result.bodyStart >= 0 && result.bodyStart <= result.bodyEnd && result.bodyEnd <= text.size(),
                       "the bytes' place lies outside the text");
    // Two hex digits a byte at least: no text holds more bytes than half its length.
    FuzzSupport::check(result.bytes.size() <= text.size() / 2, "more bytes than the text can hold");
    return 0;
}
