#include "convert/ConvertPanel.h"

#include "core/SettingsStore.h"
#include "core/AppState.h"
#include "ui/ControlFactory.h"
#include "ui/UserMessages.h"
#include "canvas/LcdSizes.h"
#include "canvas/PixelCanvas.h"
#include "convert/Conversion.h"
#include "convert/OutputText.h"
#include "convert/TransferHeader.h"
#include "serial/LinkSettingsPanel.h"
#include "ui/OptionGroup.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

ConvertPanel::ConvertPanel(AppState &state, PixelCanvas *canvas, QPushButton *convertButton, LinkSettingsPanel &link,
                           QWidget *form)
    : QObject(form), m_state(state), m_canvas(canvas), m_link(link), m_form(form),
      m_outputFormat(buildOutputFormat(form)), m_byteMatrix(buildByteMatrix(form))
{
    connect(convertButton, &QPushButton::clicked, this, &ConvertPanel::convertClicked);
}

QList<QWidget *> ConvertPanel::focusOrder() const
{
    return {m_header, m_footer, m_delimiter, m_format, m_link.waitCharBox(), m_vertical, m_horizontal};
}

bool ConvertPanel::hasFormatOrDelimiter() const
{
    return !m_format->text().isEmpty() || !m_delimiter->text().isEmpty();
}

void ConvertPanel::showCharactersLeft(qsizetype count)
{
    m_charactersLeft->setText(QString::number(count));
}

QGroupBox *ConvertPanel::buildOutputFormat(QWidget *parent)
{
    auto *frame = Controls::frame(parent, QStringLiteral("Frame4"), tr("Output Format"));
    auto *grid = new QGridLayout(frame);
    grid->setContentsMargins(6, 2, 6, 4);
    grid->setVerticalSpacing(2);
    struct Box { QLineEdit *&edit; const char *name; const char *labelName; const char *caption; };
    const Box boxes[] = {{m_header, "txthead", "Label3", "Header"}, {m_footer, "txtfoot", "Label5", "Footer"},
                         {m_delimiter, "txtDelim", "Label6", "Delimiter"}, {m_format, "txtfrmt", "lblfrmt", "Format"}};
    int row = 0;
    for (const Box &box : boxes) {
        box.edit = Controls::lineEdit(frame, QLatin1String(box.name), QString(), QString());
        grid->addWidget(Controls::label(frame, QLatin1String(box.labelName), tr(box.caption), box.edit), row, 0);
        grid->addWidget(box.edit, row, 1, 1, 3);
        ++row;
    }
    QLineEdit *wait = m_link.waitCharBox();
    grid->addWidget(Controls::label(frame, QStringLiteral("Label9"), tr("Wait Chr"), wait), row, 0);
    grid->addWidget(wait, row, 1);
    m_byteCount = Controls::valueLabel(frame, QStringLiteral("lblfz"), QStringLiteral("0000"), tr("Byte count"));
    // Room for the largest count, so the window does not widen after a conversion.
    m_byteCount->setMinimumWidth(m_byteCount->fontMetrics().horizontalAdvance(QStringLiteral("00000.5")));
    grid->addWidget(m_byteCount, row, 2);
    m_charactersLeft =
        Controls::valueLabel(frame, QStringLiteral("lblrem"), QStringLiteral("0000"), tr("Characters left"));
    grid->addWidget(m_charactersLeft, row, 3);
    return frame;
}

