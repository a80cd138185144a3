#pragma once

#include <QImage>
#include <QTimer>
#include <QWidget>

class QLabel;
class QListWidget;
class VirtualLcdDevice;
class VirtualLcdPicture;
struct ReceivedHeader;
struct VirtualFault;
struct VirtualStreamSummary;

// Shows a running virtual LCD: its picture filling block by block while a
// send comes in, where the stream stands, and the faults of the current
// stream. The caller owns the device (it may make it a child of this
// window) and keeps it open; the window only follows its signals.
class VirtualLcdWindow : public QWidget
{
    Q_OBJECT
public:
    explicit VirtualLcdWindow(VirtualLcdDevice *device, QWidget *parent = nullptr);

    // The picture as last drawn, one pixel a dot (tests compare it).
    const QImage &shownPicture() const { return m_shown; }

private:
    void buildLayout();
    void streamStarted(const ReceivedHeader &header);
    void blockReceived(int block, qsizetype firstByte, qsizetype byteCount, bool dropped);
    void faultFound(const VirtualFault &fault);
    void streamEnded(const VirtualStreamSummary &summary);
    void deviceFailed(const QString &reason);
    void redraw();
    void clearFaultsOfLastStream();
    QString deviceCaption() const;

    VirtualLcdDevice *m_device;
    QLabel *m_where = nullptr;
    VirtualLcdPicture *m_picture = nullptr;
    QLabel *m_progress = nullptr;
    QListWidget *m_faults = nullptr;
    QTimer m_redraw; // many blocks a frame are drawn once
    QImage m_shown;
    bool m_faultsOfLastStream = false; // the next stream's first news clears them
};
