#pragma once

#include "logic/decode/PreviewImage.h"
#include "widgets/decode/PreviewDecoder.h"

#include <QImage>
#include <QWidget>

class LcdPictureView;
class QComboBox;
class QLabel;
class QScrollArea;
class QSpinBox;

// "Preview": the picture the output text draws on the LCD, before anything
// is sent. It decodes the text (Convert's text or a send stream, told
// apart by the transfer header at its start) for the LCD size and packing
// it is given, shows the dots in LCD colours at a whole-number zoom, marks
// in red the pixels that differ from the canvas and says how many, and
// says where and why a text cannot be decoded (PreviewDecoder decodes,
// PreviewReport words it).
class PreviewPane : public QWidget
{
    Q_OBJECT
public:
    // A new text is decoded at once, off the window's thread; keystrokes
    // that follow sooner than this wait until the keys rest this long.
    static constexpr int IdleDelayMs = PreviewDecoder::IdleDelayMs;

    explicit PreviewPane(QWidget *parent = nullptr);

    // Decodes for this size and layout (the usual one of a packing by default).
    void setLcdGeometry(int width, int height, const MatrixLayout &layout);
    void setLcdGeometry(int width, int height, bool horizontal);
    // The canvas picture to compare with; a null image compares nothing.
    void setReference(const QImage &canvas);
    void setColours(const QColor &lit, const QColor &unlit);
    // 1 to 16; 0 is "Fit", the largest size the pane shows whole (where it starts).
    void setZoom(int zoom);
    QList<QWidget *> focusOrder() const;

    const LcdByteDecoder::Result &result() const { return m_decoder.result(); }
    // Pixels that differ from the reference; -1 when there is none to compare.
    int differingPixels() const { return m_differing; }
    // What the preview shows, one image pixel per LCD pixel.
    const QImage &shownImage() const;

public slots:
    void setText(const QString &text);
    // Decodes the text now, on this thread, and shows it.
    void decodeNow();
    // A picture load put its walked bytes (when `dump` is not empty) in the
    // output window: no conversion, so nothing is compared until new text.
    void showPictureDump(const QString &dump);

signals:
    void decoded();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void applyZoom();
    void applyPreset(int index);
    void showDecoded();
    void showResult();

    PreviewDecoder m_decoder;
    QImage m_reference;
    PreviewImage::Colours m_colours;
    int m_differing = -1;
    QString m_notCompared; // why the text is not held against the canvas; empty when it is

    QSpinBox *m_zoom = nullptr;
    QScrollArea *m_scroll = nullptr;
    QComboBox *m_colourChoice = nullptr;
    LcdPictureView *m_view = nullptr;
    QLabel *m_difference = nullptr;
    QLabel *m_details = nullptr;
};
