#include "widgets/canvas/CanvasPanel.h"
#include "widgets/ui/ControlNames.h"

#include "logic/core/SettingsStore.h"
#include "logic/settings/SettingsSchema.h"
#include "logic/core/AppState.h"
#include "widgets/ui/FileAndFontPrompts.h"
#include "widgets/ui/ControlFactory.h"
#include "widgets/canvas/BitmapFileActions.h"
#include "widgets/canvas/CanvasHistory.h"
#include "widgets/canvas/DrawingTools.h"
#include "logic/canvas/LcdSizes.h"
#include "logic/canvas/PenStroke.h"
#include "logic/canvas/PictureOperations.h"
#include "widgets/canvas/PixelCanvas.h"
#include "widgets/canvas/SizeSelector.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFontInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {
// The canvas's room at start-up; "Fit" uses whatever room the window gives it.
const QSize CanvasViewport(644, 404);
const char *DrawingHint = QT_TRANSLATE_NOOP("CanvasPanel", "Draw with the left mouse button; the right one erases.");
const char *ClearUnlocks = QT_TRANSLATE_NOOP("CanvasPanel", "\"Clear\" unlocks the LCD sizes.");
} // namespace

CanvasPanel::CanvasPanel(AppState &state, FileAndFontPrompts &dialog, QWidget *parent)
    : QGroupBox(tr("Graphic"), parent), m_state(state), m_dialog(dialog)
{
    setObjectName(QStringLiteral("fraGraphic"));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 2, 6, 2);
    layout->addWidget(buildCanvasArea(), 1);
    auto *side = new QVBoxLayout;
    m_sizes = new SizeSelector(this);
    side->addWidget(m_sizes);
    side->addWidget(buildTools());
    side->addStretch();
    layout->addLayout(side);
    m_history = new CanvasHistory(
        m_canvas, [this] { return currentState(); }, [this](const CanvasState &s) { restoreState(s); }, this);
    connectCanvas();
    updateEditButtons();
    showFontInUse();
}

void CanvasPanel::connectCanvas()
{
    connect(m_canvas, &PixelCanvas::pressed, this, [this](QPoint point, Qt::MouseButton button) {
        pointerAt(point);
        m_tools->press(point, button);
    });
    connect(m_canvas, &PixelCanvas::moved, this, [this](QPoint point) {
        pointerAt(point);
        m_tools->move(point);
    });
    connect(m_canvas, &PixelCanvas::released, this, [this](QPoint point) {
        m_tools->release(point);
    });
    connect(m_canvas, &PixelCanvas::pointerLeft, m_position, &QLabel::hide);
    connect(m_canvas, &PixelCanvas::shiftRequested, this, &CanvasPanel::shift);
    connect(m_canvas, &PixelCanvas::changed, this, [this] {
        // Anything that changes the picture means it no longer is the loaded file.
        m_state.canvasShowsLoadedBitmap = false;
        m_tools->refreshPreview();
    });
    connect(m_tools, &DrawingTools::editStarting, m_history, &CanvasHistory::begin);
    connect(m_tools, &DrawingTools::editFinished, m_history, &CanvasHistory::commit);
    connect(m_history, &CanvasHistory::availabilityChanged, this, &CanvasPanel::updateEditButtons);
    connect(m_sizes, &SizeSelector::sizeChosen, this, &CanvasPanel::sizeChosen);
    connect(m_sizes, &SizeSelector::displayTypeChosen, this, [this](QChar type) { m_state.customDisplayType = type; });
    connect(m_sizes, &SizeSelector::sizeChosen, this, &CanvasPanel::settingsChanged);
    connect(m_sizes, &SizeSelector::displayTypeChosen, this, &CanvasPanel::settingsChanged);
    for (QComboBox *box : {m_penSize, m_zoom})
        connect(box, &QComboBox::currentIndexChanged, this, &CanvasPanel::settingsChanged);
    connect(m_inverted, &QCheckBox::toggled, this, &CanvasPanel::settingsChanged);
}

