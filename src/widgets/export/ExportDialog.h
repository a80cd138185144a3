#pragma once

#include "logic/convert/Conversion.h"
#include "logic/export/ExportOptions.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QSpinBox;

// "Export": the file form for the output window's bytes (template, name,
// bytes per line and the details one form reads). It only chooses; the
// caller asks for the file and writes it.
class ExportDialog : public QDialog
{
    Q_OBJECT
public:
    ExportDialog(const ConversionResult &matrix, const ExportOptions &start, QWidget *parent);

    ExportOptions options() const;
    // "" when the options can be written; else why not, as shown.
    QString problem() const { return m_problem; }

private:
    void buildControls();
    void showOptions(const ExportOptions &options);
    // Enables what the chosen form reads and says what keeps it from being written.
    void update();

    const ConversionResult &m_matrix;
    QString m_problem;
    QComboBox *m_template = nullptr;
    QLineEdit *m_name = nullptr;
    QSpinBox *m_bytesPerLine = nullptr;
    QCheckBox *m_linePerUnit = nullptr;
    QCheckBox *m_progmem = nullptr;
    QLineEdit *m_address = nullptr;
    QLabel *m_problemLabel = nullptr;
    QDialogButtonBox *m_buttons = nullptr;
};
