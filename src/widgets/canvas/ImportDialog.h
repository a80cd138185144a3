#pragma once

#include "logic/canvas/ImportSettings.h"

#include <QDialog>
#include <QImage>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QSpinBox;

// Asks how a picture should land on the LCD: placement, threshold,
// dithering, invert, rotate and flip, with the result shown as it will be
// on the canvas while the user chooses. The work is ImportPipeline's.
class ImportDialog : public QDialog
{
    Q_OBJECT
public:
    // `name` says where the picture comes from ("logo.png").
    ImportDialog(const QImage &source, QSize lcd, const QString &name, const ImportSettings &initial,
                 QWidget *parent = nullptr);

    ImportSettings settings() const;
    // The LCD picture for the settings now chosen, as the preview shows it.
    QImage result() const { return m_result; }

    // Shows the dialog; true and `settings` and `result` filled when accepted.
    static bool ask(QWidget *parent, const QImage &source, QSize lcd, const QString &name, ImportSettings &settings,
                    QImage *result);

    // Tests: answers instead of a person (change the dialog's controls, then
    // return true for OK or false for Cancel). An empty function shows it again.
    static void setAnswerer(std::function<bool(ImportDialog &)> answerer);

private:
    void buildControls(const QString &caption);
    void showSettings(const ImportSettings &settings);
    void refresh();

    QImage m_source;
    QSize m_lcd;
    QImage m_prepared; // luminance, inverted and turned as last asked
    ImportSettings m_preparedFor;
    QImage m_result;
    QComboBox *m_placement = nullptr;
    QSpinBox *m_threshold = nullptr;
    QComboBox *m_dither = nullptr;
    QCheckBox *m_invert = nullptr;
    QComboBox *m_rotation = nullptr;
    QCheckBox *m_flipHorizontal = nullptr;
    QCheckBox *m_flipVertical = nullptr;
    QLabel *m_preview = nullptr;
};
