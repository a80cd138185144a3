#pragma once

#include <QObject>

struct AppState;
class CommonDialog;
class PixelCanvas;
class QCheckBox;
class QPlainTextEdit;
class QWidget;

// "Load" and "Save" of the Graphic frame: the shared file dialog, the
// canvas, hexGrid and the output window around the widget-free loader and
// writer.
class BitmapFileActions : public QObject
{
    Q_OBJECT
public:
    BitmapFileActions(AppState &state, PixelCanvas *canvas, QCheckBox *inverted, QWidget *panel);

    // Asks for a picture file and loads it into the canvas, hexGrid and the
    // output window; a cancelled dialog empties the output window and
    // disables "Inverted", and loads nothing.
    void fload();
    // Asks for a file name and writes the canvas as a one-bit bitmap.
    void fsave();

private:
    CommonDialog *dialog() const;
    QPlainTextEdit *outputWindow() const;
    void showDump(const QString &dump);

    AppState &m_state;
    PixelCanvas *m_canvas;
    QCheckBox *m_inverted;
    QWidget *m_panel;
};
