#pragma once

#include <QObject>

struct AppState;
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

private:
    QGroupBox *buildOutputFormat(QWidget *parent);
    QGroupBox *buildByteMatrix(QWidget *parent);

    AppState &m_state;
    QWidget *m_form;
    QGroupBox *m_outputFormat;
    QGroupBox *m_byteMatrix;
};
