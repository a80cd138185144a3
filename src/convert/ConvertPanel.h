#pragma once

#include <QObject>

struct AppState;
struct ConversionSettings;
class QGroupBox;
class QWidget;

// Frames "Output Format" and "Byte Matrix": the format boxes, the counters,
// the packing choice; it runs "Convert" (which sits in the Graphic frame).
class ConvertPanel : public QObject
{
    Q_OBJECT
public:
    ConvertPanel(AppState &state, QWidget *form);

    QGroupBox *outputFormatFrame() const { return m_outputFormat; }
    QGroupBox *byteMatrixFrame() const { return m_byteMatrix; }

    void packingOptionClicked();
    void convertClicked();

private:
    QGroupBox *buildOutputFormat(QWidget *parent);
    QGroupBox *buildByteMatrix(QWidget *parent);
    // Builds the transfer header; false (and the error shown) when the
    // EEPROM address is unusable.
    bool buildTransferHeader();
    ConversionSettings settingsFromControls() const;
    QString convertedText() const;
    QString controlText(const char *name) const;

    AppState &m_state;
    QWidget *m_form;
    QGroupBox *m_outputFormat;
    QGroupBox *m_byteMatrix;
};
