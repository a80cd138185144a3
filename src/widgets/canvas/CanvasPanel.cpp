#include "widgets/canvas/CanvasPanel.h"
#include "widgets/ui/ControlNames.h"

#include "logic/settings/SettingsSchema.h"
#include "logic/canvas/LcdSizes.h"
#include "logic/canvas/PenStroke.h"
#include "logic/canvas/PictureOperations.h"
#include "logic/core/AppState.h"
#include "logic/core/SettingsStore.h"
#include "widgets/canvas/BitmapFileActions.h"
#include "widgets/canvas/CanvasArea.h"
#include "widgets/canvas/CanvasEditRow.h"
#include "widgets/canvas/CanvasHistory.h"
#include "widgets/canvas/CanvasToolColumn.h"
#include "widgets/canvas/DrawingTools.h"
#include "widgets/canvas/PixelCanvas.h"
#include "widgets/canvas/SizeSelector.h"
#include "widgets/canvas/TextStampControls.h"
#include "widgets/ui/ControlFactory.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const char *DrawingHint = QT_TRANSLATE_NOOP("CanvasPanel", "Draw with the left mouse button; the right one erases.");
const char *ClearUnlocks = QT_TRANSLATE_NOOP("CanvasPanel", "\"Clear\" unlocks the LCD sizes.");
const char *PendingHint =
    QT_TRANSLATE_NOOP("CanvasPanel", "The blue text is not in the picture yet: Enter or \"Text\" stamps it.");
const char *ConvertMakesBytes = QT_TRANSLATE_NOOP("CanvasPanel", "Convert makes its bytes.");
} // namespace

CanvasPanel::CanvasPanel(AppState &state, FileAndFontPrompts &dialog, QWidget *parent)
    : QGroupBox(tr("Graphic"), parent), m_state(state), m_dialog(dialog)
{
    setObjectName(ControlNames::graphicFrame);
    m_canvas = new PixelCanvas;
    m_tools = new DrawingTools(m_canvas, this);
    m_history = new CanvasHistory(
        m_canvas, [this] { return currentState(); }, [this](const CanvasState &s) { restoreState(s); }, this);
    m_area = new CanvasArea(m_canvas, m_tools, this);
    m_sizes = new SizeSelector(this);
    m_area->addRow(m_sizes->customBox());
    m_editRow = new CanvasEditRow(m_canvas, m_history, m_area);
    m_area->addRow(m_editRow);
    m_status = Controls::valueLabel(m_area, ControlNames::canvasStatusLabel, tr(DrawingHint), tr("Canvas status"));
    m_status->setWordWrap(true);
    m_area->addRow(m_status);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 2, 6, 2);
    layout->addWidget(m_area, 1);
    auto *side = new QVBoxLayout;
    side->addWidget(m_sizes);
    side->addWidget(buildTools());
    side->addStretch();
    layout->addLayout(side);
    connectCanvas();
}

void CanvasPanel::connectCanvas()
{
    connect(m_canvas, &PixelCanvas::pressed, m_tools, &DrawingTools::press);
    connect(m_canvas, &PixelCanvas::moved, m_tools, &DrawingTools::move);
    connect(m_canvas, &PixelCanvas::released, m_tools, &DrawingTools::release);
    connect(m_canvas, &PixelCanvas::changed, this, [this] {
        // Anything that changes the picture means it no longer is the loaded file.
        m_state.canvasShowsLoadedBitmap = false;
        m_tools->refreshPreview();
    });
    connect(m_tools, &DrawingTools::pendingText, this, [this](bool shown) {
        if (shown)
            m_status->setText(tr(PendingHint));
        else if (m_status->text() == tr(PendingHint))
            m_status->setText(tr(DrawingHint));
    });
    connect(m_tools, &DrawingTools::editStarting, m_history, &CanvasHistory::begin);
    connect(m_tools, &DrawingTools::editFinished, m_history, &CanvasHistory::commit);
    connect(m_sizes, &SizeSelector::sizeChosen, this, &CanvasPanel::sizeChosen);
    connect(m_sizes, &SizeSelector::displayTypeChosen, this, [this](QChar type) { m_state.customDisplayType = type; });
    connect(m_sizes, &SizeSelector::sizeChosen, this, &CanvasPanel::settingsChanged);
    connect(m_sizes, &SizeSelector::displayTypeChosen, this, &CanvasPanel::settingsChanged);
    for (QComboBox *box : {m_column->penSizeBox(), m_area->zoomBox()})
        connect(box, &QComboBox::currentIndexChanged, this, &CanvasPanel::settingsChanged);
    connect(m_inverted, &QCheckBox::toggled, this, &CanvasPanel::settingsChanged);
}

