#include "widgets/canvas/CanvasToolColumn.h"

#include "logic/canvas/PenStroke.h"
#include "widgets/canvas/DrawingTools.h"
#include "widgets/canvas/PixelCanvas.h"
#include "widgets/canvas/TextStampControls.h"
#include "widgets/ui/ControlFactory.h"
#include "widgets/ui/ControlNames.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

CanvasToolColumn::CanvasToolColumn(PixelCanvas *canvas, DrawingTools *tools, CanvasHistory *history,
                                   FileAndFontPrompts &dialog, QWidget *parent)
    : QWidget(parent), m_canvas(canvas), m_tools(tools)
{
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(0, 4, 0, 0);
    grid->setVerticalSpacing(3);

    m_penSize = new QComboBox(this);
    m_penSize->setObjectName(QString(ControlNames::penSizeBox));
    for (int width : PenStroke::Widths)
        m_penSize->addItem(QStringLiteral("x%1").arg(width));
    grid->addWidget(Controls::label(this, ControlNames::penSizeLabel, tr("Pen Size"), m_penSize), 0, 0);
    grid->addWidget(m_penSize, 0, 1);
    connect(m_penSize, &QComboBox::currentIndexChanged, this, &CanvasToolColumn::penSizeChosen);

    auto *draw = Controls::button(this, ControlNames::drawButton, tr("Draw"));
    auto *erase = Controls::button(this, ControlNames::eraseButton, tr("Erase"));
    m_clear = Controls::button(this, ControlNames::clearCanvasButton, tr("Clear"));
    m_clear->setAccessibleDescription(tr("Clears the canvas"));
    grid->addWidget(draw, 1, 0);
    grid->addWidget(erase, 1, 1);
    grid->addWidget(m_clear, 2, 0);
    m_inverted = Controls::checkBox(this, ControlNames::invertedCheck, tr("Inverted"));
    m_inverted->setChecked(true);
    grid->addWidget(m_inverted, 2, 1);
    connect(erase, &QPushButton::clicked, this, [this] { setDrawColour(qRgb(255, 255, 255)); });
    connect(draw, &QPushButton::clicked, this, [this] { setDrawColour(qRgb(0, 0, 0)); });

    m_text = new TextStampControls(canvas, tools, history, dialog, grid, 3, this);
    m_load = Controls::button(this, ControlNames::loadPictureButton, tr("Load"));
    m_save = Controls::button(this, ControlNames::savePictureButton, tr("Save"));
    m_save->setAccessibleDescription(tr("Saves the picture as a bitmap or PNG"));
    grid->addWidget(m_load, 6, 0);
    grid->addWidget(m_save, 6, 1);
    m_import = Controls::button(this, ControlNames::importPictureButton, tr("Import"));
    m_import->setAccessibleDescription(tr("Loads any picture with placement, threshold and dithering"));
    m_paste = Controls::button(this, ControlNames::pastePictureButton, tr("Paste Picture"));
    m_paste->setAccessibleDescription(tr("Imports the clipboard's picture"));
    grid->addWidget(m_import, 7, 0);
    grid->addWidget(m_paste, 7, 1);
    m_convert = Controls::button(this, ControlNames::convertButton, tr("Convert"));
    grid->addWidget(m_convert, 8, 0, 1, 2);
    m_controls = QList<QWidget *>{m_penSize, draw, erase, m_clear, m_inverted} + m_text->controls()
        + QList<QWidget *>{m_load, m_save, m_import, m_paste, m_convert};
}

void CanvasToolColumn::startUp()
{
    m_penSize->setCurrentIndex(0);
    penSizeChosen(0);
}

void CanvasToolColumn::setDrawColour(QRgb colour)
{
    m_canvas->setDrawColour(colour);
    if (colour == qRgb(255, 255, 255))
        m_inverted->setEnabled(true);
    m_tools->refreshPreview();
}

void CanvasToolColumn::penSizeChosen(int index)
{
    if (index >= 0 && index < PenStroke::Widths.size())
        m_canvas->setPenWidth(PenStroke::Widths.at(index));
}
