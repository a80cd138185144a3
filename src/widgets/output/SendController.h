#pragma once

#include "widgets/serial/PortIndicator.h"

#include "widgets/output/ControlLock.h"
#include "logic/output/PacedSender.h"

#include <QObject>
#include <QTimer>

struct AppState;
class CommPort;
class ConvertControls;
class PicLinkControls;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QShortcut;
class QWidget;
class SerialPortPanel;
class TerminalPanel;

// The panels a send reads from and shows its state in.
struct SendPeers
{
    SerialPortPanel &port;         // the port, its indicator and controls
    TerminalPanel &terminal;       // paused while a stream goes out
    PicLinkControls &link;       // transmit delay and wait character
    ConvertControls &convert;         // the counter of characters left
};

// "Send to LCD" and "Paste and Send ": sends a text through the window's
// serial port with the paced sender while the window stays usable. It shows
// the port "Busy", counts down, offers Stop (and Esc), and locks the controls
// that would change the stream, the port or its settings until the end.
class SendController : public QObject
{
    Q_OBJECT
public:
    SendController(AppState &state, const SendPeers &peers, QWidget *form, QPlainTextEdit *output,
                   QPushButton *pasteAndSend, QPushButton *stop, QProgressBar *progress);

    // Disabled from the start to the end of every send.
    void setLockedWhileSending(const QList<QWidget *> &controls) { m_locked = controls; }

    void sendClicked();         // sendToLcdButton
    void pasteAndSendClicked(); // pasteAndSendButton
    void stopClicked();         // Stop, Esc

    bool isSending() const { return m_sender.isSending(); }

private:
    enum class Kind { Stream, Clipboard };

    void start(Kind kind, const QString &text, const QString &waitChars, int pauseMs);
    bool startSender(const QString &waitChars, int pauseMs);
    void showProgress();
    void sendFinished();
    void sendStopped();
    void sendFailed(const QString &reason);
    void showAcknowledged(int done, int total);
    void restoreIdle();
    CommPort *port() const;

    AppState &m_state;
    SendPeers m_peers;
    QWidget *m_form;
    QPlainTextEdit *m_output;
    QPushButton *m_pasteAndSend;
    QList<QWidget *> m_locked;
    QPushButton *m_stop;
    QProgressBar *m_progress;
    QShortcut *m_escape;
    PacedSender m_sender;
    ControlLock m_lock;
    // Echo and count-down are drawn at most this often, not per byte.
    QTimer m_refresh;
    Kind m_kind = Kind::Stream;
    bool m_acknowledged = false;
    QString m_text;
    qsizetype m_shown = 0;
};
