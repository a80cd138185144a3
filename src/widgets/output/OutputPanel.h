#pragma once

#include "logic/convert/Conversion.h"
#include "widgets/output/SendController.h"

#include <QGroupBox>
#include <QWidget>

struct AppState;
class FileAndFontPrompts;
class OutputFileActions;
class QPlainTextEdit;
class QPushButton;

// The output window outputWindow with its frames "Directly load LCD" (reformat and
// send) and "Text Output Window" (copy, save, export, clear, restore, case),
// and the "&Open" menu that loads a text file for the transmit window.
class OutputPanel : public QWidget
{
    Q_OBJECT
public:
    OutputPanel(AppState &state, FileAndFontPrompts &dialog, const SendPeers &peers, QWidget *form);

    // "Paste and Send " stands on its own in the window; the window places it.
    QPushButton *pasteAndSendButton() const { return m_pasteAndSend; }
    // Frames "Directly load LCD" and "Text Output Window"; the window places them.
    QWidget *sendFrame() const { return m_sendFrame; }
    QWidget *editFrame() const { return m_editFrame; }
    QList<QWidget *> sendFocusOrder() const;
    QList<QWidget *> editFocusOrder() const;
    QPlainTextEdit *outputWindow() const { return m_output; }
    QList<QWidget *> lockedWhileSending() const;

    void reformatClicked();
    void copyClicked();
    void saveClicked();
    // Writes the bytes the output window holds in a file form chosen in a
    // dialog, or says why the text cannot be read as the picture's bytes.
    void exportClicked();
    void clearClicked();
    void restoreClicked();
    void caseToggleClicked();
    // The "&Open" menu.
    void openTextFile();

    // Events of other panels.
    void showConversion(bool ok, const QString &text);
    void setConvertedMatrix(const ConversionResult &matrix);
    // A picture came in: its walked bytes (or nothing) replace the text, and
    // the last conversion is retired.
    void showPictureDump(const QString &dump);
    void setEepromTarget(bool eeprom);
    void setPortOpen(bool open);

    SendController *sender() const { return m_sender; }

signals:
    // "&Open" loaded a text file for the transmit window.
    void transmitTextLoaded(const QString &text);

private:
    void showText(const QString &text);
    QGroupBox *buildSendFrame(const SendPeers &peers);
    QString reformatProblem() const;
    QWidget *buildEditFrame();

    AppState &m_state;
    FileAndFontPrompts &m_dialog;
    const ConvertControls &m_convert;
    QWidget *m_form;
    QPlainTextEdit *m_output;
    QPushButton *m_pasteAndSend;
    QPushButton *m_send = nullptr;
    QPushButton *m_reformat = nullptr;
    QPushButton *m_stop = nullptr;
    QPushButton *m_copy = nullptr;
    QPushButton *m_save = nullptr;
    QPushButton *m_export = nullptr;
    QPushButton *m_clear = nullptr;
    QPushButton *m_restore = nullptr;
    QPushButton *m_caseToggle = nullptr;
    SendController *m_sender = nullptr;
    QGroupBox *m_sendFrame = nullptr;
    QWidget *m_editFrame = nullptr;
    OutputFileActions *m_files = nullptr;
    ConversionResult m_matrix; // of the last successful Convert
};
