#include "widgets/canvas/ImportDialog.h"

#include "logic/canvas/ImportPipeline.h"
#include "widgets/ui/ControlFactory.h"
#include "widgets/ui/ControlNames.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPixmap>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {
const QSize PreviewRoom(640, 400);

std::function<bool(ImportDialog &)> &answerer()
{
    static std::function<bool(ImportDialog &)> instance;
    return instance;
}
} // namespace

ImportDialog::ImportDialog(const QImage &source, QSize lcd, const QString &name, const ImportSettings &initial,
                           QWidget *parent)
    : QDialog(parent), m_source(source), m_lcd(lcd)
{
    setObjectName(ControlNames::importDialog);
    setWindowTitle(tr("Import Picture"));
    buildControls(tr("%1 is %2x%3; the LCD is %4x%5.")
                      .arg(name)
                      .arg(source.width())
                      .arg(source.height())
                      .arg(lcd.width())
                      .arg(lcd.height()));
    showSettings(initial);
    refresh();
}

void ImportDialog::setAnswerer(std::function<bool(ImportDialog &)> newAnswerer)
{
    answerer() = std::move(newAnswerer);
}

bool ImportDialog::ask(QWidget *parent, const QImage &source, QSize lcd, const QString &name,
                       ImportSettings &settings, QImage *result)
{
    ImportDialog dialog(source, lcd, name, settings, parent);
    const bool accepted = answerer() ? answerer()(dialog) : dialog.exec() == QDialog::Accepted;
    if (!accepted)
        return false;
    settings = dialog.settings();
    *result = dialog.result();
    return true;
}

void ImportDialog::buildControls(const QString &caption)
{
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Controls::valueLabel(this, ControlNames::importSourceLabel, caption, tr("Picture size")));
    auto *grid = new QGridLayout;
    const auto combo = [this](const char *name, const QStringList &items) {
        auto *box = new QComboBox(this);
        box->setObjectName(QLatin1String(name));
        box->addItems(items);
        connect(box, &QComboBox::currentIndexChanged, this, &ImportDialog::refresh);
        return box;
    };
    m_placement = combo(ControlNames::placementBox, {tr("Top-left, cut off"), tr("Centred"), tr("Fit inside"),
                                         tr("Fill, cut off"), tr("Stretch")});
    m_dither = combo(ControlNames::ditherBox, {tr("None"), tr("Floyd-Steinberg"), tr("Atkinson"), tr("Bayer 4x4")});
    m_rotation =
        combo(ControlNames::rotationBox, {tr("None"), tr("90° clockwise"), tr("180°"), tr("270° clockwise")});
    m_threshold = new QSpinBox(this);
    m_threshold->setObjectName(ControlNames::thresholdBox);
    m_threshold->setRange(0, 255);
    connect(m_threshold, &QSpinBox::valueChanged, this, &ImportDialog::refresh);
    m_invert = Controls::checkBox(this, ControlNames::importInvertCheck, tr("Invert"));
    m_flipHorizontal = Controls::checkBox(this, ControlNames::importFlipHorizontalCheck, tr("Flip horizontally"));
    m_flipVertical = Controls::checkBox(this, ControlNames::importFlipVerticalCheck, tr("Flip vertically"));
    for (QCheckBox *box : {m_invert, m_flipHorizontal, m_flipVertical})
        connect(box, &QCheckBox::toggled, this, &ImportDialog::refresh);
    int row = 0;
    for (const auto &[name, caption, control] :
         {std::tuple<const char *, QString, QWidget *>{ControlNames::placementLabel, tr("Placement"), m_placement},
          {ControlNames::thresholdLabel, tr("Threshold"), m_threshold},
          {ControlNames::ditherLabel, tr("Dithering"), m_dither},
          {ControlNames::rotationLabel, tr("Rotate"), m_rotation}}) {
        grid->addWidget(Controls::label(this, QLatin1String(name), caption, control), row, 0);
        grid->addWidget(control, row++, 1);
    }
    grid->addWidget(m_invert, 0, 2);
    grid->addWidget(m_flipHorizontal, 1, 2);
    grid->addWidget(m_flipVertical, 2, 2);
    layout->addLayout(grid);
    m_preview = new QLabel(this);
    m_preview->setObjectName(ControlNames::importPreview);
    m_preview->setAccessibleName(tr("Preview"));
    m_preview->setAccessibleDescription(tr("The picture as it will stand on the canvas"));
    m_preview->setAlignment(Qt::AlignCenter);
    m_preview->setFrameShape(QFrame::Box); // where the LCD ends
    layout->addWidget(m_preview, 1);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void ImportDialog::showSettings(const ImportSettings &settings)
{
    const QSignalBlocker blockers[] = {QSignalBlocker(m_placement), QSignalBlocker(m_threshold),
                                       QSignalBlocker(m_dither),    QSignalBlocker(m_invert),
                                       QSignalBlocker(m_rotation),  QSignalBlocker(m_flipHorizontal),
                                       QSignalBlocker(m_flipVertical)};
    m_placement->setCurrentIndex(int(settings.placement));
    m_threshold->setValue(settings.threshold);
    m_dither->setCurrentIndex(int(settings.dither));
    m_invert->setChecked(settings.invert);
    m_rotation->setCurrentIndex(settings.rotation / 90 % 4);
    m_flipHorizontal->setChecked(settings.flipHorizontal);
    m_flipVertical->setChecked(settings.flipVertical);
}

ImportSettings ImportDialog::settings() const
{
    ImportSettings settings;
    settings.placement = ImportSettings::Placement(m_placement->currentIndex());
    settings.threshold = m_threshold->value();
    settings.dither = ImportSettings::Dither(m_dither->currentIndex());
    settings.invert = m_invert->isChecked();
    settings.rotation = m_rotation->currentIndex() * 90;
    settings.flipHorizontal = m_flipHorizontal->isChecked();
    settings.flipVertical = m_flipVertical->isChecked();
    return settings;
}

void ImportDialog::refresh()
{
    const ImportSettings now = settings();
    // Luminance and turning cost the most: redo them only when their settings change.
    if (m_prepared.isNull() || now.invert != m_preparedFor.invert || now.rotation != m_preparedFor.rotation
        || now.flipHorizontal != m_preparedFor.flipHorizontal || now.flipVertical != m_preparedFor.flipVertical) {
        m_prepared = ImportPipeline::prepared(m_source, now);
        m_preparedFor = now;
    }
    m_result = ImportPipeline::finished(m_prepared, m_lcd, now);
    // Whole LCD pixels as squares where they fit; a large LCD is shown smaller.
    const int zoom = qMax(1, qMin(PreviewRoom.width() / m_lcd.width(), PreviewRoom.height() / m_lcd.height()));
    QImage shown = m_result.scaled(m_lcd * zoom);
    if (shown.width() > PreviewRoom.width() || shown.height() > PreviewRoom.height())
        shown = shown.scaled(PreviewRoom, Qt::KeepAspectRatio);
    m_preview->setPixmap(QPixmap::fromImage(shown));
}