QGroupBox *ConvertPanel::buildByteMatrix(QWidget *parent)
{
    auto *frame = Controls::frame(parent, QStringLiteral("Frame1"), tr("Byte Matrix"));
    auto *layout = new QVBoxLayout(frame);
    layout->setContentsMargins(6, 2, 6, 4);
    layout->setSpacing(2);
    m_vertical = Controls::option(frame, QStringLiteral("Option2_0"), tr("Vertical KS0108"));
    m_horizontal = Controls::option(frame, QStringLiteral("Option2_1"), tr("Horizontal"));
    m_horizontal->setChecked(true);
    OptionGroup::tabLandsOnChecked({m_vertical, m_horizontal});
    auto *note = new QGroupBox(frame);
    m_horizontalNote = note;
    note->setObjectName(QStringLiteral("LCD"));
    note->setAccessibleName(tr("T6963C and SED1330"));
    // Keep its place while hidden, so the format boxes beside it stay put.
    QSizePolicy policy = note->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    note->setSizePolicy(policy);
    auto *noteLayout = new QVBoxLayout(note);
    noteLayout->setContentsMargins(4, 2, 4, 2);
    noteLayout->addWidget(Controls::label(note, QStringLiteral("Label1"), tr("T6963C and SED1330")));
    layout->addWidget(m_vertical);
    layout->addWidget(m_horizontal);
    layout->addWidget(note);
    // The state change, not the click: keys and assistive tools choose too.
    connect(m_vertical, &QRadioButton::toggled, this, &ConvertPanel::packingOptionClicked);
    return frame;
}

void ConvertPanel::packingOptionClicked()
{
    const bool vertical = m_vertical->isChecked();
    m_state.byteMatrixHorizontal = vertical ? 0 : 1;
    m_horizontalNote->setVisible(!vertical);
    emit packingChanged();
}

void ConvertPanel::convertClicked()
{
    m_state.outputText.clear();
    m_state.reformattedText.clear();
    m_state.transferHeader.clear();
    if (!buildTransferHeader()) {
        emit conversionDone(false, QString());
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QString text = convertedText();
    m_state.outputText = text;
    m_state.savedOutputText = text;
    m_byteCount->setText(OutputText::byteCount(text));
    emit conversionDone(true, text);
    QApplication::restoreOverrideCursor();
}

bool ConvertPanel::buildTransferHeader()
{
    // For the LCD the note beside "Horizontal" decides the packing; the
    // EEPROM keeps the packing it had.
    if (!m_state.eepromMode)
        m_state.byteMatrixHorizontal = m_horizontalNote->isHidden() ? 0 : 1;
    TransferSettings settings;
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

ConversionSettings ConvertPanel::settingsFromControls() const
{
    ConversionSettings settings;
    settings.width = m_state.lcdWidth;
    settings.height = m_state.lcdHeight;
    settings.horizontal = m_state.byteMatrixHorizontal != 0;
    settings.header = m_header->text();
    settings.footer = m_footer->text();
    settings.format = m_format->text();
    settings.delimiter = m_delimiter->text();
    settings.lightIsSet = m_state.pictureLightIsSet;
    return settings;
}

QString ConvertPanel::convertedText() const
{
    const ConversionSettings settings = settingsFromControls();
    // A bitmap untouched since loading keeps the file's own bytes.
    if (settings.horizontal && m_state.canvasShowsLoadedBitmap)
        return Conversion::fromLoadedBitmap(m_state.hexGrid, settings);
    return Conversion::fromPicture(m_canvas->image(), settings);
}

void ConvertPanel::saveSettings(SettingsStore &store) const
{
    store.set(QStringLiteral("format/header"), m_header->text());
    store.set(QStringLiteral("format/footer"), m_footer->text());
    store.set(QStringLiteral("format/delimiter"), m_delimiter->text());
    store.set(QStringLiteral("format/prefix"), m_format->text());
    store.set(QStringLiteral("format/packing"), m_vertical->isChecked() ? "vertical" : "horizontal");
}

void ConvertPanel::restoreSettings(const SettingsStore &store)
{
    const std::pair<const char *, QLineEdit *> boxes[] = {
        {"format/header", m_header}, {"format/footer", m_footer}, {"format/delimiter", m_delimiter},
        {"format/prefix", m_format}};
    for (const auto &[key, box] : boxes)
        if (const auto text = store.text(QLatin1String(key)))
            box->setText(*text);
    if (const auto packing = store.choice(QStringLiteral("format/packing"), {"vertical", "horizontal"}))
        (*packing == QLatin1String("vertical") ? m_vertical : m_horizontal)->setChecked(true);
}
