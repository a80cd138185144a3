#pragma once

#include <QWidget>

struct AppState;
class QPushButton;

// The output window Text3 with its frames "Directly load LCD" (reformat and
// send) and "Text Output Window" (copy, save, clear, restore, case).
class OutputPanel : public QWidget
{
    Q_OBJECT
public:
    OutputPanel(AppState &state, QWidget *form);

    // "Paste and Send " stands on its own in the window; the window places it.
    QPushButton *pasteAndSendButton() const { return m_pasteAndSend; }

private:
    QWidget *buildSendFrame();
    QWidget *buildEditFrame();

    AppState &m_state;
    QWidget *m_form;
    QPushButton *m_pasteAndSend;
};