QWidget *CanvasPanel::buildCanvasArea()
{
    auto *area = new QWidget(this);
    auto *layout = new QVBoxLayout(area);
    layout->setContentsMargins(0, 0, 0, 0);
    m_scroll = new QScrollArea(area);
    m_scroll->setObjectName(QStringLiteral("scrCanvas"));
    m_scroll->setMinimumSize(CanvasViewport + QSize(4, 4));
    m_scroll->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    m_scroll->setAlignment(Qt::AlignCenter);
    // The canvas takes the keys (arrows shift the picture); the scroll bars follow the mouse.
    m_scroll->setFocusPolicy(Qt::NoFocus);
    m_canvas = new PixelCanvas;
    m_canvas->setObjectName(QString(ControlNames::pixelCanvas));
    m_canvas->setAccessibleName(tr("Canvas"));
    m_canvas->setAccessibleDescription(tr("Arrow keys move the picture by one pixel"));
    m_scroll->setWidget(m_canvas);
    m_scroll->setAccessibleName(tr("Canvas"));
    m_scroll->installEventFilter(this);
    layout->addWidget(m_scroll, 1);
    m_tools = new DrawingTools(m_canvas, this);

    auto *zoomRow = new QHBoxLayout;
    m_zoom = new QComboBox(area);
    m_zoom->setObjectName(QStringLiteral("cboZoom"));
    m_zoom->addItem(tr("Fit"), 0);
    for (int zoom = 1; zoom <= 8; ++zoom)
        m_zoom->addItem(QStringLiteral("%1:1").arg(zoom), zoom);
    zoomRow->addWidget(Controls::label(area, QStringLiteral("lblZoom"), tr("Zoom"), m_zoom));
    zoomRow->addWidget(m_zoom);
    m_tool = new QComboBox(area);
    m_tool->setObjectName(QStringLiteral("cboTool"));
    m_tool->addItems(DrawingTools::captions());
    zoomRow->addWidget(Controls::label(area, QStringLiteral("lblTool"), tr("Tool"), m_tool));
    zoomRow->addWidget(m_tool);
    zoomRow->addStretch();
    m_position = Controls::valueLabel(area, QStringLiteral("lblxy"), tr("X,Y Position"), tr("Pointer position"));
    m_position->setMinimumWidth(110);
    m_position->hide();
    zoomRow->addWidget(m_position);
    layout->addLayout(zoomRow);
    layout->addWidget(buildEditRow(area));
    m_status = Controls::valueLabel(area, QStringLiteral("lblStatus"), tr(DrawingHint), tr("Canvas status"));
    m_status->setWordWrap(true);
    layout->addWidget(m_status);
    connect(m_zoom, &QComboBox::currentIndexChanged, this, [this] { applyZoom(); });
    connect(m_tool, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_tools->setTool(DrawingTools::Tool(index)); });
    applyZoom();
    return area;
}

QWidget *CanvasPanel::buildEditRow(QWidget *parent)
{
    // One container, so a send can lock the row while each button keeps its own state.
    m_editRow = new QWidget(parent);
    auto *row = new QHBoxLayout(m_editRow);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(3);
    const auto add = [this, row](const char *name, const QString &caption, const QString &description,
                                 const std::function<void()> &handler) {
        auto *button = Controls::button(m_editRow, QLatin1String(name), caption);
        button->setAccessibleDescription(description);
        button->setToolTip(description);
        connect(button, &QPushButton::clicked, this, handler);
        row->addWidget(button);
        m_editButtons << button;
        return button;
    };
    m_undo = add("cmdUndo", tr("Undo"), tr("Undo the last change of the picture (Ctrl+Z)"), [this] { undo(); });
    m_redo = add("cmdRedo", tr("Redo"), tr("Redo what was undone (Ctrl+Shift+Z)"), [this] { redo(); });
    m_undo->setShortcut(QKeySequence::Undo);
    m_redo->setShortcut(QKeySequence(tr("Ctrl+Shift+Z")));
    add("cmdInvertPicture", tr("Invert"), tr("Swap black and white in the picture"),
        [this] { transform(&PictureOperations::inverted); });
    add("cmdFlipH", tr("Flip H"), tr("Mirror the picture left to right"),
        [this] { transform(&PictureOperations::flippedHorizontally); });
    add("cmdFlipV", tr("Flip V"), tr("Mirror the picture top to bottom"),
        [this] { transform(&PictureOperations::flippedVertically); });
    add(ControlNames::rotate180Button, tr("Rotate 180"), tr("Turn the picture upside down"),
        [this] { transform(&PictureOperations::rotated180); });
    m_rotate90 = add(ControlNames::rotate90Button, tr("Rotate 90"), tr("Turn a square picture a quarter clockwise"),
                     [this] { transform(&PictureOperations::rotated90); });
    row->addStretch();
    return m_editRow;
}

