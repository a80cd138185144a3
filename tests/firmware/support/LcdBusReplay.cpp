#include "LcdBusReplay.h"

namespace LcdBusReplay {

namespace {

constexpr quint8 unwritten = 0x55;

// Port B: RB0 D/I, RB1 R/W, RB2 E, RB3 CS1, RB4 CS2. Port E: RE0 C/D,
// RE1 /WR, RE2 /CE.
constexpr quint8 ksDataSelect = 0x01, ksRead = 0x02, ksEnable = 0x04, ksChip1 = 0x08;
constexpr quint8 t6Command = 0x01, t6Write = 0x02, t6Chip = 0x04;

struct KsChip
{
    QByteArray ram = QByteArray(8 * 64, char(unwritten));
    int page = 0;
    int column = 0;
    bool on = false;

    void take(bool data, quint8 bus)
    {
        if (data) {
            ram[page * 64 + column] = char(bus);
            column = (column + 1) % 64;
        } else if ((bus & 0xf8) == 0xb8) {
            page = bus & 7;
        } else if ((bus & 0xc0) == 0x40) {
            column = bus & 63;
        } else if ((bus & 0xfe) == 0x3e) {
            on = bus & 1;
        }
    }
};

} // namespace

Lcd ks0108(const QVector<PortWrite> &writes, int pages)
{
    KsChip chips[2];
    quint8 control = 0, bus = 0;
    Lcd lcd;
    for (const PortWrite &write : writes) {
        if (write.reg == "portd")
            bus = write.value;
        if (write.reg != "portb")
            continue;
        const bool falls = (control & ksEnable) && !(write.value & ksEnable);
        if (falls && (control & ksRead))
            lcd.problem = QStringLiteral("a read strobe at cycle %1").arg(write.cycle);
        if (falls && !(control & ksRead))
            for (int chip = 0; chip < 2; ++chip)
                if (control & (ksChip1 << chip))
                    chips[chip].take(control & ksDataSelect, bus);
        control = write.value;
    }
    for (int page = 0; page < pages; ++page)
        for (const KsChip &chip : chips)
            lcd.memory += chip.ram.mid(page * 64, 64);
    if (!chips[0].on || !chips[1].on)
        lcd.problem = QStringLiteral("a KS0108 chip was never switched on");
    return lcd;
}

Lcd t6963c(const QVector<PortWrite> &writes, int bytesPerRow, int bytes)
{
    QByteArray ram(0x10000, char(unwritten));
    QByteArray arguments;
    quint8 control = t6Write | t6Chip, bus = 0;
    int pointer = 0, home = -1, area = -1, mode = 0;
    for (const PortWrite &write : writes) {
        if (write.reg == "portd")
            bus = write.value;
        if (write.reg != "porte")
            continue;
        const bool rises = !(control & t6Write) && (write.value & t6Write);
        if (rises && !(control & t6Chip)) {
            if (!(control & t6Command)) {
                arguments.append(char(bus));
            } else {
                const int word = arguments.size() >= 2
                    ? quint8(arguments.at(arguments.size() - 2)) | quint8(arguments.back()) << 8 : -1;
                if (bus == 0x24)
                    pointer = word;
                else if (bus == 0x42)
                    home = word;
                else if (bus == 0x43)
                    area = word;
                else if (bus == 0xc0 && !arguments.isEmpty())
                    ram[(pointer++) & 0xffff] = arguments.back();
                else if ((bus & 0xf0) == 0x90)
                    mode = bus;
                arguments.clear();
            }
        }
        control = write.value;
    }
    Lcd lcd;
    lcd.memory = ram.left(bytes);
    if (home != 0 || area != bytesPerRow || !(mode & 0x08))
        lcd.problem = QStringLiteral("T6963C graphics home %1, area %2, display mode 0x%3")
                          .arg(home).arg(area).arg(mode, 2, 16, QLatin1Char('0'));
    return lcd;
}

} // namespace LcdBusReplay
