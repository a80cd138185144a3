#pragma once

#include "logic/virtual/VirtualPicConfig.h"

#include <QObject>
#include <QString>

class PtyReader;
class VirtualPic;

// The virtual PIC on a pseudo-terminal: any program opens devicePath() (or
// the link) like a serial adapter and sends to it. The device keeps a slave
// descriptor of its own open, so a sender may close and reopen the port
// between streams without the master side seeing the line hang up. What
// arrives goes to pic(), which lives on this object's thread; its answers
// go back on the line.
class VirtualLcdDevice : public QObject
{
    Q_OBJECT
public:
    explicit VirtualLcdDevice(const VirtualPicConfig &config, QObject *parent = nullptr);
    ~VirtualLcdDevice() override;

    // Opens the pseudo-terminal in raw mode and starts reading.
    bool open(QString *error);
    // Makes `path` a symbolic link to the device (replacing an old link,
    // never another kind of file); close() removes it.
    bool makeLink(const QString &path, QString *error);
    // Ends the stream in progress, stops reading, removes the link.
    void close();

    bool isOpen() const { return m_master >= 0; }
    QString devicePath() const { return m_devicePath; }
    QString linkPath() const { return m_linkPath; }
    VirtualPic *pic() const { return m_pic; }

signals:
    // The pseudo-terminal could not be read any more.
    void failed(const QString &reason);

private:
    void take(const QByteArray &bytes, qint64 arrivalNs);
    void writeAnswer(const QByteArray &bytes);
    void answerWhenDue(const QByteArray &bytes, qint64 dueNs);
    void removeLink();

    VirtualPic *m_pic;
    PtyReader *m_reader = nullptr;
    int m_master = -1;
    int m_slave = -1;
    QString m_devicePath;
    QString m_linkPath;
};
