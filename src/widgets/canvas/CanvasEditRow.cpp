#include "widgets/canvas/CanvasEditRow.h"
#include "widgets/ui/ControlNames.h"

#include "logic/canvas/PictureOperations.h"
#include "widgets/canvas/CanvasHistory.h"
#include "widgets/canvas/PixelCanvas.h"
#include "widgets/ui/ControlFactory.h"
#include "widgets/ui/FitToText.h"

#include <QHBoxLayout>
#include <QPushButton>

CanvasEditRow::CanvasEditRow(PixelCanvas *canvas, CanvasHistory *history, QWidget *parent)
    : QWidget(parent), m_canvas(canvas), m_history(history)
{
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(3);
    m_undo = add(ControlNames::undoButton, tr("Undo"), tr("Undo the last change of the picture (Ctrl+Z)"), nullptr);
    m_redo = add(ControlNames::redoButton, tr("Redo"), tr("Redo what was undone (Ctrl+Shift+Z)"), nullptr);
    m_undo->setShortcut(QKeySequence::Undo);
    m_redo->setShortcut(QKeySequence(tr("Ctrl+Shift+Z")));
    connect(m_undo, &QPushButton::clicked, m_history, &CanvasHistory::undo);
    connect(m_redo, &QPushButton::clicked, m_history, &CanvasHistory::redo);
    add(ControlNames::invertPictureButton, tr("Invert"), tr("Swap black and white in the picture"),
        &PictureOperations::inverted);
    add(ControlNames::flipHorizontalButton, tr("Flip H"), tr("Mirror the picture left to right"),
        &PictureOperations::flippedHorizontally);
    add(ControlNames::flipVerticalButton, tr("Flip V"), tr("Mirror the picture top to bottom"),
        &PictureOperations::flippedVertically);
    add(QString(ControlNames::rotate180Button), tr("Rotate 180"), tr("Turn the picture upside down"),
        &PictureOperations::rotated180);
    m_rotate90 = add(QString(ControlNames::rotate90Button), tr("Rotate 90"),
                     tr("Turn a square picture a quarter clockwise"), &PictureOperations::rotated90);
    for (QWidget *button : std::as_const(m_buttons))
        row->addWidget(button);
    row->addStretch();
    connect(m_history, &CanvasHistory::availabilityChanged, this, &CanvasEditRow::updateButtons);
    connect(m_canvas, &PixelCanvas::shiftRequested, this, &CanvasEditRow::shift);
    updateButtons();
}

QPushButton *CanvasEditRow::add(const QString &name, const QString &caption, const QString &description,
                                QImage (*operation)(const QImage &))
{
    auto *button = Controls::button(this, name, caption);
    button->setAccessibleDescription(description);
    button->setToolTip(description);
    // Seven buttons side by side: each may shrink to its caption when the window is narrow.
    FitToText::narrowToCaption(button);
    if (operation)
        connect(button, &QPushButton::clicked, this, [this, operation] { transform(operation); });
    m_buttons << button;
    return button;
}

void CanvasEditRow::updateButtons()
{
    m_undo->setEnabled(m_history->canUndo());
    m_redo->setEnabled(m_history->canRedo());
    m_rotate90->setEnabled(m_canvas->lcdWidth() == m_canvas->lcdHeight());
}

void CanvasEditRow::transform(QImage (*operation)(const QImage &))
{
    m_history->perform([&] { m_canvas->setImage(operation(m_canvas->image())); });
}

void CanvasEditRow::shift(int dx, int dy)
{
    m_history->perform([&] { m_canvas->setImage(PictureOperations::shifted(m_canvas->image(), dx, dy)); });
}
