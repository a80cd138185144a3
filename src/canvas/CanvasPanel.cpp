#include "canvas/CanvasPanel.h"

#include "core/SettingsStore.h"
#include "core/AppState.h"
#include "ui/CommonDialog.h"
#include "ui/ControlFactory.h"
#include "ui/OptionGroup.h"
#include "canvas/BitmapFileActions.h"
#include "canvas/LcdSizes.h"
#include "canvas/PixelCanvas.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {
const int PenWidths[] = {1, 2, 3, 4, 5, 10};
const QSize CanvasViewport(644, 404);
} // namespace

CanvasPanel::CanvasPanel(AppState &state, CommonDialog &dialog, QWidget *parent)
    : QGroupBox(tr("Graphic"), parent), m_state(state), m_dialog(dialog)
{
    setObjectName(QStringLiteral("fraGraphic"));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->addWidget(buildCanvasArea(), 1);
    auto *side = new QVBoxLayout;
    side->addWidget(buildSizeOptions());
    side->addWidget(buildTools());
    side->addStretch();
    layout->addLayout(side);

    connect(m_canvas, &PixelCanvas::pressed, this, &CanvasPanel::mouseDown);
    connect(m_canvas, &PixelCanvas::moved, this, &CanvasPanel::mouseMove);
    connect(m_canvas, &PixelCanvas::released, this, [this] { mouseUp(); });
    // Anything that changes the picture means it no longer is the loaded file.
    connect(m_canvas, &PixelCanvas::changed, this, [this] { m_state.canvasShowsLoadedBitmap = false; });
}

QWidget *CanvasPanel::buildCanvasArea()
{
    auto *area = new QWidget(this);
    auto *layout = new QVBoxLayout(area);
    layout->setContentsMargins(0, 0, 0, 0);
    m_scroll = new QScrollArea(area);
    m_scroll->setObjectName(QStringLiteral("scrCanvas"));
    m_scroll->setFixedSize(CanvasViewport + QSize(4, 4));
    m_scroll->setAlignment(Qt::AlignCenter);
    m_canvas = new PixelCanvas;
    m_canvas->setObjectName(QStringLiteral("Picture1"));
    m_canvas->setAccessibleName(tr("Canvas"));
    m_scroll->setWidget(m_canvas);
    m_scroll->setAccessibleName(tr("Canvas"));
    layout->addWidget(m_scroll);

    auto *zoomRow = new QHBoxLayout;
    m_zoom = new QComboBox(area);
    m_zoom->setObjectName(QStringLiteral("cboZoom"));
    m_zoom->addItem(tr("Fit"), 0);
    for (int zoom = 1; zoom <= 8; ++zoom)
        m_zoom->addItem(QStringLiteral("%1:1").arg(zoom), zoom);
    zoomRow->addWidget(Controls::label(area, QStringLiteral("lblZoom"), tr("Zoom"), m_zoom));
    zoomRow->addWidget(m_zoom);
    zoomRow->addStretch();
    m_position = Controls::valueLabel(area, QStringLiteral("lblxy"), tr("X,Y Position"), tr("Pointer position"));
    m_position->setMinimumWidth(110);
    m_position->hide();
    zoomRow->addWidget(m_position);
    layout->addLayout(zoomRow);
    connect(m_zoom, &QComboBox::currentIndexChanged, this, [this] { applyZoom(); });
    applyZoom();
    return area;
}

QWidget *CanvasPanel::buildSizeOptions()
{
    auto *box = new QWidget(this);
    auto *grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(1);
    grid->setColumnStretch(2, 1);
    grid->addWidget(Controls::label(box, QStringLiteral("Label10"), tr("LCD Size")), 0, 0, 1, 2);
    int row = 1;
    QList<QAbstractButton *> group;
    for (int index : LcdSizes::screenOrder()) {
        const LcdSize *size = LcdSizes::byIndex(index);
        auto *option = Controls::option(box, QStringLiteral("optgrf_%1").arg(index), QString());
        // The caption stands in a label beside it.
        option->setAccessibleName(QLatin1String(size->caption));
        m_sizeOptions[index] = option;
        group << option;
        auto *caption = Controls::label(box, QLatin1String(size->labelName), QLatin1String(size->caption));
        OptionGroup::captionClicks(caption, option);
        grid->addWidget(option, row, 0);
        grid->addWidget(caption, row, 1);
        ++row;
    }
    m_sizeOptions[0]->setChecked(true);
    OptionGroup::tabLandsOnChecked(group);
    // However an option gets checked (mouse, keys, an assistive tool, code), the size follows.
    for (int index = 0; index < 8; ++index)
        connect(m_sizeOptions[index], &QRadioButton::toggled, this, [this, index](bool checked) {
            if (checked)
                sizeOptionClicked(index);
        });
    return box;
}

