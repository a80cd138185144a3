#pragma once

#include "logic/serial/SerialLineFormat.h"
#include "logic/serial/PortAssignments.h"

#include <QObject>
#include <QSerialPort>

// The window's one serial port. Every handler asks portOpen()
// when it needs to know; nothing else keeps that state. Characters map to
// bytes as Latin-1 both ways, so 0x00..0xFF pass unchanged.
class CommPort : public QObject
{
    Q_OBJECT
public:
    // Its object name, by which the window's tests find it.
    static constexpr char ObjectName[] = "commPort";
    // "Com out buff": bytes handed to the driver at a time.
    static constexpr int DefaultOutBufferSize = 512;
    static constexpr int MaxOutBufferSize = 32767;

    enum Handshake { HandshakeOff, XonXoff, RtsCts, RtsCtsAndXonXoff };

    explicit CommPort(const PortAssignments &devices, QObject *parent = nullptr);
    ~CommPort() override;

    const PortAssignments &devices() const { return m_devices; }
    // The device the next open uses.
    QString device() const { return m_devices.device(m_commPort); }
    // Gives option Com`number` another device, used from its next open.
    void setDevice(int number, const QString &path) { m_devices.setDevice(number, path); }

    // Setters return false and leave the value as it was when they refuse;
    // errorString() then says why.
    int commPort() const { return m_commPort; }
    bool setCommPort(int number); // 1..4, while closed
    QString settings() const { return m_settings.toString(); }
    bool setSettings(const QString &text); // applied to the line at once when open
    int handshaking() const { return m_handshaking; }
    bool setHandshaking(int mode); // a Handshake value, used from the next open
    int outBufferSize() const { return m_outBufferSize; }
    // 1..32767 bytes. QSerialPort queues without limit; senders keep
    // bytesToWrite() below this so the queue stays short.
    bool setOutBufferSize(int bytes);

    bool portOpen() const { return m_port.isOpen(); }
    bool setPortOpen(bool open);

    // Queues the characters as bytes. A character beyond Latin-1 has no byte:
    // then nothing is sent and false is returned.
    bool output(const QString &text);
    // Everything received since the last call; "" when nothing came. What
    // had arrived when the port closed is still returned once afterwards.
    QString input();
    // The same as raw bytes.
    QByteArray inputBytes();
    // Puts back bytes another reader took from the port meanwhile (an
    // acknowledged send), so that input() still returns them, in order.
    void keepUnread(const QByteArray &bytes) { m_unread += bytes; }

    // Modem lines and break, for devices reset that way (PIC bootloaders).
    // Refused with a reason when the port is closed or the device has no
    // such line (a pseudo-terminal has none).
    bool setDataTerminalReady(bool on);
    bool setRequestToSend(bool on);
    bool setBreakEnabled(bool on);

    // For senders that pace raw bytes and watch the driver's queue.
    qint64 writeBytes(const QByteArray &bytes);
    qint64 bytesToWrite() const { return m_port.bytesToWrite(); }
    QSerialPort *serialPort() { return &m_port; }

    QString errorString() const { return m_error; }

    // What the device file itself says about a failed open. AccessDenied:
    // it refuses this user, which on Linux means the dialout group is
    // missing. NotSerial: a file, a folder or a device that is no terminal
    // (the system would say "Inappropriate ioctl for device").
    enum class DeviceProblem { None, AccessDenied, NotSerial };
    static DeviceProblem deviceProblem(const QString &device, QSerialPort::SerialPortError error);
    // The reason line of an open failure.
    static QString openFailureReason(const QString &device, QSerialPort::SerialPortError error,
                                     const QString &systemReason, DeviceProblem problem);

signals:
    void opened();
    // After the port closed, for whatever reason; input() still holds what
    // had arrived and was not read yet.
    void closed();
    // The device failed while open (adapter unplugged, other end gone). The
    // port is already closed when this arrives; it comes once per failure.
    void connectionLost(const QString &device);

private:
    bool open();
    void close();
    bool applyLineSettings(const SerialLineFormat &settings, QString *unapplied);
    bool applyHandshake();
    void handleError(QSerialPort::SerialPortError error);
    bool refuse(const QString &reason);
    bool refuseLine(const char *line);

    PortAssignments m_devices;
    QSerialPort m_port;
    int m_commPort = 1;
    SerialLineFormat m_settings;
    int m_handshaking = HandshakeOff;
    int m_outBufferSize = DefaultOutBufferSize;
    QString m_error;
    QByteArray m_unread; // received before the port closed
};
