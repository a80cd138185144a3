// An array file of any form (C, XBM, assembler, Intel HEX, output text, send
// stream) read back as bytes, as `decode --guess` and `convert --check` do.
// Input: the file's content.
#include "FuzzSupport.h"

#include "logic/export/ArrayFileReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzSupport::ensureApplication();
    const QByteArray content = FuzzSupport::bytes(data, size);
    const ArrayFileReader::Result result = ArrayFileReader::read(content);
    FuzzSupport::check(result.ok() || result.bytes.isEmpty() || !result.error.isEmpty(), "no result");
    FuzzSupport::check(ArrayFileReader::read(content, true).bytes == content, "a binary file is not its bytes");
    return 0;
}
