// Text typed into the line settings box, the "Xmit Delay(ms)" box and the
// EEPROM start address box. Each parser either refuses it or gives a value in
// range; a parsed line setting reads back to itself.
#include "FuzzSupport.h"

#include "logic/convert/TransferHeader.h"
#include "logic/output/TransmitDelay.h"
#include "logic/serial/SerialLineFormat.h"

namespace {
void lineSettings(const QString &text)
{
    const std::optional<SerialLineFormat> settings = SerialLineFormat::parse(text);
    if (!settings)
        return;
    FuzzSupport::check(settings->baudRate >= 1 && settings->dataBits >= 5 && settings->dataBits <= 8,
                       "line settings out of range");
    FuzzSupport::check(SerialLineFormat::parse(settings->toString()) == settings, "line settings do not read back");
}

void transmitDelay(const QString &text)
{
    const std::optional<int> truncated = TransmitDelay::truncated(text);
    const std::optional<int> rounded = TransmitDelay::rounded(text);
    FuzzSupport::check(truncated.has_value() == rounded.has_value(), "only one way of reading the delay failed");
    if (truncated)
        FuzzSupport::check(*truncated >= 0 && (*rounded == *truncated || *rounded == *truncated + 1),
                           "the delay is negative or rounds away from its whole part");
}

void startAddress(const QString &text)
{
    PicTransferOptions settings;
    settings.eepromMode = true;
    settings.eepromText = text;
    const TransferHeader header = TransferHeader::build(settings);
    if (!header.isValid()) {
        FuzzSupport::check(!header.error().isEmpty(), "a refused address gives no reason");
        return;
    }
    // "1", buffer "20", four address digits, delay "0A", "*".
    const QString &sent = header.text();
    bool ok = false;
    const int address = sent.mid(3, 4).toInt(&ok, 16);
    FuzzSupport::check(sent.size() == 10 && sent.startsWith(QLatin1String("120")) && sent.endsWith(QLatin1String("0A*"))
                           && ok && address == text.trimmed().toLongLong(),
                       "the header does not carry the typed address");
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzSupport::ensureApplication();
    const QString text = QString::fromUtf8(FuzzSupport::bytes(data, size));
    lineSettings(text);
    transmitDelay(text);
    startAddress(text);
    return 0;
}
