#pragma once

#include <QSerialPort>
#include <QString>

#include <optional>

// A line settings string as the port and portSettingsList write it: "19200,n,8,1" is
// baud rate, parity (n, e, o, m or s), data bits (5..8), stop bits (1, 1.5, 2).
struct SerialLineFormat
{
    // What the window and `tavrel send` start with, and the PIC's firmware runs at.
    static inline const QString DefaultText = QStringLiteral("19200,n,8,1");

    qint32 baudRate = 9600;
    QSerialPort::Parity parity = QSerialPort::NoParity;
    QSerialPort::DataBits dataBits = QSerialPort::Data8;
    QSerialPort::StopBits stopBits = QSerialPort::OneStop;

    // Nothing when the text is not exactly four such fields: a typo must not
    // quietly leave the line at some other speed.
    static std::optional<SerialLineFormat> parse(const QString &text);
    // The same form, lower case: "9600,e,7,1.5".
    QString toString() const;
    // What an open port is set to.
    static SerialLineFormat of(const QSerialPort &port);
    // How long one character takes on the line: start bit, data, parity, stop.
    qint64 characterNs() const;

    bool operator==(const SerialLineFormat &other) const;
    bool operator!=(const SerialLineFormat &other) const { return !(*this == other); }
};
