#pragma once

#include <QPointer>
#include <QWidget>

struct AppState;
class CommPort;
class QPlainTextEdit;
class QTimer;

// The small terminal: what the PIC sends (Text1), what the user types
// (Text2), and the 50 ms receive timer that the port control runs exactly
// while the port is open.
class TerminalPanel : public QWidget
{
    Q_OBJECT
public:
    // Text1 holds at most this many characters; the oldest go first.
    static constexpr int inputLimit = 10000;

    TerminalPanel(AppState &state, QWidget *form);

    // One tick of Timer1: shows what arrived since the last tick.
    void receiveTick();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    CommPort *port();

    AppState &m_state;
    QWidget *m_form;
    QPlainTextEdit *m_input;
    QPlainTextEdit *m_typing;
    QTimer *m_timer;
    QPointer<CommPort> m_port;
};