QWidget *CanvasPanel::buildTools()
{
    auto *box = new QWidget(this);
    auto *grid = new QGridLayout(box);
    grid->setContentsMargins(0, 4, 0, 0);
    grid->setVerticalSpacing(3);

    m_penSize = new QComboBox(box);
    m_penSize->setObjectName(QStringLiteral("Combo1"));
    m_penSize->addItems({"x1", "x2", "x3", "x4", "x5", "x10"});
    grid->addWidget(Controls::label(box, QStringLiteral("Label4"), tr("Pen Size"), m_penSize), 0, 0);
    grid->addWidget(m_penSize, 0, 1);
    connect(m_penSize, &QComboBox::currentIndexChanged, this, &CanvasPanel::penSizeClicked);

    auto *draw = Controls::button(box, QStringLiteral("Command7"), tr("Draw"));
    auto *erase = Controls::button(box, QStringLiteral("Command6"), tr("Erase"));
    auto *clear = Controls::button(box, QStringLiteral("Command5"), tr("Clear"));
    clear->setAccessibleDescription(tr("Clears the canvas"));
    grid->addWidget(draw, 1, 0);
    grid->addWidget(erase, 1, 1);
    grid->addWidget(clear, 2, 0);
    m_inverted = Controls::checkBox(box, QStringLiteral("chkinvert"), tr("Inverted"));
    m_inverted->setChecked(true);
    grid->addWidget(m_inverted, 2, 1);
    connect(clear, &QPushButton::clicked, this, &CanvasPanel::clearClicked);
    connect(erase, &QPushButton::clicked, this, &CanvasPanel::eraseClicked);
    connect(draw, &QPushButton::clicked, this, &CanvasPanel::drawClicked);

    m_text = Controls::lineEdit(box, QStringLiteral("pictxt"), QString(), tr("Text to stamp"));
    grid->addWidget(m_text, 3, 0, 1, 2);
    auto *font = Controls::button(box, QStringLiteral("cmdfont"), tr("Font"));
    auto *text = Controls::button(box, QStringLiteral("cmdtext"), tr("Text"));
    auto *load = Controls::button(box, QStringLiteral("Command10"), tr("Load"));
    auto *save = Controls::button(box, QStringLiteral("Command8"), tr("Save"));
    save->setAccessibleDescription(tr("Saves the picture as a bitmap"));
    grid->addWidget(font, 4, 0);
    grid->addWidget(text, 4, 1);
    grid->addWidget(load, 5, 0);
    grid->addWidget(save, 5, 1);
    m_convert = Controls::button(box, QStringLiteral("Command9"), tr("Convert"));
    grid->addWidget(m_convert, 6, 0, 1, 2);
    m_tools = {m_penSize, draw, erase, clear, m_inverted, m_text, font, text, load, save, m_convert};
    m_load = load;
    m_clear = clear;
    m_stamp = text;
    m_files = new BitmapFileActions(m_state, m_dialog, m_canvas, m_inverted, this);
    connect(m_files, &BitmapFileActions::dumpShown, this, &CanvasPanel::outputTextReplaced);
    connect(font, &QPushButton::clicked, this, &CanvasPanel::fontClicked);
    connect(text, &QPushButton::clicked, this, &CanvasPanel::textClicked);
    connect(load, &QPushButton::clicked, this, &CanvasPanel::loadClicked);
    connect(save, &QPushButton::clicked, m_files, &BitmapFileActions::fsave);
    return box;
}

QList<QWidget *> CanvasPanel::focusOrder() const
{
    QList<QWidget *> order = {m_scroll, m_zoom};
    for (int index : LcdSizes::screenOrder())
        order << m_sizeOptions[index];
    return order + m_tools;
}

QList<QWidget *> CanvasPanel::lockedWhileSending() const
{
    // Load writes its dump into the output window, which holds the echo.
    return {m_convert, m_load, m_clear, m_stamp};
}

void CanvasPanel::startUp()
{
    m_penSize->setCurrentIndex(0);
    penSizeClicked(0);
}

void CanvasPanel::applyZoom()
{
    int zoom = m_zoom->currentData().toInt();
    if (zoom == 0) {
        const QSize lcd = m_canvas->image().size();
        zoom = qMax(1, qMin(CanvasViewport.width() / lcd.width(), CanvasViewport.height() / lcd.height()));
    }
    m_canvas->setZoom(zoom);
}

