#pragma once

#include "logic/canvas/CanvasState.h"

#include <QGroupBox>
#include <QImage>

struct AppState;
class SettingsStore;
struct PictureLoad;
class BitmapFileActions;
class CanvasHistory;
class FileAndFontPrompts;
class DrawingTools;
class PixelCanvas;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class SizeSelector;

// Frame "Graphic": the canvas with its tools, undo and picture operations,
// the LCD sizes, pen and drawing buttons, text, the file buttons and the
// place of "Convert". Every change of the picture goes through the undo
// history.
class CanvasPanel : public QGroupBox
{
    Q_OBJECT
public:
    CanvasPanel(AppState &state, FileAndFontPrompts &dialog, QWidget *parent = nullptr);

    PixelCanvas *canvas() const { return m_canvas; }
    // "Convert" stands here; the convert panel runs it.
    QPushButton *convertButton() const { return m_convert; }
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

    // Handlers, as the controls' events run them.
    void clearClicked();
    void eraseClicked();
    void drawClicked();
    void penSizeClicked(int index);
    void sizeChosen(int index, QSize size);
    void fontClicked();
    void textClicked();
    void loadClicked();
    void importClicked();
    void pasteClicked();
    void undo();
    void redo();
    void shift(int dx, int dy);

signals:
    // A load replaced the output window's text.
    void outputTextReplaced(const QString &text);
    // A choice kept between runs changed.
    void settingsChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buildCanvasArea();
    QWidget *buildEditRow(QWidget *parent);
    QWidget *buildTools();
    void connectCanvas();
    void applyZoom();
    void applySize(int index, QSize size);
    CanvasState currentState() const;
    void restoreState(const CanvasState &state);
    void showLoaded(const PictureLoad &load);
    void transform(QImage (*operation)(const QImage &));
    void updateEditButtons();
    void pointerAt(QPoint lcdPoint);
    void showFontInUse();

    AppState &m_state;
    FileAndFontPrompts &m_dialog;
    PixelCanvas *m_canvas = nullptr;
    DrawingTools *m_tools = nullptr;
    CanvasHistory *m_history = nullptr;
    SizeSelector *m_sizes = nullptr;
    QScrollArea *m_scroll = nullptr;
    QComboBox *m_zoom = nullptr;
    QComboBox *m_tool = nullptr;
    QComboBox *m_penSize = nullptr;
    QLabel *m_position = nullptr;
    QLabel *m_status = nullptr;
    QLabel *m_fontInUse = nullptr;
    QCheckBox *m_inverted = nullptr;
    QLineEdit *m_text = nullptr;
    BitmapFileActions *m_files = nullptr;
    QWidget *m_editRow = nullptr;
    QPushButton *m_undo = nullptr;
    QPushButton *m_redo = nullptr;
    QPushButton *m_rotate90 = nullptr;
    QList<QWidget *> m_editButtons; // undo to rotate 90, in screen order
    QList<QWidget *> m_sideControls; // pen size to Convert, in screen order
    QPushButton *m_import = nullptr;
    QPushButton *m_paste = nullptr;
    QPushButton *m_convert = nullptr;
    QPushButton *m_load = nullptr;
    QPushButton *m_clear = nullptr;
    QPushButton *m_stamp = nullptr;
    bool m_restoring = false;
};
