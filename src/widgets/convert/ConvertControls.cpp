#include "widgets/convert/ConvertControls.h"
#include "widgets/ui/ControlNames.h"

#include "logic/core/SettingsStore.h"
#include "logic/settings/SettingsSchema.h"
#include "logic/core/AppState.h"
#include "widgets/ui/ControlFactory.h"
#include "widgets/ui/UserMessages.h"
#include "logic/canvas/LcdSizes.h"
#include "widgets/canvas/PixelCanvas.h"
#include "logic/convert/Conversion.h"
#include "logic/convert/ControllerProfiles.h"
#include "logic/convert/OutputText.h"
#include "logic/convert/TransferHeader.h"
#include "widgets/serial/PicLinkControls.h"
#include "widgets/ui/LayoutBoxes.h"
#include "widgets/ui/OptionGroup.h"

#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

ConvertControls::ConvertControls(AppState &state, PixelCanvas *canvas, QPushButton *convertButton, PicLinkControls &link,
                           QWidget *form)
    : QObject(form), m_state(state), m_canvas(canvas), m_link(link), m_form(form),
      m_outputFormat(buildOutputFormat(form)), m_byteMatrix(buildByteMatrix(form))
{
    connect(convertButton, &QPushButton::clicked, this, &ConvertControls::convertClicked);
    for (QLineEdit *box : {m_header, m_footer, m_delimiter, m_format})
        connect(box, &QLineEdit::textChanged, this, &ConvertControls::settingsChanged);
    connect(this, &ConvertControls::packingChanged, this, &ConvertControls::settingsChanged);
}

QList<QWidget *> ConvertControls::focusOrder() const
{
    return {m_header,     m_footer,  m_delimiter, m_format, m_link.waitCharBox(), m_vertical,
            m_horizontal, m_profile, m_order};
}

bool ConvertControls::hasFormatOrDelimiter() const
{
    return !m_format->text().isEmpty() || !m_delimiter->text().isEmpty();
}

void ConvertControls::showCharactersLeft(qsizetype count)
{
    m_charactersLeft->setText(QString::number(count));
}

QGroupBox *ConvertControls::buildOutputFormat(QWidget *parent)
{
    auto *frame = Controls::frame(parent, ControlNames::outputFormatFrame, tr("Output Format"));
    auto *grid = new QGridLayout(frame);
    grid->setContentsMargins(6, 2, 6, 4);
    grid->setVerticalSpacing(2);
    struct Box { QLineEdit *&edit; const char *name; const char *labelName; const char *caption; };
    using namespace ControlNames;
    const Box boxes[] = {{m_header, headerBox, headerLabel, "Header"},
                         {m_footer, footerBox, footerLabel, "Footer"},
                         {m_delimiter, delimiterBox, delimiterLabel, "Delimiter"},
                         {m_format, formatBox, formatLabel, "Format"}};
    int row = 0;
    for (const Box &box : boxes) {
        box.edit = Controls::lineEdit(frame, QLatin1String(box.name), QString(), QString());
        grid->addWidget(Controls::label(frame, QLatin1String(box.labelName), tr(box.caption), box.edit), row, 0);
        grid->addWidget(box.edit, row, 1, 1, 3);
        ++row;
    }
    QLineEdit *wait = m_link.waitCharBox();
    grid->addWidget(Controls::label(frame, ControlNames::waitCharLabel, tr("Wait Chr"), wait), row, 0);
    grid->addWidget(wait, row, 1);
    m_byteCount = Controls::valueLabel(frame, ControlNames::byteCountLabel, QStringLiteral("0000"), tr("Byte count"));
    // Room for the largest count, so the window does not widen after a conversion.
    m_byteCount->setMinimumWidth(m_byteCount->fontMetrics().horizontalAdvance(QStringLiteral("00000.5")));
    grid->addWidget(m_byteCount, row, 2);
    m_charactersLeft =
        Controls::valueLabel(frame, ControlNames::charactersLeftLabel, QStringLiteral("0000"), tr("Characters left"));
    grid->addWidget(m_charactersLeft, row, 3);
    return frame;
}