QWidget *CanvasPanel::buildTools()
{
    auto *box = new QWidget(this);
    auto *grid = new QGridLayout(box);
    grid->setContentsMargins(0, 4, 0, 0);
    grid->setVerticalSpacing(3);

    m_penSize = new QComboBox(box);
    m_penSize->setObjectName(QString(ControlNames::penSizeBox));
    for (int width : PenStroke::Widths)
        m_penSize->addItem(QStringLiteral("x%1").arg(width));
    grid->addWidget(Controls::label(box, ControlNames::penSizeLabel, tr("Pen Size"), m_penSize), 0, 0);
    grid->addWidget(m_penSize, 0, 1);
    connect(m_penSize, &QComboBox::currentIndexChanged, this, &CanvasPanel::penSizeClicked);

    auto *draw = Controls::button(box, ControlNames::drawButton, tr("Draw"));
    auto *erase = Controls::button(box, ControlNames::eraseButton, tr("Erase"));
    auto *clear = Controls::button(box, ControlNames::clearCanvasButton, tr("Clear"));
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
    m_text->setToolTip(tr("Enter stamps the text; the Text tool places it with a click"));
    grid->addWidget(m_text, 3, 0, 1, 2);
    auto *font = Controls::button(box, QStringLiteral("cmdfont"), tr("Font"));
    auto *text = Controls::button(box, QStringLiteral("cmdtext"), tr("Text"));
    grid->addWidget(font, 4, 0);
    grid->addWidget(text, 4, 1);
    m_fontInUse = Controls::valueLabel(box, QStringLiteral("lblFont"), QString(), tr("Font in use"));
    grid->addWidget(m_fontInUse, 5, 0, 1, 2);
    auto *load = Controls::button(box, ControlNames::loadPictureButton, tr("Load"));
    auto *save = Controls::button(box, ControlNames::savePictureButton, tr("Save"));
    save->setAccessibleDescription(tr("Saves the picture as a bitmap or PNG"));
    grid->addWidget(load, 6, 0);
    grid->addWidget(save, 6, 1);
    m_import = Controls::button(box, QStringLiteral("cmdImport"), tr("Import"));
    m_import->setAccessibleDescription(tr("Loads any picture with placement, threshold and dithering"));
    m_paste = Controls::button(box, QStringLiteral("cmdPaste"), tr("Paste Picture"));
    m_paste->setAccessibleDescription(tr("Imports the clipboard's picture"));
    grid->addWidget(m_import, 7, 0);
    grid->addWidget(m_paste, 7, 1);
    m_convert = Controls::button(box, ControlNames::convertButton, tr("Convert"));
    grid->addWidget(m_convert, 8, 0, 1, 2);
    m_load = load;
    m_clear = clear;
    m_stamp = text;
    m_sideControls = {m_penSize, draw, erase, clear, m_inverted, m_text, font, text, load, save, m_import, m_paste,
                      m_convert};
    m_files = new BitmapFileActions(m_state, m_dialog, this);
    connect(font, &QPushButton::clicked, this, &CanvasPanel::fontClicked);
    connect(text, &QPushButton::clicked, this, &CanvasPanel::textClicked);
    connect(m_text, &QLineEdit::returnPressed, this, &CanvasPanel::textClicked);
    connect(m_text, &QLineEdit::textChanged, m_tools, &DrawingTools::setText);
    // The text shows where it would land while it is typed.
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget *, QWidget *now) { m_tools->setTextPreviewWanted(now == m_text); });
    connect(load, &QPushButton::clicked, this, &CanvasPanel::loadClicked);
    connect(m_import, &QPushButton::clicked, this, &CanvasPanel::importClicked);
    connect(m_paste, &QPushButton::clicked, this, &CanvasPanel::pasteClicked);
    connect(save, &QPushButton::clicked, this, [this] { m_files->save(m_canvas->image()); });
    return box;
}