QWidget *CanvasPanel::buildTools()
{
    m_column = new CanvasToolColumn(m_canvas, m_tools, m_history, m_dialog, this);
    m_inverted = m_column->invertedCheck();
    m_text = m_column->textControls();
    connect(m_text, &TextStampControls::fontChosen, this, &CanvasPanel::settingsChanged);
    connect(m_column->clearButton(), &QPushButton::clicked, this, &CanvasPanel::clearClicked);
    m_files = new BitmapFileActions(m_state, m_dialog, this);
    connect(m_column->loadButton(), &QPushButton::clicked, this, &CanvasPanel::loadClicked);
    connect(m_column->importButton(), &QPushButton::clicked, this,
            [this] { showLoaded(m_files->importFile(m_inverted->isChecked())); });
    connect(m_column->pasteButton(), &QPushButton::clicked, this,
            [this] { showLoaded(m_files->importClipboard(m_inverted->isChecked())); });
    connect(m_column->saveButton(), &QPushButton::clicked, this, [this] { m_files->save(m_canvas->image()); });
    return m_column;
}

QList<QWidget *> CanvasPanel::focusOrder() const
{
    return m_area->focusOrder() + m_editRow->focusOrder() + m_sizes->focusOrder() + m_column->controls();
}

QList<QWidget *> CanvasPanel::lockedWhileSending() const
{
    // Load writes its dump into the output window, which holds the echo.
    return {m_column->convertButton(), m_editRow, m_column->importButton(), m_column->pasteButton(),
            m_column->loadButton(), m_column->clearButton(), m_text->stampButton()};
}

QPushButton *CanvasPanel::convertButton() const
{
    return m_column->convertButton();
}

void CanvasPanel::startUp()
{
    m_column->startUp();
}

CanvasState CanvasPanel::currentState() const
{
    return {QSize(m_state.lcdWidth, m_state.lcdHeight), m_state.lcdSizeIndex, m_sizes->isLocked(),
            m_inverted->isEnabled()};
}

void CanvasPanel::restoreState(const CanvasState &state)
{
    m_restoring = true;
    m_sizes->showSize(state.sizeIndex, state.lcdSize);
    applySize(state.sizeIndex, state.lcdSize);
    m_sizes->setLocked(state.sizesLocked);
    m_inverted->setEnabled(state.invertedEnabled);
    m_restoring = false;
}

void CanvasPanel::clearClicked()
{
    m_history->perform([this] {
        m_canvas->clear();
        m_inverted->setEnabled(true);
        m_sizes->setLocked(false);
    });
    m_status->setText(tr(DrawingHint));
}

void CanvasPanel::applySize(int index, QSize size)
{
    m_state.lcdSizeIndex = qint16(index);
    m_state.lcdHeight = qint16(size.height());
    m_state.lcdWidth = qint16(size.width());
    m_canvas->setLcdSize(size.width(), size.height());
    m_area->applyZoom();
    m_editRow->updateButtons();
}

void CanvasPanel::sizeChosen(int index, QSize size)
{
    if (m_restoring)
        return;
    m_history->perform([&] { applySize(index, size); });
}