QGroupBox *ConvertControls::buildByteMatrix(QWidget *parent)
{
    auto *frame = Controls::frame(parent, ControlNames::byteMatrixFrame, tr("Byte Matrix"));
    auto *grid = new QGridLayout(frame);
    grid->setContentsMargins(6, 2, 6, 4);
    grid->setVerticalSpacing(2);
    m_vertical = Controls::option(frame, ControlNames::verticalOption, MatrixLayout::packingCaption(false));
    m_horizontal = Controls::option(frame, ControlNames::horizontalOption, MatrixLayout::packingCaption(true));
    m_horizontal->setChecked(true);
    OptionGroup::tabLandsOnChecked({m_vertical, m_horizontal});
    // A plain framed line: a group box frame would make it taller than the
    // option it stands beside.
    auto *note = new QFrame(frame);
    note->setFrameShape(QFrame::StyledPanel);
    m_horizontalNote = note;
    note->setObjectName(ControlNames::horizontalNote);
    note->setAccessibleName(tr("T6963C and SED1330"));
    // Keep its place while hidden, so the format boxes beside it stay put.
    QSizePolicy policy = note->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    note->setSizePolicy(policy);
    auto *noteLayout = new QVBoxLayout(note);
    noteLayout->setContentsMargins(4, 0, 4, 0);
    noteLayout->addWidget(Controls::label(note, ControlNames::horizontalNoteLabel, tr("T6963C and SED1330")));
    grid->addWidget(m_vertical, 0, 0);
    // The note names the controllers of the option it stands beside.
    auto *horizontalRow = new QHBoxLayout;
    horizontalRow->addWidget(m_horizontal);
    horizontalRow->addWidget(note);
    horizontalRow->addStretch();
    grid->addLayout(horizontalRow, 1, 0);
    // Their own columns: the captions are narrower than the options above them.
    auto *choice = new QGridLayout;
    choice->setVerticalSpacing(2);
    grid->addLayout(choice, 2, 0);
    addLayoutChoice(frame, choice, 0);
    // The state change, not the click: keys and assistive tools choose too.
    connect(m_vertical, &QRadioButton::toggled, this, &ConvertControls::packingOptionClicked);
    return frame;
}

// Under the two options: the profile, or Custom and the order.
void ConvertControls::addLayoutChoice(QWidget *frame, QGridLayout *grid, int firstRow)
{
    struct Box { QComboBox *&combo; const char *name; const char *labelName; const char *caption; };
    const Box boxes[] = {{m_profile, ControlNames::profileBox, ControlNames::profileLabel, "Profile"},
                         {m_order, ControlNames::orderBox, ControlNames::orderLabel, "Order"}};
    int row = firstRow;
    for (const Box &box : boxes) {
        box.combo = new QComboBox(frame);
        box.combo->setObjectName(QLatin1String(box.name));
        grid->addWidget(Controls::label(frame, QLatin1String(box.labelName), tr(box.caption), box.combo), row, 0);
        grid->addWidget(box.combo, row, 1);
        ++row;
    }
    m_layoutBoxes = new LayoutBoxes(m_profile, m_order, m_horizontal->isChecked());
    connect(m_layoutBoxes, &LayoutBoxes::changed, this, &ConvertControls::packingChanged);
}

void ConvertControls::showLayout(const MatrixLayout &layout)
{
    (layout.horizontal ? m_horizontal : m_vertical)->setChecked(true);
    m_layoutBoxes->showLayout(layout);
}

void ConvertControls::packingOptionClicked()
{
    const bool vertical = m_vertical->isChecked();
    m_state.byteMatrixHorizontal = vertical ? 0 : 1;
    m_horizontalNote->setVisible(!vertical);
    // Each packing starts from its usual bytes.
    m_layoutBoxes->setPacking(!vertical);
}

MatrixLayout ConvertControls::chosenLayout() const
{
    return settingsFromControls().layout;
}

