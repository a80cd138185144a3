#pragma once

#include "logic/font/FontExport.h"
#include "logic/font/FontSource.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QSpinBox;

// The Font tool's choices: source, size, characters, form, layout, file
// template and sample text. Reads them into plain values; says when the
// source (which needs a reload) or anything else changed.
class FontToolForm : public QWidget
{
    Q_OBJECT
public:
    explicit FontToolForm(QWidget *parent = nullptr);

    FontSource source() const;
    // False with a reason when the characters or the cell do not read.
    bool choice(FontExportChoice *choice, QString *reason) const;
    QString sampleText() const;
    bool inverted() const;

    // A font file instead of an installed family (empty: back to the family).
    void setSourceFile(const QString &path);
    QString sourceFile() const { return m_file; }

signals:
    void sourceChanged();
    void shapeChanged();

private:
    void chooseFile();
    void familyChosen();
    void addSourceRows(QFormLayout *form);
    void addShapeRows(QFormLayout *form);
    void addFileRows(QFormLayout *form);

    QString m_file;
    QComboBox *m_family;
    QLabel *m_fileShown;
    QComboBox *m_style;
    QSpinBox *m_size;
    QComboBox *m_hinting;
    QCheckBox *m_bold;
    QLineEdit *m_chars;
    QComboBox *m_form;
    QLineEdit *m_cell;
    QSpinBox *m_spacing;
    QComboBox *m_profile;
    QComboBox *m_template;
    QLineEdit *m_name;
    QCheckBox *m_progmem;
    QLineEdit *m_sample;
    QCheckBox *m_inverted;
};