QList<QWidget *> CanvasPanel::focusOrder() const
{
    QList<QWidget *> order = {m_canvas, m_zoom, m_tool};
    return order + m_editButtons + m_sizes->focusOrder() + m_sideControls;
}

QList<QWidget *> CanvasPanel::lockedWhileSending() const
{
    // Load writes its dump into the output window, which holds the echo.
    return {m_convert, m_editRow, m_import, m_paste, m_load, m_clear, m_stamp};
}

void CanvasPanel::startUp()
{
    m_penSize->setCurrentIndex(0);
    penSizeClicked(0);
}

bool CanvasPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_scroll && event->type() == QEvent::Resize)
        applyZoom();
    return QGroupBox::eventFilter(watched, event);
}

void CanvasPanel::applyZoom()
{
    int zoom = m_zoom->currentData().toInt();
    if (zoom == 0) {
        const QSize room = m_scroll->isVisible() ? m_scroll->maximumViewportSize() : CanvasViewport;
        const QSize lcd = m_canvas->image().size();
        zoom = qMax(1, qMin(room.width() / lcd.width(), room.height() / lcd.height()));
    }
    m_canvas->setZoom(zoom);
}

CanvasState CanvasPanel::currentState() const
{
    return {QSize(m_state.lcdWidth, m_state.lcdHeight), m_state.lcdSizeIndex, m_state.pictureLightIsSet,
            m_sizes->isLocked(), m_inverted->isEnabled()};
}

void CanvasPanel::restoreState(const CanvasState &state)
{
    m_restoring = true;
    m_sizes->showSize(state.sizeIndex, state.lcdSize);
    applySize(state.sizeIndex, state.lcdSize);
    m_sizes->setLocked(state.sizesLocked);
    m_inverted->setEnabled(state.invertedEnabled);
    m_state.pictureLightIsSet = state.lightIsSet;
    m_restoring = false;
}

void CanvasPanel::updateEditButtons()
{
    m_undo->setEnabled(m_history->canUndo());
    m_redo->setEnabled(m_history->canRedo());
    m_rotate90->setEnabled(m_state.lcdWidth == m_state.lcdHeight);
}

void CanvasPanel::pointerAt(QPoint lcdPoint)
{
    m_position->setText(QStringLiteral("X:%1 Y:%2").arg(lcdPoint.x()).arg(lcdPoint.y()));
    m_position->show();
}

void CanvasPanel::clearClicked()
{
    m_history->perform([this] {
        m_canvas->clear();
        m_inverted->setEnabled(true);
        m_sizes->setLocked(false);
        m_state.pictureLightIsSet = false;
    });
    m_status->setText(tr(DrawingHint));
}

void CanvasPanel::eraseClicked()
{
    m_canvas->setDrawColour(qRgb(255, 255, 255));
    m_inverted->setEnabled(true);
    m_tools->refreshPreview();
}

void CanvasPanel::drawClicked()
{
    m_canvas->setDrawColour(qRgb(0, 0, 0));
    m_tools->refreshPreview();
}

void CanvasPanel::penSizeClicked(int index)
{
    if (index >= 0 && index < PenStroke::Widths.size())
        m_canvas->setPenWidth(PenStroke::Widths.at(index));
}

void CanvasPanel::applySize(int index, QSize size)
{
    m_state.lcdSizeIndex = qint16(index);
    m_state.lcdHeight = qint16(size.height());
    m_state.lcdWidth = qint16(size.width());
    m_canvas->setLcdSize(size.width(), size.height());
    applyZoom();
    updateEditButtons();
}

void CanvasPanel::sizeChosen(int index, QSize size)
{
    if (m_restoring)
        return;
    m_history->perform([&] { applySize(index, size); });
}

void CanvasPanel::fontClicked()
{
    FileAndFontPrompts *dialog = &m_dialog;
    dialog->flags = 3; // screen and printer fonts
    // The dialog opens on the font in use.
    const QFont current = m_canvas->stampFont();
    dialog->fontName = QFontInfo(current).family();
    dialog->fontSize = current.pointSizeF();
    dialog->fontBold = current.bold();
    dialog->fontItalic = current.italic();
    if (!dialog->showFont())
        return;
    QFont font(dialog->fontName);
    if (dialog->fontSize > 0)
        font.setPointSizeF(dialog->fontSize);
    font.setBold(dialog->fontBold);
    font.setItalic(dialog->fontItalic);
    m_canvas->setStampFont(font);
    showFontInUse();
    m_tools->refreshPreview();
    emit settingsChanged();
}

