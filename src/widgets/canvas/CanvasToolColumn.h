#pragma once

#include <QList>
#include <QRgb>
#include <QWidget>

class CanvasHistory;
class DrawingTools;
class FileAndFontPrompts;
class PixelCanvas;
class QCheckBox;
class QComboBox;
class QPushButton;
class TextStampControls;

// The column beside the canvas: pen size, Draw, Erase, Clear, Inverted, the
// text controls, Load, Save, Import, Paste Picture and the place of Convert.
// Pen size, Draw and Erase act on the canvas here; the Graphic frame runs
// the buttons that change the picture or the files.
class CanvasToolColumn : public QWidget
{
    Q_OBJECT
public:
    CanvasToolColumn(PixelCanvas *canvas, DrawingTools *tools, CanvasHistory *history, FileAndFontPrompts &dialog,
                     QWidget *parent);

    QComboBox *penSizeBox() const { return m_penSize; }
    QCheckBox *invertedCheck() const { return m_inverted; }
    TextStampControls *textControls() const { return m_text; }
    QPushButton *clearButton() const { return m_clear; }
    QPushButton *loadButton() const { return m_load; }
    QPushButton *saveButton() const { return m_save; }
    QPushButton *importButton() const { return m_import; }
    QPushButton *pasteButton() const { return m_paste; }
    QPushButton *convertButton() const { return m_convert; }
    // Pen size to Convert, in screen order.
    QList<QWidget *> controls() const { return m_controls; }

    // Start-up: the first pen size.
    void startUp();

private:
    void setDrawColour(QRgb colour);
    void penSizeChosen(int index);

    PixelCanvas *m_canvas;
    DrawingTools *m_tools;
    QComboBox *m_penSize = nullptr;
    QCheckBox *m_inverted = nullptr;
    TextStampControls *m_text = nullptr;
    QPushButton *m_clear = nullptr;
    QPushButton *m_load = nullptr;
    QPushButton *m_save = nullptr;
    QPushButton *m_import = nullptr;
    QPushButton *m_paste = nullptr;
    QPushButton *m_convert = nullptr;
    QList<QWidget *> m_controls;
};
