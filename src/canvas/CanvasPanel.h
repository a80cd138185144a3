#pragma once

#include <QGroupBox>

struct AppState;
class BitmapFileActions;
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
    CanvasPanel(AppState &state, QWidget *parent = nullptr);

    PixelCanvas *canvas() const { return m_canvas; }

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

private:
    QWidget *buildCanvasArea();
    QWidget *buildSizeOptions();
    QWidget *buildTools();
    void applyZoom();

    AppState &m_state;
    PixelCanvas *m_canvas = nullptr;
    QScrollArea *m_scroll = nullptr;
    QComboBox *m_zoom = nullptr;
    QComboBox *m_penSize = nullptr;
    QLabel *m_position = nullptr;
    QCheckBox *m_inverted = nullptr;
    QLineEdit *m_text = nullptr;
    BitmapFileActions *m_files = nullptr;
    QRadioButton *m_sizeOptions[8] = {};
};
