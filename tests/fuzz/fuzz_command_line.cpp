// The arguments of `tavrel convert` and `tavrel send`, one a line of the
// input, through the same parsing the program does before it touches a file
// or a port. An accepted request holds only values the commands offer.
#include "FuzzSupport.h"

#include "cli/CommandLine.h"
#include "cli/ConvertCommand.h"
#include "cli/SendCommand.h"
#include "logic/canvas/LcdSizes.h"
#include "logic/serial/SerialLineFormat.h"

namespace {
bool exitCode(int code)
{
    return code == CommandLine::Success || code == CommandLine::Usage;
}

void convert(const QStringList &arguments)
{
    const auto parsed = ConvertCommand::parse(QStringList{QStringLiteral("convert")} + arguments);
    if (const int *code = std::get_if<int>(&parsed)) {
        FuzzSupport::check(exitCode(*code), "convert ended its parsing with a failure code");
        return;
    }
    const ConvertCommand::Request &request = std::get<ConvertCommand::Request>(parsed);
    const LcdSize *size = LcdSizes::byIndex(request.transfer.lcdSizeIndex);
    const bool offered = size && size->width == request.conversion.width && size->height == request.conversion.height;
    const bool custom = request.conversion.width >= 8 && request.conversion.width <= 1024
        && request.conversion.height >= 8 && request.conversion.height <= 1024;
    FuzzSupport::check(offered || custom, "convert accepted a size outside 8 to 1024 a side");
    FuzzSupport::check(!request.stream || (request.conversion.format.isEmpty() && request.conversion.delimiter.isEmpty()),
                       "convert accepted a stream with byte formatting");
}

void send(const QStringList &arguments)
{
    const auto parsed = SendCommand::parse(QStringList{QStringLiteral("send")} + arguments);
    if (const int *code = std::get_if<int>(&parsed)) {
        FuzzSupport::check(exitCode(*code), "send ended its parsing with a failure code");
        return;
    }
    const SendCommand::Request &request = std::get<SendCommand::Request>(parsed);
    FuzzSupport::check(!request.port.isEmpty() && SerialLineFormat::parse(request.settings)
                           && request.xmitDelayMs >= 0 && request.xmitDelayMs <= 60000,
                       "send accepted a request without a port, with bad settings or delay");
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzSupport::ensureApplication();
    const QStringList arguments = QString::fromUtf8(FuzzSupport::bytes(data, size)).split(QLatin1Char('\n'));
    convert(arguments);
    send(arguments);
    return 0;
}
