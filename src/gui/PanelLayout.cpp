#include "gui/PanelLayout.h"

#include "widgets/canvas/CanvasPanel.h"
#include "widgets/convert/ConvertControls.h"
#include "widgets/decode/PreviewPane.h"
#include "widgets/output/OutputPanel.h"
#include "widgets/serial/PicLinkControls.h"
#include "widgets/serial/SerialPortPanel.h"
#include "widgets/serial/TerminalPanel.h"
#include "widgets/ui/ControlFactory.h"
#include "widgets/ui/ControlNames.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

namespace {

// The frames of conversion, link and sending settings, right of the canvas.
QWidget *buildIoSettings(QWidget *form, const PanelSet &panels)
{
    auto *frame = Controls::frame(form, ControlNames::ioSettingsFrame, QObject::tr("I/O Settings"));
    auto *grid = new QGridLayout(frame);
    grid->setContentsMargins(6, 4, 6, 4);
    grid->setSpacing(4);
    grid->addWidget(panels.convert.outputFormatFrame(), 0, 0, 2, 1);
    grid->addWidget(panels.convert.byteMatrixFrame(), 0, 1);
    grid->addWidget(panels.link.eepromFrame(), 1, 1);
    grid->addWidget(panels.link.ioFrame(), 2, 0, 1, 2);
    grid->addWidget(panels.output.sendFrame(), 3, 0, Qt::AlignTop);
    grid->addWidget(panels.output.editFrame(), 3, 1, Qt::AlignTop);
    grid->setRowStretch(4, 1);
    return frame;
}

} // namespace

// Splitters let the terminal (or the output window) take most of the
// window. Dragged past what it needs, the picture row folds away
// (dragging back brings it again).
void PanelLayout::layOut(QWidget *form, const PanelSet &panels)
{
    auto *rows = new QVBoxLayout(form);
    rows->setContentsMargins(6, 0, 6, 0); // every pixel of height counts on a 768-line screen
    auto *top = new QWidget(form);
    auto *topRow = new QHBoxLayout(top);
    topRow->setContentsMargins(0, 0, 0, 0);
    // Room the window gains goes to the canvas first.
    topRow->addWidget(&panels.canvas, 1);
    topRow->addWidget(buildIoSettings(form, panels));
    auto *portColumn = new QWidget(form);
    auto *portLayout = new QVBoxLayout(portColumn);
    portLayout->setContentsMargins(0, 0, 0, 0);
    portLayout->addWidget(&panels.port);
    portLayout->addWidget(panels.output.pasteAndSendButton());
    portLayout->addStretch();
    auto *bottom = new QSplitter(Qt::Horizontal, form);
    bottom->setObjectName(ControlNames::bottomSplitter);
    bottom->addWidget(&panels.output);
    bottom->addWidget(&panels.preview);
    bottom->addWidget(portColumn);
    bottom->addWidget(&panels.terminal);
    bottom->setStretchFactor(0, 3);
    bottom->setStretchFactor(1, 2);
    bottom->setStretchFactor(2, 0);
    bottom->setStretchFactor(3, 2);
    auto *split = new QSplitter(Qt::Vertical, form);
    split->setObjectName(ControlNames::mainSplitter);
    split->addWidget(top);
    split->addWidget(bottom);
    // Both rows share what the window gains or loses, each down to what it needs.
    split->setStretchFactor(0, 1);
    split->setStretchFactor(1, 1);
    // Dragged all the way, the output window makes room; the terminal stays.
    for (QSplitter *splitter : {split, bottom})
        splitter->setCollapsible(splitter->count() - 1, false);
    rows->addWidget(split);
}
