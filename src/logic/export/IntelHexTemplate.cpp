#include "logic/export/IntelHexTemplate.h"

#include "logic/export/ExportOptions.h"

namespace IntelHexTemplate {

namespace {

enum RecordType : uchar { Data = 0x00, EndOfFile = 0x01, ExtendedLinearAddress = 0x04 };

// ":LLAAAATT<data>CC": the checksum makes all bytes of the record sum to 0.
QByteArray record(quint16 address, RecordType type, const QByteArray &data)
{
    QByteArray raw;
    raw.append(char(data.size()));
    raw.append(char(address >> 8));
    raw.append(char(address & 0xFF));
    raw.append(char(type));
    raw.append(data);
    uchar sum = 0;
    for (const char byte : raw)
        sum = uchar(sum + uchar(byte));
    raw.append(char(uchar(-sum)));
    return ':' + raw.toHex().toUpper() + '\n';
}

QByteArray upperAddress(quint32 address)
{
    QByteArray upper;
    upper.append(char(address >> 24));
    upper.append(char((address >> 16) & 0xFF));
    return record(0, ExtendedLinearAddress, upper);
}

} // namespace

bool fits(qsizetype byteCount, quint32 startAddress)
{
    return quint64(startAddress) + quint64(byteCount) <= quint64(1) << 32;
}

QByteArray write(const QByteArray &bytes, quint32 startAddress, int bytesPerRecord)
{
    const int perRecord = qBound(1, bytesPerRecord, int(ExportOptions::MostBytesPerLine));
    QByteArray text;
    if (startAddress >> 16)
        text += upperAddress(startAddress);
    quint64 address = startAddress;
    for (qsizetype at = 0; at < bytes.size();) {
        if (at > 0 && (address & 0xFFFF) == 0)
            text += upperAddress(quint32(address));
        const quint64 toBoundary = 0x10000 - (address & 0xFFFF);
        const qsizetype length = qMin<qsizetype>(qMin<quint64>(perRecord, toBoundary), bytes.size() - at);
        text += record(quint16(address & 0xFFFF), Data, bytes.mid(at, length));
        at += length;
        address += quint64(length);
    }
    return text + record(0, EndOfFile, {});
}

} // namespace IntelHexTemplate
