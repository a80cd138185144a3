#pragma once

#include "logic/convert/Conversion.h"
#include "logic/export/ExportOptions.h"

#include <QObject>

struct AppState;
class ConvertControls;
class FileAndFontPrompts;
class QPlainTextEdit;
class QWidget;

// The output panel's files: Save writes the output window's text, Export its
// bytes in a file form chosen in a dialog (kept for the next Export), and the
// "&Open" menu reads a text file for the transmit window.
class OutputFileActions : public QObject
{
    Q_OBJECT
public:
    // `owner` is the panel: messages and dialogs stand over its window.
    OutputFileActions(const AppState &state, FileAndFontPrompts &dialog, const ConvertControls &convert,
                      QPlainTextEdit *output, QWidget *owner);

    void save();
    // Writes the bytes the output window holds in a file form chosen in a
    // dialog, or says why the text cannot be read as the picture's bytes.
    void exportBytes();
    void openTextFile();

signals:
    // "&Open" loaded a text file for the transmit window.
    void transmitTextLoaded(const QString &text);

private:
    void writeExport(const ConversionResult &shown, const ExportOptions &options);
    QWidget *window() const;

    const AppState &m_state;
    FileAndFontPrompts &m_dialog;
    const ConvertControls &m_convert;
    QPlainTextEdit *m_output;
    QWidget *m_owner;
    ExportOptions m_exportOptions;
};
