#pragma once

#include "logic/canvas/CanvasState.h"
#include "logic/convert/MatrixLayout.h"

#include <QGroupBox>
#include <QImage>

struct AppState;
class SettingsStore;
struct PictureLoad;
class BitmapFileActions;
class CanvasArea;
class CanvasEditRow;
class CanvasHistory;
class CanvasToolColumn;
class FileAndFontPrompts;
class DrawingTools;
class PixelCanvas;
class QCheckBox;
class QLabel;
class QPushButton;
class SizeSelector;
class TextStampControls;

// Frame "Graphic": the canvas area with its edit row, the LCD sizes, pen
// and drawing buttons, the text controls, the file buttons and the place
// of "Convert". Every change of the picture goes through the undo history.
class CanvasPanel : public QGroupBox
{
    Q_OBJECT
public:
    CanvasPanel(AppState &state, FileAndFontPrompts &dialog, QWidget *parent = nullptr);

    PixelCanvas *canvas() const { return m_canvas; }
    // "Convert" stands here; the convert panel runs it.
    QPushButton *convertButton() const;
    // The frame's controls in the order they stand on screen.
    QList<QWidget *> focusOrder() const;
    // What must not change the picture or the stream while a send runs.
    QList<QWidget *> lockedWhileSending() const;
    const CanvasHistory &history() const { return *m_history; }

    // Start-up: the first pen size.
    void startUp();

    // The user's choices between runs; a missing or bad value leaves the
    // control as it is.
    void saveSettings(SettingsStore &store) const;
    void restoreSettings(const SettingsStore &store);

signals:
    // A picture came in: the last conversion no longer matches it. `dump` is
    // the file's walked bytes for the output window, empty when there are none.
    void pictureLoaded(const QString &dump);
    // An array came in, its bytes read in `layout`: Convert should write them in it again.
    void arrayLoaded(const MatrixLayout &layout);
    // A choice kept between runs changed.
    void settingsChanged();

private:
    QWidget *buildTools();
    void connectCanvas();
    void clearClicked();
    void sizeChosen(int index, QSize size);
    void loadClicked();
    void applySize(int index, QSize size);
    CanvasState currentState() const;
    void restoreState(const CanvasState &state);
    void showLoaded(const PictureLoad &load);

    AppState &m_state;
    FileAndFontPrompts &m_dialog;
    PixelCanvas *m_canvas = nullptr;
    DrawingTools *m_tools = nullptr;
    CanvasHistory *m_history = nullptr;
    CanvasArea *m_area = nullptr;
    CanvasEditRow *m_editRow = nullptr;
    TextStampControls *m_text = nullptr;
    SizeSelector *m_sizes = nullptr;
    CanvasToolColumn *m_column = nullptr;
    QLabel *m_status = nullptr;
    QCheckBox *m_inverted = nullptr; // the column's, read by loads and the undo history
    BitmapFileActions *m_files = nullptr;
    bool m_restoring = false;
};
