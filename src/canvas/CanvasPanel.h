#pragma once

#include <QGroupBox>

struct AppState;
class SettingsStore;
class BitmapFileActions;
class CommonDialog;
class QAbstractButton;
class QPushButton;
class PixelCanvas;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QScrollArea;

// Frame "Graphic": the canvas, LCD size options, pen and drawing buttons,
// and the places of the text, file and convert buttons.
class CanvasPanel : public QGroupBox
{
    Q_OBJECT
public:
    CanvasPanel(AppState &state, CommonDialog &dialog, QWidget *parent = nullptr);

    PixelCanvas *canvas() const { return m_canvas; }
    // "Convert" stands here; the convert panel runs it.
    QPushButton *convertButton() const { return m_convert; }
    // The frame's controls in the order they stand on screen.
    QList<QWidget *> focusOrder() const;
    // What must not change the picture or the stream while a send runs.
    QList<QWidget *> lockedWhileSending() const;

    // Start-up: the first pen size.
    void startUp();

    // The user's choices between runs; a missing or bad value leaves the
    // control as it is.
    void saveSettings(SettingsStore &store) const;
    void restoreSettings(const SettingsStore &store);

    // Handlers, as the controls' events run them.
    void mouseDown(QPoint lcdPoint);
    void mouseMove(QPoint lcdPoint);
    void mouseUp();
    void clearClicked();
    void eraseClicked();
    void drawClicked();
    void penSizeClicked(int index);
    void sizeOptionClicked(int index);
    void fontClicked();
    void textClicked();
    void loadClicked();

signals:
    // A load replaced the output window's text.
    void outputTextReplaced(const QString &text);

private:
    QWidget *buildCanvasArea();
    QWidget *buildSizeOptions();
    QWidget *buildTools();
    void applyZoom();

    AppState &m_state;
    CommonDialog &m_dialog;
    PixelCanvas *m_canvas = nullptr;
    QScrollArea *m_scroll = nullptr;
    QComboBox *m_zoom = nullptr;
    QComboBox *m_penSize = nullptr;
    QLabel *m_position = nullptr;
    QCheckBox *m_inverted = nullptr;
    QLineEdit *m_text = nullptr;
    BitmapFileActions *m_files = nullptr;
    QRadioButton *m_sizeOptions[8] = {};
    QList<QWidget *> m_tools; // pen size to Save, in screen order
    QPushButton *m_convert = nullptr;
    QPushButton *m_load = nullptr;
    QPushButton *m_clear = nullptr;
    QPushButton *m_stamp = nullptr;
};