void CanvasPanel::mouseDown(QPoint lcdPoint)
{
    m_position->show();
    m_canvas->setPoint(lcdPoint);
    m_state.penDown = true;
}

void CanvasPanel::mouseMove(QPoint lcdPoint)
{
    if (!m_state.penDown)
        return;
    m_canvas->lineTo(lcdPoint);
    const QPoint current = m_canvas->currentPosition();
    m_position->setText(QStringLiteral("X:%1 Y:%2").arg(current.x()).arg(current.y()));
}

void CanvasPanel::mouseUp()
{
    m_position->hide();
    m_state.penDown = false;
}

void CanvasPanel::clearClicked()
{
    m_canvas->clear();
    m_inverted->setEnabled(true);
    // "320x200" is never disabled, so it is not re-enabled here either.
    for (int index = 0; index <= 6; ++index)
        m_sizeOptions[index]->setEnabled(true);
}

void CanvasPanel::eraseClicked()
{
    m_canvas->setDrawColour(qRgb(255, 255, 255));
    m_inverted->setEnabled(true);
}

void CanvasPanel::drawClicked()
{
    m_canvas->setDrawColour(qRgb(0, 0, 0));
}

void CanvasPanel::penSizeClicked(int index)
{
    if (index >= 0 && index < int(std::size(PenWidths)))
        m_canvas->setPenWidth(PenWidths[index]);
}

void CanvasPanel::sizeOptionClicked(int index)
{
    m_state.lcdSizeIndex = qint16(index);
    const LcdSize *size = LcdSizes::byIndex(index);
    if (!size)
        return;
    m_state.lcdHeight = qint16(size->height);
    m_state.lcdWidth = qint16(size->width);
    m_canvas->setLcdSize(size->width, size->height);
    applyZoom();
}

void CanvasPanel::fontClicked()
{
    CommonDialog *dialog = &m_dialog;
    dialog->flags = 3; // screen and printer fonts; stays for later uses of the dialog
    if (!dialog->showFont())
        return;
    // Name and size only: style, effects and colour chosen in the dialog are not taken.
    QFont font(dialog->fontName);
    if (dialog->fontSize > 0)
        font.setPointSizeF(dialog->fontSize);
    m_canvas->setStampFont(font);
}

void CanvasPanel::textClicked()
{
    m_canvas->stampText(m_text->text());
}

void CanvasPanel::loadClicked()
{
    m_files->fload();
    // Whatever the load did: hexGrid's bytes belong to this size until "Clear".
    // "320x200" is never disabled.
    for (int index = 0; index <= 6; ++index)
        m_sizeOptions[index]->setEnabled(false);
}

void CanvasPanel::saveSettings(SettingsStore &store) const
{
    store.set(QStringLiteral("canvas/size"), m_state.lcdSizeIndex);
    store.set(QStringLiteral("canvas/penSize"), m_penSize->currentIndex());
    store.set(QStringLiteral("canvas/inverted"), m_inverted->isChecked());
    store.set(QStringLiteral("canvas/zoom"), m_zoom->currentIndex());
    const QFont font = m_canvas->stampFont();
    store.set(QStringLiteral("canvas/font"), font.family());
    store.set(QStringLiteral("canvas/fontSize"), qRound(font.pointSizeF()));
}

void CanvasPanel::restoreSettings(const SettingsStore &store)
{
    if (const auto index = store.integer(QStringLiteral("canvas/size"), 0, 7))
        m_sizeOptions[*index]->setChecked(true);
    if (const auto index = store.integer(QStringLiteral("canvas/penSize"), 0, int(std::size(PenWidths)) - 1))
        m_penSize->setCurrentIndex(*index);
    if (const auto inverted = store.flag(QStringLiteral("canvas/inverted")))
        m_inverted->setChecked(*inverted);
    if (const auto zoom = store.integer(QStringLiteral("canvas/zoom"), 0, m_zoom->count() - 1))
        m_zoom->setCurrentIndex(*zoom);
    const auto family = store.text(QStringLiteral("canvas/font"), 200);
    const auto size = store.integer(QStringLiteral("canvas/fontSize"), 1, 500);
    if (family && size) {
        QFont font(*family);
        font.setPointSizeF(*size);
        m_canvas->setStampFont(font);
        m_dialog.fontName = *family;
        m_dialog.fontSize = *size;
    }
}
