#pragma once

#include "logic/convert/Conversion.h"

#include <QObject>

struct AppState;
class SettingsStore;
struct ConversionSettings;
class PicLinkControls;
class LayoutBoxes;
class PixelCanvas;
class QComboBox;
class QGroupBox;
class QLabel;
class QGridLayout;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

// Frames "Output Format" and "Byte Matrix": the format boxes, the counters,
// the packing choice and, under it, the controller profile (or a custom bit
// order and scan order); it runs "Convert" (which sits in the Graphic frame)
// on the canvas. The wait character box belongs to the PIC link settings
// and only stands in this frame.
class ConvertControls : public QObject
{
    Q_OBJECT
public:
    ConvertControls(AppState &state, PixelCanvas *canvas, QPushButton *convertButton, PicLinkControls &link,
                 QWidget *form);

    QGroupBox *outputFormatFrame() const { return m_outputFormat; }
    QGroupBox *byteMatrixFrame() const { return m_byteMatrix; }
    QList<QWidget *> focusOrder() const;

    // True when the text carries a format prefix or delimiters, which the
    // PIC cannot take.
    bool hasFormatOrDelimiter() const;
    // The counter beside the byte count, which a send counts down.
    void showCharactersLeft(qsizetype count);
    // The layout Convert packs in now.
    MatrixLayout chosenLayout() const;
    // Chooses the packing, profile and order that give `layout` (an array loaded in it).
    void showLayout(const MatrixLayout &layout);

    // The user's choices between runs; a missing or bad value leaves the
    // control as it is.
    void saveSettings(SettingsStore &store) const;
    void restoreSettings(const SettingsStore &store);

    void packingOptionClicked();
    void convertClicked();

signals:
    // After every Convert: the new output text, or ok false (and no text)
    // when the transfer header could not be built.
    void conversionDone(bool ok, const QString &text);
    // After every successful Convert: its bytes, size and layout.
    void matrixConverted(const ConversionResult &matrix);
    // The packing option, the profile, the bit order or the scan changed
    // (the preview draws with them).
    void packingChanged();
    // A choice kept between runs changed.
    void settingsChanged();

private:
    QGroupBox *buildOutputFormat(QWidget *parent);
    QGroupBox *buildByteMatrix(QWidget *parent);
    void addLayoutChoice(QWidget *frame, QGridLayout *grid, int firstRow);
    void restoreLayoutChoice(const SettingsStore &store);
    // What the Profile and Order boxes show, whichever packing Convert uses.
    MatrixLayout shownLayout() const;
    // Builds the transfer header; false (and the error shown) when the
    // EEPROM address is unusable.
    bool buildTransferHeader();
    ConversionSettings settingsFromControls() const;
    ConversionResult converted() const;

    AppState &m_state;
    PixelCanvas *m_canvas;
    PicLinkControls &m_link;
    QWidget *m_form;
    QLineEdit *m_header = nullptr;
    QLineEdit *m_footer = nullptr;
    QLineEdit *m_delimiter = nullptr;
    QLineEdit *m_format = nullptr;
    QLabel *m_byteCount = nullptr;
    QLabel *m_charactersLeft = nullptr;
    QRadioButton *m_vertical = nullptr;
    QRadioButton *m_horizontal = nullptr;
    QWidget *m_horizontalNote = nullptr;
    QComboBox *m_profile = nullptr;
    QComboBox *m_order = nullptr;
    LayoutBoxes *m_layoutBoxes = nullptr;
    QGroupBox *m_outputFormat;
    QGroupBox *m_byteMatrix;
};
