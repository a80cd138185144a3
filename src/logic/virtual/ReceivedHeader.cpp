#include "logic/virtual/ReceivedHeader.h"

#include "logic/convert/TransferHeaderFields.h"

std::optional<ReceivedHeader> ReceivedHeader::parse(const QByteArray &digits, QString *why)
{
    QString reason;
    TransferHeaderFields fields;
    // The PIC takes the address always: a header without it is too short.
    if (digits.size() < TransferHeaderFields::ShortestWithAddress
        || digits.size() > TransferHeaderFields::LongestWithAddress) {
        reason = QStringLiteral("a header has %1 to %2 hex digits before \"*\"")
                     .arg(TransferHeaderFields::ShortestWithAddress)
                     .arg(TransferHeaderFields::LongestWithAddress);
    } else if (TransferHeaderFields::parse(QString::fromLatin1(digits), &fields, &reason)) {
        ReceivedHeader header;
        header.text = digits + '*';
        header.type = fields.targetCharacter();
        header.blockChars = fields.buffer;
        header.address = fields.address;
        header.delayMs = fields.delayMs;
        return header;
    }
    if (why)
        *why = reason;
    return std::nullopt;
}