void ConvertControls::convertClicked()
{
    m_state.outputText.clear();
    m_state.reformattedText.clear();
    m_state.transferHeader.clear();
    if (!buildTransferHeader()) {
        emit conversionDone(false, QString());
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const ConversionResult matrix = converted();
    m_state.outputText = matrix.text;
    m_state.savedOutputText = matrix.text;
    m_byteCount->setText(OutputText::byteCount(matrix.text));
    emit conversionDone(true, matrix.text);
    emit matrixConverted(matrix);
    QApplication::restoreOverrideCursor();
}

bool ConvertControls::buildTransferHeader()
{
    // For the LCD the note beside "Horizontal" decides the packing; the
    // EEPROM keeps the packing it had.
    if (!m_state.eepromMode)
        m_state.byteMatrixHorizontal = m_horizontalNote->isHidden() ? 0 : 1;
    PicTransferOptions settings;
    settings.eepromMode = m_state.eepromMode;
    settings.lcdSizeIndex = m_state.lcdSizeIndex;
    // The eight sizes carry their own type; a custom size the one the user chose.
    if (m_state.lcdSizeIndex == LcdSizes::CustomIndex)
        settings.displayType = m_state.customDisplayType;
    settings.picBufferSize = m_state.picBufferSize;
    settings.picDelayMs = m_state.picDelayMs;
    settings.eepromText = m_link.eepromAddressText();
    const TransferHeader header = TransferHeader::build(settings);
    // A partial header would tell the PIC nonsense: none at all is kept.
    m_state.transferHeader = header.isValid() ? header.text() : QString();
    if (!header.isValid())
        UserMessages::inform(m_form, tr("Error: ") + header.error());
    return header.isValid();
}

ConversionSettings ConvertControls::settingsFromControls() const
{
    ConversionSettings settings;
    settings.width = m_state.lcdWidth;
    settings.height = m_state.lcdHeight;
    settings.header = m_header->text();
    settings.footer = m_footer->text();
    settings.format = m_format->text();
    settings.delimiter = m_delimiter->text();
    // The boxes speak for the packing option; the EEPROM may keep another packing.
    const bool horizontal = m_state.byteMatrixHorizontal != 0;
    const MatrixLayout shown = shownLayout();
    settings.layout = shown.horizontal == horizontal ? shown : MatrixLayout::usual(horizontal);
    return settings;
}

ConversionResult ConvertControls::converted() const
{
    const ConversionSettings settings = settingsFromControls();
    // A bitmap untouched since loading keeps the file's own bytes.
    if (settings.layout.horizontal && settings.layout.pixelsPerByte == 8 && m_state.canvasShowsLoadedBitmap)
        return Conversion::ofLoadedBitmap(m_state.hexGrid, settings);
    return Conversion::ofPicture(m_canvas->image(), settings);
}

void ConvertControls::saveSettings(SettingsStore &store) const
{
    const SettingsSchema &keys = SettingsSchema::keys();
    store.set(keys.header, m_header->text());
    store.set(keys.footer, m_footer->text());
    store.set(keys.delimiter, m_delimiter->text());
    store.set(keys.prefix, m_format->text());
    store.set(keys.packing, m_vertical->isChecked() ? "vertical" : "horizontal");
    const MatrixLayout layout = shownLayout();
    const ControllerProfile *profile = m_layoutBoxes->isCustom() ? nullptr : ControllerProfiles::byLayout(layout);
    store.set(keys.profile, profile ? profile->names.first() : QStringLiteral("custom"));
    store.set(keys.bitOrder, layout.bitOrder == MatrixLayout::BitOrder::MsbFirst ? "msb" : "lsb");
    store.set(keys.scan, layout.scan == MatrixLayout::Scan::Columns ? "columns" : "pages");
}

void ConvertControls::restoreSettings(const SettingsStore &store)
{
    const SettingsSchema &keys = SettingsSchema::keys();
    const std::pair<const SettingKey *, QLineEdit *> boxes[] = {
        {&keys.header, m_header}, {&keys.footer, m_footer}, {&keys.delimiter, m_delimiter}, {&keys.prefix, m_format}};
    for (const auto &[key, box] : boxes)
        if (const auto text = store.text(*key))
            box->setText(*text);
    if (const auto packing = store.text(keys.packing))
        (*packing == QLatin1String("vertical") ? m_vertical : m_horizontal)->setChecked(true);
    restoreLayoutChoice(store);
}

// After the packing: its profile, or Custom with the orders saved.
void ConvertControls::restoreLayoutChoice(const SettingsStore &store)
{
    const SettingsSchema &keys = SettingsSchema::keys();
    const auto name = store.text(keys.profile);
    if (!name)
        return;
    const ControllerProfile *profile = ControllerProfiles::byName(*name);
    if (profile && profile->layout.horizontal == m_horizontal->isChecked())
        m_layoutBoxes->showLayout(profile->layout);
    if (*name != QLatin1String("custom"))
        return;
    MatrixLayout layout = shownLayout();
    if (const auto order = store.text(keys.bitOrder))
        layout.bitOrder = *order == QLatin1String("msb") ? MatrixLayout::BitOrder::MsbFirst
                                                         : MatrixLayout::BitOrder::LsbFirst;
    if (const auto scan = store.text(keys.scan))
        layout.scan = *scan == QLatin1String("columns") && !layout.horizontal ? MatrixLayout::Scan::Columns
                                                                              : MatrixLayout::Scan::Pages;
    m_layoutBoxes->showLayout(layout);
    // A custom choice stays Custom even when a profile has the same layout.
    m_profile->setCurrentIndex(m_profile->count() - 1);
}

MatrixLayout ConvertControls::shownLayout() const
{
    return m_layoutBoxes->layout();
}
