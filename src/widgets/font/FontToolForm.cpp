#include "widgets/font/FontToolForm.h"

#include "logic/convert/ControllerProfiles.h"
#include "logic/export/ExportTemplates.h"
#include "logic/font/CharacterList.h"
#include "logic/font/FontFileWriter.h"
#include "widgets/ui/ControlFactory.h"
#include "widgets/ui/FontToolNames.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>

namespace {

template <typename T>
T *named(T *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

} // namespace

FontToolForm::FontToolForm(QWidget *parent) : QWidget(parent)
{
    auto *form = new QFormLayout(this);
    form->setContentsMargins(0, 0, 0, 0);
    form->setVerticalSpacing(3);
    addSourceRows(form);
    addShapeRows(form);
    addFileRows(form);
}

void FontToolForm::addSourceRows(QFormLayout *form)
{
    m_family = named(new QComboBox(this), FontToolNames::fontFamily);
    m_family->addItems(FontSources::installedFamilies());
    const int dejaVu = m_family->findText(QStringLiteral("DejaVu Sans Mono"));
    m_family->setCurrentIndex(qMax(dejaVu, 0));
    auto *open = Controls::button(this, FontToolNames::fontFileButton, tr("Font &File..."));
    m_fileShown = Controls::valueLabel(this, FontToolNames::fontFileShown, tr("(installed font)"), tr("Font file"));
    m_style = named(new QComboBox(this), FontToolNames::fontStyle);
    m_size = named(new QSpinBox(this), FontToolNames::fontPixelSize);
    m_size->setRange(FontSources::SmallestPixelSize, FontSources::LargestPixelSize);
    m_size->setValue(16);
    m_size->setSuffix(tr(" px"));
    m_hinting = named(new QComboBox(this), FontToolNames::fontHinting);
    m_hinting->addItems({tr("Default"), tr("None"), tr("Vertical"), tr("Full")});
    m_hinting->setCurrentIndex(int(FontSource::Hinting::Full));
    m_bold = Controls::checkBox(this, FontToolNames::fontBold, tr("&Bold (emboldened when the font has none)"));
    form->addRow(Controls::label(this, FontToolNames::fontFamilyLabel, tr("Installed &font:"), m_family), m_family);
    form->addRow(open, m_fileShown);
    form->addRow(Controls::label(this, FontToolNames::fontStyleLabel, tr("St&yle:"), m_style), m_style);
    form->addRow(Controls::label(this, FontToolNames::fontPixelSizeLabel, tr("Pixel si&ze:"), m_size), m_size);
    form->addRow(Controls::label(this, FontToolNames::fontHintingLabel, tr("&Hinting:"), m_hinting), m_hinting);
    form->addRow(m_bold);
    familyChosen();
    connect(open, &QPushButton::clicked, this, &FontToolForm::chooseFile);
    connect(m_family, &QComboBox::currentTextChanged, this, &FontToolForm::familyChosen);
    for (QComboBox *box : {m_style, m_hinting})
        connect(box, &QComboBox::currentIndexChanged, this, &FontToolForm::sourceChanged);
    connect(m_size, &QSpinBox::valueChanged, this, &FontToolForm::sourceChanged);
    connect(m_bold, &QCheckBox::toggled, this, &FontToolForm::sourceChanged);
}

void FontToolForm::addShapeRows(QFormLayout *form)
{
    m_chars = Controls::lineEdit(this, FontToolNames::fontCharacters, QStringLiteral("32-126"), QString());
    m_chars->setToolTip(tr("Ranges and lists: 32-126, 0x20-0x7e,0xb0,°, latin1"));
    m_form = named(new QComboBox(this), FontToolNames::fontForm);
    m_form->addItems({tr("Table (fixed cells)"), tr("Proportional"), tr("GFX font"), tr("BDF")});
    m_cell = Controls::lineEdit(this, FontToolNames::fontCell, QString(), QString());
    m_cell->setPlaceholderText(tr("from the font"));
    m_spacing = named(new QSpinBox(this), FontToolNames::fontSpacing);
    m_spacing->setRange(0, 16);
    m_spacing->setValue(1);
    m_profile = named(new QComboBox(this), FontToolNames::fontProfile);
    for (const ControllerProfile &profile : ControllerProfiles::all())
        m_profile->addItem(profile.caption);
    form->addRow(Controls::label(this, FontToolNames::fontCharactersLabel, tr("&Characters:"), m_chars), m_chars);
    form->addRow(Controls::label(this, FontToolNames::fontFormLabel, tr("F&orm:"), m_form), m_form);
    form->addRow(Controls::label(this, FontToolNames::fontCellLabel, tr("Table c&ell (WxH):"), m_cell), m_cell);
    form->addRow(Controls::label(this, FontToolNames::fontSpacingLabel, tr("S&pacing:"), m_spacing), m_spacing);
    form->addRow(Controls::label(this, FontToolNames::fontProfileLabel, tr("P&rofile:"), m_profile), m_profile);
    for (QLineEdit *edit : {m_chars, m_cell})
        connect(edit, &QLineEdit::editingFinished, this, &FontToolForm::shapeChanged);
    for (QComboBox *box : {m_form, m_profile})
        connect(box, &QComboBox::currentIndexChanged, this, &FontToolForm::shapeChanged);
    connect(m_spacing, &QSpinBox::valueChanged, this, &FontToolForm::shapeChanged);
}

void FontToolForm::addFileRows(QFormLayout *form)
{
    m_template = named(new QComboBox(this), FontToolNames::fontTemplate);
    for (const ExportTemplates::Kind &kind : ExportTemplates::all())
        if (FontFileWriter::supports(kind.kind))
            m_template->addItem(QLatin1String(kind.caption), QLatin1String(kind.caption));
    m_name = Controls::lineEdit(this, FontToolNames::fontName, QStringLiteral("font"), QString());
    m_progmem = Controls::checkBox(this, FontToolNames::fontProgmem, tr("PROGM&EM (AVR flash)"));
    m_sample = Controls::lineEdit(this, FontToolNames::fontSample, QStringLiteral("Hello, LCD! 0123 {}"), QString());
    m_inverted = Controls::checkBox(this, FontToolNames::fontInverted, tr("&Inverted display (lit pixels light)"));
    form->addRow(Controls::label(this, FontToolNames::fontTemplateLabel, tr("&Template:"), m_template), m_template);
    form->addRow(Controls::label(this, FontToolNames::fontNameLabel, tr("&Name:"), m_name), m_name);
    form->addRow(m_progmem);
    form->addRow(Controls::label(this, FontToolNames::fontSampleLabel, tr("&Sample:"), m_sample), m_sample);
    form->addRow(m_inverted);
    connect(m_sample, &QLineEdit::textChanged, this, &FontToolForm::shapeChanged);
    connect(m_inverted, &QCheckBox::toggled, this, &FontToolForm::shapeChanged);
}

void FontToolForm::familyChosen()
{
    const QSignalBlocker blocker(m_style);
    m_style->clear();
    m_style->addItems(QFontDatabase::styles(m_family->currentText()));
    const int book = m_style->findText(QStringLiteral("Book"));
    m_style->setCurrentIndex(qMax(book, 0));
    if (!m_file.isEmpty())
        setSourceFile(QString());
    else
        emit sourceChanged();
}

void FontToolForm::chooseFile()
{
    const QString path = QFileDialog::getOpenFileName(this, tr("Font File"), QString(),
                                                      tr("Fonts (*.ttf *.otf *.pcf *.pcf.gz *.bdf);;All files (*)"));
    if (!path.isEmpty())
        setSourceFile(path);
}

void FontToolForm::setSourceFile(const QString &path)
{
    m_file = path;
    m_fileShown->setText(path.isEmpty() ? tr("(installed font)") : QFileInfo(path).fileName());
    m_fileShown->setToolTip(path);
    if (!path.isEmpty()) {
        static const QRegularExpression other(QStringLiteral("[^A-Za-z0-9_]"));
        QString name = QFileInfo(path).fileName().section(QLatin1Char('.'), 0, 0).replace(other, QStringLiteral("_"));
        m_name->setText(name.isEmpty() || name.at(0).isDigit() ? QStringLiteral("font_") + name : name);
    }
    emit sourceChanged();
}

FontSource FontToolForm::source() const
{
    FontSource source;
    source.file = m_file;
    source.family = m_family->currentText();
    source.style = m_file.isEmpty() ? m_style->currentText() : QString();
    source.pixelSize = m_size->value();
    source.hinting = FontSource::Hinting(m_hinting->currentIndex());
    source.bold = m_bold->isChecked();
    return source;
}

bool FontToolForm::choice(FontExportChoice *choice, QString *reason) const
{
    if (!CharacterList::parse(m_chars->text(), &choice->codes, reason))
        return false;
    static const QRegularExpression size(QStringLiteral("^\\s*(\\d{1,3})\\s*x\\s*(\\d{1,3})\\s*$"));
    const QRegularExpressionMatch match = size.match(m_cell->text());
    if (!m_cell->text().trimmed().isEmpty() && !match.hasMatch()) {
        *reason = tr("the cell is WxH, for example 5x7");
        return false;
    }
    if (match.hasMatch())
        choice->metrics.cell = QSize(qBound(1, match.captured(1).toInt(), CellMetrics::LargestCell),
                                     qBound(1, match.captured(2).toInt(), CellMetrics::LargestCell));
    choice->metrics.spacing = m_spacing->value();
    choice->form = PackedFont::Form(m_form->currentIndex());
    choice->layout = ControllerProfiles::all().at(m_profile->currentIndex()).layout;
    const QString caption = m_template->currentData().toString();
    for (const ExportTemplates::Kind &kind : ExportTemplates::all())
        if (caption == QLatin1String(kind.caption)) {
            choice->file.kind = kind.kind;
            choice->file.directive = kind.directive;
        }
    choice->file.name = m_name->text();
    choice->file.progmem = m_progmem->isChecked();
    choice->pixelSize = m_size->value();
    return true;
}

QString FontToolForm::sampleText() const
{
    return m_sample->text();
}

bool FontToolForm::inverted() const
{
    return m_inverted->isChecked();
}
