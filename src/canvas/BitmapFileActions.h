#pragma once

#include <QObject>

struct AppState;
class CommonDialog;
class PixelCanvas;
class QCheckBox;
class QWidget;

// "Load" and "Save" of the Graphic frame: the shared file dialog, the
// canvas and hexGrid around the widget-free loader and writer. What a load
// shows in the output window goes out as dumpShown.
class BitmapFileActions : public QObject
{
    Q_OBJECT
public:
    BitmapFileActions(AppState &state, CommonDialog &dialog, PixelCanvas *canvas, QCheckBox *inverted,
                      QWidget *panel);

    // Asks for a picture file and loads it into the canvas, hexGrid and the
    // output window; a cancelled dialog empties the output window and
    // disables "Inverted", and loads nothing.
    void fload();
    // Asks for a file name and writes the canvas as a one-bit bitmap.
    void fsave();

signals:
    // The output window's new text after a load: the file's byte dump, or
    // nothing after a cancel or a failure.
    void dumpShown(const QString &dump);

private:
    AppState &m_state;
    CommonDialog &m_dialog;
    PixelCanvas *m_canvas;
    QCheckBox *m_inverted;
    QWidget *m_panel;
};
