#pragma once

#include <QFont>
#include <QObject>

class CanvasHistory;
class DrawingTools;
class FileAndFontPrompts;
class PixelCanvas;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// The text box, "Font" and "Text" of the Graphic frame and the font in use:
// Enter or "Text" stamps the text at the drawing position; the drawing tools
// show it, pending, while it is placed. The controls take three rows of the
// frame's grid from `row`.
class TextStampControls : public QObject
{
    Q_OBJECT
public:
    TextStampControls(PixelCanvas *canvas, DrawingTools *tools, CanvasHistory *history, FileAndFontPrompts &dialog,
                      QGridLayout *grid, int row, QObject *parent);

    // Text box, "Font", "Text", in screen order.
    QList<QWidget *> controls() const;
    QPushButton *stampButton() const { return m_stamp; }
    // A font chosen in another run.
    void setFont(const QFont &font);

signals:
    // The user chose another font: a choice kept between runs.
    void fontChosen();

private:
    void fontClicked();
    void stampClicked();
    void showFontInUse();

    PixelCanvas *m_canvas;
    DrawingTools *m_tools;
    CanvasHistory *m_history;
    FileAndFontPrompts &m_dialog;
    QLineEdit *m_text = nullptr;
    QPushButton *m_font = nullptr;
    QPushButton *m_stamp = nullptr;
    QLabel *m_fontInUse = nullptr;
};
