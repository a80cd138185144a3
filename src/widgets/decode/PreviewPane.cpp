#include "widgets/decode/PreviewPane.h"

#include "logic/canvas/PictureFit.h"
#include "widgets/decode/LcdPictureView.h"
#include "widgets/decode/PreviewReport.h"
#include "widgets/ui/ControlNames.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QSpinBox>
#include <QVBoxLayout>

#include <iterator>

namespace {

struct ColourPreset
{
    const char *caption;
    QRgb lit;
    QRgb unlit;
};

// The first is the look of the common yellow-green STN panels.
const ColourPreset Presets[] = {
    {QT_TRANSLATE_NOOP("PreviewPane", "Green LCD"), qRgb(34, 42, 30), qRgb(178, 192, 160)},
    {QT_TRANSLATE_NOOP("PreviewPane", "Blue LCD"), qRgb(232, 238, 255), qRgb(38, 68, 186)},
    {QT_TRANSLATE_NOOP("PreviewPane", "Black on white"), qRgb(0, 0, 0), qRgb(255, 255, 255)},
};

// Differences in red: strong where the LCD lights a dot the canvas lacks,
// pale where it leaves one dark.
const QRgb MarkedLit = qRgb(210, 0, 0);
const QRgb MarkedUnlit = qRgb(255, 150, 150);

QLabel *captionFor(QWidget *control, const QString &caption, QWidget *parent)
{
    auto *label = new QLabel(caption, parent);
    label->setBuddy(control);
    control->setAccessibleName(caption);
    return label;
}

QLabel *valueLabel(const QString &name, const QString &description, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setAccessibleDescription(description);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace

PreviewPane::PreviewPane(QWidget *parent) : QWidget(parent)
{
    setObjectName(ControlNames::previewPane);
    setAccessibleName(QStringLiteral("Preview"));
    connect(&m_decoder, &PreviewDecoder::decoded, this, &PreviewPane::showDecoded);
    buildControls();
    applyPreset(0);
    decodeNow();
}

void PreviewPane::buildControls()
{
    m_zoom = new QSpinBox(this);
    m_zoom->setObjectName(ControlNames::previewZoom);
    m_zoom->setRange(0, 16);
    m_zoom->setSpecialValueText(tr("Fit"));
    m_zoom->setValue(0);
    m_zoom->setSuffix(QStringLiteral("x"));
    m_colourChoice = new QComboBox(this);
    m_colourChoice->setObjectName(ControlNames::previewColours);
    for (const ColourPreset &preset : Presets)
        m_colourChoice->addItem(tr(preset.caption));
    m_view = new LcdPictureView;
    m_view->setObjectName(ControlNames::previewPicture);
    m_view->setAccessibleName(tr("Preview picture"));
    auto *scroll = m_scroll = new QScrollArea(this);
    scroll->setWidget(m_view);
    scroll->setAlignment(Qt::AlignCenter);
    m_difference = valueLabel(ControlNames::previewDifference, tr("Differences from the canvas"), this);
    m_details = valueLabel(ControlNames::previewDetails, tr("Decoded text"), this);

    auto *controls = new QHBoxLayout;
    controls->addWidget(captionFor(m_zoom, tr("Zoom"), this));
    controls->addWidget(m_zoom);
    controls->addSpacing(12);
    controls->addWidget(captionFor(m_colourChoice, tr("Colours"), this));
    controls->addWidget(m_colourChoice);
    controls->addStretch();
    auto *layout = new QVBoxLayout(this);
    // It shares the window's bottom row: no room is spent on margins.
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    scroll->setMinimumHeight(40);
    layout->addLayout(controls);
    layout->addWidget(scroll, 1);
    layout->addWidget(m_difference);
    layout->addWidget(m_details);

    scroll->viewport()->installEventFilter(this);
    connect(m_zoom, &QSpinBox::valueChanged, this, &PreviewPane::applyZoom);
    connect(m_colourChoice, &QComboBox::currentIndexChanged, this, &PreviewPane::applyPreset);
}

void PreviewPane::applyPreset(int index)
{
    if (index < 0 || index >= int(std::size(Presets)))
        return;
    setColours(QColor(Presets[index].lit), QColor(Presets[index].unlit));
}

void PreviewPane::setColours(const QColor &lit, const QColor &unlit)
{
    m_colours = {lit.rgb(), unlit.rgb(), MarkedLit, MarkedUnlit};
    // Grid lines a shade off the unlit dots: visible, never mistaken for pixels.
    m_view->setGridColour(unlit.lightness() > 128 ? unlit.darker(125) : unlit.lighter(140));
    showResult();
}

QList<QWidget *> PreviewPane::focusOrder() const
{
    return {m_zoom, m_colourChoice};
}

void PreviewPane::setZoom(int zoom)
{
    m_zoom->setValue(zoom);
}

bool PreviewPane::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Resize && watched == m_scroll->viewport())
        applyZoom();
    return QWidget::eventFilter(watched, event);
}

// "Fit": whole-number zooms keep the dots square; a picture larger than
// the pane is shrunk instead.
void PreviewPane::applyZoom()
{
    if (m_zoom->value() > 0) {
        m_view->setZoom(m_zoom->value());
        return;
    }
    const double scale = PictureFit::scale(m_view->image().size(), m_scroll->viewport()->size(), m_zoom->maximum());
    if (scale > 0)
        m_view->setScale(scale);
}

void PreviewPane::setLcdGeometry(int width, int height, const MatrixLayout &layout)
{
    // The text was made for the geometry before: comparing it with the new one shows only the change.
    const LcdByteDecoder::Request &was = m_decoder.request();
    const bool changed = width != was.width || height != was.height || layout != was.layout;
    if (changed && !m_decoder.text().trimmed().isEmpty())
        m_notCompared = tr("Layout changed: Convert to update");
    m_decoder.setGeometry(width, height, layout);
    decodeNow();
}

void PreviewPane::setLcdGeometry(int width, int height, bool horizontal)
{
    setLcdGeometry(width, height, MatrixLayout::usual(horizontal));
}

void PreviewPane::setReference(const QImage &canvas)
{
    m_reference = canvas;
    showResult();
}

void PreviewPane::setText(const QString &text)
{
    m_notCompared.clear();
    m_decoder.setText(text);
}

void PreviewPane::decodeNow()
{
    m_decoder.decodeNow();
}

void PreviewPane::showDecoded()
{
    showResult();
    emit decoded();
}

void PreviewPane::showPictureDump(const QString &dump)
{
    if (dump.isEmpty())
        return;
    m_notCompared = tr("The output window holds the loaded file's bytes, not a conversion: Convert to compare");
    showResult();
}

const QImage &PreviewPane::shownImage() const
{
    return m_view->image();
}

void PreviewPane::showResult()
{
    if (!m_view)
        return;
    // Only a whole picture made for this geometry is held against the canvas.
    const LcdByteDecoder::Result &result = m_decoder.result();
    const bool compare = m_notCompared.isEmpty() && result.ok() && !m_decoder.text().trimmed().isEmpty();
    const PreviewImage::Result composed =
        PreviewImage::compose(result.picture, compare ? m_reference : QImage(), m_colours);
    m_differing = composed.differing;
    const bool resized = composed.image.size() != m_view->image().size();
    m_view->setImage(composed.image);
    if (resized)
        applyZoom();
    m_difference->setText(PreviewReport::difference(m_decoder, m_notCompared, m_reference, m_differing));
    m_difference->setHidden(m_difference->text().isEmpty());
    m_details->setText(PreviewReport::details(m_decoder));
}