void CanvasPanel::showLoaded(const PictureLoad &load)
{
    if (load.outcome != PictureLoad::Outcome::Loaded)
        return;
    // The canvas shows the picture as its bytes will draw it: black is a set bit. With "Inverted"
    // unchecked the file's light pixels are the set bits, so they show black. An array's set bits
    // are black already.
    const QImage shown = m_inverted->isChecked() || load.layout ? load.picture : PictureOperations::inverted(load.picture);
    const QSize size = load.picture.size();
    const bool resized = size != QSize(m_state.lcdWidth, m_state.lcdHeight);
    m_history->perform([&] {
        // An array keeps its own size: the LCD takes it, a custom size unless it is one of the eight.
        if (resized) {
            m_sizes->showSize(LcdSizes::indexFor(size), size);
            applySize(LcdSizes::indexFor(size), size);
        }
        m_canvas->replaceAll(shown);
        // Only a file walked byte for byte ties the sizes (and its polarity) to hexGrid.
        m_inverted->setEnabled(load.placed);
        m_sizes->setLocked(!load.placed);
    });
    // After the picture is in place, whose change signal clears it: the canvas now shows the file.
    m_state.canvasShowsLoadedBitmap = !load.placed;
    if (resized)
        emit settingsChanged();
    if (load.layout)
        emit arrayLoaded(*load.layout);
    if (load.placed) {
        m_status->setText(load.report + QStringLiteral(". ") + tr(ConvertMakesBytes));
        emit pictureLoaded(QString());
    } else {
        m_status->setText(load.report + QStringLiteral(". ") + tr(ClearUnlocks));
        emit pictureLoaded(load.dump);
    }
}

void CanvasPanel::loadClicked()
{
    const PictureLoad load = m_files->load(m_inverted->isChecked());
    if (load.outcome == PictureLoad::Outcome::Loaded) {
        showLoaded(load);
        return;
    }
    // A cancelled dialog or a refused array file changes nothing.
    if (load.outcome != PictureLoad::Outcome::Failed)
        return;
    emit pictureLoaded(QString());
    // A refused file may have filled part of hexGrid: its bytes belong to this size until "Clear".
    m_sizes->setLocked(true);
    m_status->setText(tr(ClearUnlocks));
}

void CanvasPanel::saveSettings(SettingsStore &store) const
{
    const SettingsSchema &keys = SettingsSchema::keys();
    const LcdSize *offered = LcdSizes::byIndex(m_sizes->index());
    store.set(keys.lcdSize, offered ? QLatin1String(offered->caption) : QStringLiteral("custom"));
    store.set(keys.customWidth, m_sizes->lcdSize().width());
    store.set(keys.customHeight, m_sizes->lcdSize().height());
    store.set(keys.displayType, QString(m_sizes->displayType()));
    store.set(keys.penWidth, PenStroke::Widths.value(m_column->penSizeBox()->currentIndex(), 1));
    store.set(keys.inverted, m_inverted->isChecked());
    store.set(keys.zoom, m_area->zoomBox()->currentData());
    const QFont font = m_canvas->stampFont();
    store.set(keys.fontFamily, font.family());
    store.set(keys.fontSize, qRound(font.pointSizeF()));
}

void CanvasPanel::restoreSettings(const SettingsStore &store)
{
    const SettingsSchema &keys = SettingsSchema::keys();
    const auto size = store.text(keys.lcdSize);
    const auto width = store.integer(keys.customWidth);
    const auto height = store.integer(keys.customHeight);
    const LcdSize *offered = size ? LcdSizes::byCaption(*size) : nullptr;
    // A start-up choice, not an edit: nothing to undo.
    if (offered) {
        m_sizes->showSize(offered->index, QSize(offered->width, offered->height));
        applySize(offered->index, QSize(offered->width, offered->height));
    } else if (size && width && height) {
        m_sizes->showSize(LcdSizes::CustomIndex, QSize(*width, *height));
        applySize(LcdSizes::CustomIndex, QSize(*width, *height));
    }
    if (const auto type = store.text(keys.displayType))
        m_sizes->showDisplayType(type->at(0));
    if (const auto pen = store.text(keys.penWidth))
        m_column->penSizeBox()->setCurrentIndex(int(PenStroke::Widths.indexOf(pen->toInt())));
    if (const auto inverted = store.flag(keys.inverted))
        m_inverted->setChecked(*inverted);
    if (const auto zoom = store.integer(keys.zoom))
        m_area->zoomBox()->setCurrentIndex(m_area->zoomBox()->findData(*zoom));
    const auto family = store.text(keys.fontFamily);
    const auto points = store.integer(keys.fontSize);
    if (family && points) {
        QFont font(*family);
        font.setPointSizeF(*points);
        m_text->setFont(font);
    }
}
