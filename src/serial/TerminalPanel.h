#pragma once

#include <QWidget>

struct AppState;
class QTimer;

// The small terminal: what the PIC sends (Text1), what the user types
// (Text2), and the 50 ms receive timer.
class TerminalPanel : public QWidget
{
    Q_OBJECT
public:
    TerminalPanel(AppState &state, QWidget *form);

private:
    AppState &m_state;
    QWidget *m_form;
    QTimer *m_timer;
};
