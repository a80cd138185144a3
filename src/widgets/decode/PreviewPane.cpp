#include "widgets/decode/PreviewPane.h"

#include <QtConcurrent/QtConcurrentRun>

#include "logic/canvas/PictureFit.h"
#include "logic/convert/ControllerProfiles.h"
#include "widgets/decode/LcdPictureView.h"
#include "logic/decode/SendStreamDecoder.h"
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
    m_idle.setSingleShot(true);
    m_idle.setInterval(IdleDelayMs);
    connect(&m_idle, &QTimer::timeout, this, &PreviewPane::decodeInBackground);
    connect(&m_decoding, &QFutureWatcher<LcdByteDecoder::Result>::finished, this, &PreviewPane::backgroundDecoded);
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
    const bool changed = width != m_request.width || height != m_request.height || layout != m_request.layout();
    if (changed && !m_text.trimmed().isEmpty())
        m_notCompared = tr("Layout changed: Convert to update");
    m_request.width = width;
    m_request.height = height;
    m_request.setLayout(layout);
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
    // A key or two soon after the last change is typing; Convert, Reformat
    // and a paste change more.
    const bool typing = m_sinceText.isValid() && m_sinceText.elapsed() < IdleDelayMs
        && qAbs(text.size() - m_text.size()) <= 2;
    m_text = text;
    m_notCompared.clear();
    m_sinceText.start();
    if (m_decoding.isRunning())
        m_textChangedWhileDecoding = true;
    else if (typing || m_idle.isActive())
        m_idle.start();
    else
        decodeInBackground();
}

void PreviewPane::decodeNow()
{
    m_idle.stop();
    ++m_generation;
    m_request.stream = SendStreamDecoder::looksLikeStream(m_text);
    m_result = LcdByteDecoder::decode(m_text, m_request);
    showResult();
    emit decoded();
}

// A 1024x1024 text takes a good part of a second to decode: the window
// keeps answering meanwhile.
void PreviewPane::decodeInBackground()
{
    m_idle.stop();
    if (m_decoding.isRunning()) {
        m_textChangedWhileDecoding = true;
        return;
    }
    m_textChangedWhileDecoding = false;
    m_decodingGeneration = ++m_generation;
    LcdByteDecoder::Request request = m_request;
    request.stream = SendStreamDecoder::looksLikeStream(m_text);
    m_decoding.setFuture(QtConcurrent::run([text = m_text, request] { return LcdByteDecoder::decode(text, request); }));
}

void PreviewPane::backgroundDecoded()
{
    if (m_textChangedWhileDecoding) {
        decodeInBackground();
        return;
    }
    if (m_decodingGeneration != m_generation)
        return; // decoded since, with what is current
    m_request.stream = SendStreamDecoder::looksLikeStream(m_text);
    m_result = m_decoding.result();
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
    const bool compare = m_notCompared.isEmpty() && m_result.ok() && !m_text.trimmed().isEmpty();
    const PreviewImage::Result composed =
        PreviewImage::compose(m_result.picture, compare ? m_reference : QImage(), m_colours);
    m_differing = composed.differing;
    const bool resized = composed.image.size() != m_view->image().size();
    m_view->setImage(composed.image);
    if (resized)
        applyZoom();
    m_difference->setText(differenceText());
    m_difference->setHidden(m_difference->text().isEmpty());
    m_details->setText(detailsText());
}

QString PreviewPane::differenceText() const
{
    // With no text the details say so; anything here would contradict them.
    if (m_text.trimmed().isEmpty())
        return QString();
    if (!m_notCompared.isEmpty())
        return m_notCompared;
    if (!m_result.ok())
        return tr("Not compared with the canvas");
    if (m_reference.isNull())
        return tr("No canvas picture to compare with");
    if (m_differing < 0)
        return tr("Not compared: the canvas is %1x%2, the preview %3x%4")
            .arg(m_reference.width()).arg(m_reference.height()).arg(m_request.width).arg(m_request.height);
    if (m_differing == 0)
        return tr("Same as the canvas");
    return m_differing == 1 ? tr("1 pixel differs from the canvas (red)")
                            : tr("%1 pixels differ from the canvas (red)").arg(m_differing);
}

QString PreviewPane::detailsText() const
{
    if (m_text.trimmed().isEmpty())
        return tr("No text to preview");
    QStringList lines;
    if (m_result.headerRead)
        lines << m_result.header.words();
    if (m_result.error.isSet())
        lines << tr("Cannot decode: %1").arg(m_result.error.message());
    else if (!m_result.countError.isEmpty())
        lines << m_result.countError;
    else
        lines << tr("%1 bytes, %2x%3, %4")
                     .arg(m_result.bytes.size())
                     .arg(m_request.width)
                     .arg(m_request.height)
                     .arg(layoutText());
    return lines.join(QLatin1Char('\n'));
}

// The packing, with the profile or the orders when they are not its usual ones.
QString PreviewPane::layoutText() const
{
    const MatrixLayout layout = m_request.layout();
    if (layout == MatrixLayout::usual(layout.horizontal))
        return layout.horizontal ? tr("horizontal (T6963C, SED1330)") : tr("vertical (KS0108)");
    const QString packing = layout.horizontal ? tr("horizontal") : tr("vertical");
    if (const ControllerProfile *profile = ControllerProfiles::byLayout(layout))
        return QStringLiteral("%1 (%2)").arg(packing, profile->caption);
    QString text = packing + QLatin1String(", ") + MatrixLayout::bitOrderCaption(layout.horizontal, layout.bitOrder);
    if (!layout.horizontal)
        text += QLatin1String(", ") + MatrixLayout::scanCaption(layout.scan).toLower();
    return text;
}
