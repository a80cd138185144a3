#pragma once

#include "serial/PortIndicator.h"

#include "output/ControlLock.h"
#include "output/PacedSender.h"

#include <QObject>
#include <QTimer>

struct AppState;
class CommPort;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QShortcut;
class QWidget;

// "Send to LCD" and "Paste and Send ": sends a text through the window's
// serial port with the paced sender while the window stays usable. It shows
// the port "Busy", counts down, offers Stop (and Esc), and locks the controls
// that would change the stream, the port or its settings until the end.
class SendController : public QObject
{
    Q_OBJECT
public:
    SendController(AppState &state, QWidget *form, QPlainTextEdit *output, QPushButton *stop,
                   QProgressBar *progress);

    void sendClicked();         // Command16
    void pasteAndSendClicked(); // Command4
    void stopClicked();         // cmdStop, Esc

    bool isSending() const { return m_sender.isSending(); }

private:
    enum class Kind { Stream, Clipboard };

    void start(Kind kind, const QString &text, const QString &waitChars, int pauseMs);
    void showProgress();
    void sendFinished();
    void sendStopped();
    void sendFailed();
    void restoreIdle();
    void showPortState(PortIndicator::State state);
    CommPort *port() const;
    QTimer *receiveTimer() const;
    QString textOf(const char *name) const;

    AppState &m_state;
    QWidget *m_form;
    QPlainTextEdit *m_output;
    QPushButton *m_stop;
    QProgressBar *m_progress;
    QShortcut *m_escape;
    PacedSender m_sender;
    ControlLock m_lock;
    // Echo and count-down are drawn at most this often, not per byte.
    QTimer m_refresh;
    Kind m_kind = Kind::Stream;
    QString m_text;
    qsizetype m_shown = 0;
};
