#pragma once

#include <QWidget>

struct AppState;
class CommonDialog;
class QPlainTextEdit;
class QPushButton;
class SendController;

// The output window Text3 with its frames "Directly load LCD" (reformat and
// send) and "Text Output Window" (copy, save, clear, restore, case), and the
// "&Open" menu that loads a text file into the transmit window.
class OutputPanel : public QWidget
{
    Q_OBJECT
public:
    OutputPanel(AppState &state, QWidget *form);

    // "Paste and Send " stands on its own in the window; the window places it.
    QPushButton *pasteAndSendButton() const { return m_pasteAndSend; }
    // Frames "Directly load LCD" and "Text Output Window"; the window places them.
    QWidget *sendFrame() const { return m_sendFrame; }
    QWidget *editFrame() const { return m_editFrame; }

    void reformatClicked();
    void copyClicked();
    void saveClicked();
    void clearClicked();
    void restoreClicked();
    void caseToggleClicked();
    // The "&Open" menu.
    void openTextFile();

    SendController *sender() const { return m_sender; }

private:
    QWidget *buildSendFrame();
    QWidget *buildEditFrame();
    QPushButton *formButton(const char *name) const;
    CommonDialog *commonDialog() const;

    AppState &m_state;
    QWidget *m_form;
    QPlainTextEdit *m_output;
    QPushButton *m_pasteAndSend;
    SendController *m_sender = nullptr;
    QWidget *m_sendFrame = nullptr;
    QWidget *m_editFrame = nullptr;
};
