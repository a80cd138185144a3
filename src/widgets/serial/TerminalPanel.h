#pragma once

#include "logic/serial/ReceiveHistory.h"
#include "logic/serial/ReceiveLog.h"
#include "logic/serial/ReceiveRenderer.h"

#include <QWidget>

struct AppState;
class CommPort;
class QCheckBox;
class QComboBox;
class QLabel;
class QLayout;
class QPlainTextEdit;
class QPushButton;
class QTimer;
class ModemLineControls;
class TransmitWindow;

// The terminal: what the PIC sends (serialInputWindow), what the user types (transmitWindow),
// and the 50 ms receive timer that runs exactly while the port is open and
// no stream is being sent. Received bytes are kept (bounded) and drawn in
// the view the user picks: text or hex, stamped or not; they can be logged
// to a file as they come. DTR, RTS and Break act on the open line, to reset
// a PIC while watching what it says.
class TerminalPanel : public QWidget
{
    Q_OBJECT
public:
    // serialInputWindow holds at most this many characters; the oldest go first.
    static constexpr int inputLimit = 10000;
    // The hex view's rows are longer: about 600 rows of 16 bytes.
    static constexpr int hexLimit = 50000;

    TerminalPanel(AppState &state, CommPort *port, QWidget *form);

    QList<QWidget *> focusOrder() const;
    // Typed keys or a break would go out among a send's bytes.
    QList<QWidget *> lockedWhileSending() const;

    // One tick of receiveTimer: shows what arrived since the last tick.
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

    void clearClicked();
    void logClicked();

private:
    QLayout *buildViewChoice();
    QWidget *buildEnterChoice();
    void sendTyped(const QByteArray &bytes);
    void setColours(const QColor &input, const QColor &typing);
    ReceiveViewOptions chosenView() const;
    int limit() const;
    void viewChanged();
    void applyFont();
    void logReceived(const QByteArray &bytes);
    void showLogState();

    AppState &m_state;
    CommPort *m_port;
    QWidget *m_form;
    QPlainTextEdit *m_input;
    TransmitWindow *m_typing;
    QTimer *m_timer;
    QCheckBox *m_hexView = nullptr;
    QCheckBox *m_timestamps = nullptr;
    QCheckBox *m_controlBytes = nullptr;
    QCheckBox *m_monospace = nullptr;
    QCheckBox *m_lfStartsLine = nullptr;
    QPushButton *m_clear;
    QPushButton *m_logButton;
    QLabel *m_logFile;
    ModemLineControls *m_lines;
    QComboBox *m_enter = nullptr;
    ReceiveRenderer m_renderer;
    ReceiveHistory m_history;
    ReceiveLog m_log;
};
