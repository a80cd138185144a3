// What a sender writes to the virtual LCD, arriving in reads of varying
// length, parsed by the virtual PIC. Input: one byte picks the LCD, one
// seeds the cuts, the rest arrives on the line.
#include "FuzzSupport.h"

#include "logic/virtual/VirtualPic.h"

#include <QStringList>

namespace {

struct Outcome
{
    QStringList faults;
    QStringList summaries;
    QByteArray answers;
    QByteArray lcd;
    QByteArray eeprom;
};

Outcome parse(const VirtualPicConfig &config, const QByteArray &line, quint32 cuts)
{
    Outcome outcome;
    VirtualPic pic(config);
    QObject::connect(&pic, &VirtualPic::faultFound, &pic,
                     [&outcome](const VirtualFault &fault) { outcome.faults << fault.text(); });
    QObject::connect(&pic, &VirtualPic::streamEnded, &pic,
                     [&outcome](const VirtualStreamSummary &summary) { outcome.summaries << summary.text(); });
    QObject::connect(&pic, &VirtualPic::answer, &pic, [&outcome](const QByteArray &bytes) { outcome.answers += bytes; });
    for (qsizetype at = 0; at < line.size();) {
        cuts = cuts * 1103515245u + 12345u;
        const qsizetype length = cuts ? 1 + (cuts >> 16) % 300 : line.size();
        pic.receive(line.mid(at, length), 0); // one arrival time: the pauses must not differ either
        at += length;
    }
    pic.finishStream();
    outcome.lcd = pic.lcdMemory();
    outcome.eeprom = pic.eeprom();
    FuzzSupport::check(pic.lcdMemory().size() == config.lcdBytes(), "the LCD memory changed size");
    FuzzSupport::check(pic.eeprom().size() == config.eepromSize, "the EEPROM changed size");
    FuzzSupport::check(!pic.isInStream(), "a finished stream is still in progress");
    return outcome;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzSupport::ensureApplication();
    if (size < 2)
        return 0;
    static const QSize sizes[] = {{128, 64}, {8, 8}, {240, 64}, {84, 48}};
    VirtualPicConfig config;
    config.width = sizes[data[0] & 3].width();
    config.height = sizes[data[0] & 3].height();
    config.horizontal = data[0] & 4;
    config.eepromSize = (data[0] & 8) ? 64 : 1024;
    const QByteArray line = FuzzSupport::bytes(data + 2, size - 2);
    const Outcome whole = parse(config, line, 0);
    const Outcome pieces = parse(config, line, data[1] + 1u);
    FuzzSupport::check(whole.faults.size() <= FaultLog::ListedFaults * (whole.summaries.size() + 1),
                       "more faults told than listed");
    FuzzSupport::check(whole.faults == pieces.faults && whole.summaries == pieces.summaries
                           && whole.answers == pieces.answers && whole.lcd == pieces.lcd && whole.eeprom == pieces.eeprom,
                       "the outcome depends on how the reads were cut");
    return 0;
}