void CanvasPanel::showFontInUse()
{
    const QFont font = m_canvas->stampFont();
    QString text = tr("%1 %2 pt").arg(QFontInfo(font).family()).arg(font.pointSizeF());
    if (font.bold())
        text += tr(", bold");
    if (font.italic())
        text += tr(", italic");
    m_fontInUse->setText(text);
}

void CanvasPanel::textClicked()
{
    m_history->perform([this] { m_canvas->stampText(m_text->text()); });
}

void CanvasPanel::showLoaded(const PictureLoad &load)
{
    m_history->perform([&] {
        m_canvas->replaceAll(load.picture);
        m_state.pictureLightIsSet = !m_inverted->isChecked();
        m_inverted->setEnabled(false);
        m_sizes->setLocked(true);
    });
    // After the picture is in place, whose change signal clears it: the canvas now shows the file.
    m_state.canvasShowsLoadedBitmap = true;
    m_status->setText(load.report + QStringLiteral(". ") + tr(ClearUnlocks));
    emit outputTextReplaced(load.dump);
}

void CanvasPanel::loadClicked()
{
    const PictureLoad load = m_files->load(m_inverted->isChecked());
    if (load.outcome == PictureLoad::Outcome::Loaded) {
        showLoaded(load);
        return;
    }
    emit outputTextReplaced(QString());
    if (load.outcome == PictureLoad::Outcome::Cancelled)
        m_inverted->setEnabled(false);
    // Whatever the load did: hexGrid's bytes belong to this size until "Clear".
    m_sizes->setLocked(true);
    m_status->setText(tr(ClearUnlocks));
}

void CanvasPanel::importClicked()
{
    const PictureLoad load = m_files->importFile(m_inverted->isChecked());
    if (load.outcome == PictureLoad::Outcome::Loaded)
        showLoaded(load);
}

void CanvasPanel::pasteClicked()
{
    const PictureLoad load = m_files->importClipboard(m_inverted->isChecked());
    if (load.outcome == PictureLoad::Outcome::Loaded)
        showLoaded(load);
}

void CanvasPanel::transform(QImage (*operation)(const QImage &))
{
    m_history->perform([&] { m_canvas->setImage(operation(m_canvas->image())); });
}

void CanvasPanel::shift(int dx, int dy)
{
    m_history->perform([&] { m_canvas->setImage(PictureOperations::shifted(m_canvas->image(), dx, dy)); });
}

void CanvasPanel::undo()
{
    m_history->undo();
}

void CanvasPanel::redo()
{
    m_history->redo();
}

void CanvasPanel::saveSettings(SettingsStore &store) const
{
    const SettingsSchema &keys = SettingsSchema::keys();
    const LcdSize *offered = LcdSizes::byIndex(m_sizes->index());
    store.set(keys.lcdSize, offered ? QLatin1String(offered->caption) : QStringLiteral("custom"));
    store.set(keys.customWidth, m_sizes->lcdSize().width());
    store.set(keys.customHeight, m_sizes->lcdSize().height());
    store.set(keys.displayType, QString(m_sizes->displayType()));
    store.set(keys.penWidth, PenStroke::Widths.value(m_penSize->currentIndex(), 1));
    store.set(keys.inverted, m_inverted->isChecked());
    store.set(keys.zoom, m_zoom->currentData());
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
        m_penSize->setCurrentIndex(int(PenStroke::Widths.indexOf(pen->toInt())));
    if (const auto inverted = store.flag(keys.inverted))
        m_inverted->setChecked(*inverted);
    if (const auto zoom = store.integer(keys.zoom))
        m_zoom->setCurrentIndex(m_zoom->findData(*zoom));
    const auto family = store.text(keys.fontFamily);
    const auto points = store.integer(keys.fontSize);
    if (family && points) {
        QFont font(*family);
        font.setPointSizeF(*points);
        m_canvas->setStampFont(font);
        showFontInUse();
    }
}
