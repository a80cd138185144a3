#pragma once

#include <QWidget>

struct AppState;
class CommPort;
class QPlainTextEdit;
class QTimer;

// The small terminal: what the PIC sends (Text1), what the user types
// (Text2), and the 50 ms receive timer that runs exactly while the port is
// open and no stream is being sent.
class TerminalPanel : public QWidget
{
    Q_OBJECT
public:
    // Text1 holds at most this many characters; the oldest go first.
    static constexpr int inputLimit = 10000;

    TerminalPanel(AppState &state, CommPort *port, QWidget *form);

    QList<QWidget *> focusOrder() const;
    // Typed keys would go out among a send's bytes.
    QList<QWidget *> lockedWhileSending() const;

    // One tick of Timer1: shows what arrived since the last tick.
    void receiveTick();

    // Port events.
    void showWaiting();
    void portOpened();
    void portClosed();
    // A stream send reads nothing meanwhile; what arrived shows afterwards.
    void pauseReceiving();
    void resumeReceiving();
    // "&Open" puts a text file into the transmit window.
    void setTransmitText(const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void setColours(const QColor &input, const QColor &typing);

    AppState &m_state;
    CommPort *m_port;
    QPlainTextEdit *m_input;
    QPlainTextEdit *m_typing;
    QTimer *m_timer;
};
