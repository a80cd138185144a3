#include "convert/ConvertPanel.h"

#include "core/AppState.h"
#include "ui/ControlFactory.h"
#include "app/FormControls.h"
#include "ui/UserMessages.h"
#include "canvas/PixelCanvas.h"
#include "convert/Conversion.h"
#include "convert/OutputText.h"
#include "convert/TransferHeader.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

ConvertPanel::ConvertPanel(AppState &state, QWidget *form)
    : QObject(form), m_state(state), m_form(form),
      m_outputFormat(buildOutputFormat(form)), m_byteMatrix(buildByteMatrix(form))
{
    // "Convert" stands in the Graphic frame, built before this panel.
    if (auto *convert = formControl<QPushButton>(form, QStringLiteral("Command9")))
        connect(convert, &QPushButton::clicked, this, &ConvertPanel::convertClicked);
}

QGroupBox *ConvertPanel::buildOutputFormat(QWidget *parent)
{
    auto *frame = Controls::frame(parent, QStringLiteral("Frame4"), tr("Output Format"));
    auto *grid = new QGridLayout(frame);
    grid->setContentsMargins(6, 2, 6, 4);
    grid->setVerticalSpacing(2);
    struct Box { const char *name; const char *labelName; const char *caption; };
    const Box boxes[] = {{"txthead", "Label3", "Header"}, {"txtfoot", "Label5", "Footer"},
                         {"txtDelim", "Label6", "Delimiter"}, {"txtfrmt", "lblfrmt", "Format"}};
    int row = 0;
    for (const Box &box : boxes) {
        auto *edit = Controls::lineEdit(frame, QLatin1String(box.name), QString(), QString());
        grid->addWidget(Controls::label(frame, QLatin1String(box.labelName), tr(box.caption), edit), row, 0);
        grid->addWidget(edit, row, 1, 1, 3);
        ++row;
    }
    auto *wait = Controls::lineEdit(frame, QStringLiteral("Text4"), QStringLiteral("]"), QString());
    wait->setMaximumWidth(60);
    grid->addWidget(Controls::label(frame, QStringLiteral("Label9"), tr("Wait Chr"), wait), row, 0);
    grid->addWidget(wait, row, 1);
    auto *count = Controls::valueLabel(frame, QStringLiteral("lblfz"), QStringLiteral("0000"), tr("Byte count"));
    // Room for the largest count, so the window does not widen after a conversion.
    count->setMinimumWidth(count->fontMetrics().horizontalAdvance(QStringLiteral("00000.5")));
    grid->addWidget(count, row, 2);
    grid->addWidget(Controls::valueLabel(frame, QStringLiteral("lblrem"), QStringLiteral("0000"), tr("Characters left")), row, 3);
    return frame;
}

QGroupBox *ConvertPanel::buildByteMatrix(QWidget *parent)
{
    auto *frame = Controls::frame(parent, QStringLiteral("Frame1"), tr("Byte Matrix"));
    auto *layout = new QVBoxLayout(frame);
    layout->setContentsMargins(6, 2, 6, 4);
    layout->setSpacing(2);
    auto *vertical = Controls::option(frame, QStringLiteral("Option2_0"), tr("Vertical KS0108"));
    auto *horizontal = Controls::option(frame, QStringLiteral("Option2_1"), tr("Horizontal"));
    horizontal->setChecked(true);
    auto *note = new QGroupBox(frame);
    note->setObjectName(QStringLiteral("LCD"));
    note->setAccessibleName(tr("T6963C and SED1330"));
    // Keep its place while hidden, so the format boxes beside it stay put.
    QSizePolicy policy = note->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    note->setSizePolicy(policy);
    auto *noteLayout = new QVBoxLayout(note);
    noteLayout->setContentsMargins(4, 2, 4, 2);
    noteLayout->addWidget(Controls::label(note, QStringLiteral("Label1"), tr("T6963C and SED1330")));
    layout->addWidget(vertical);
    layout->addWidget(horizontal);
    layout->addWidget(note);
    connect(vertical, &QRadioButton::clicked, this, &ConvertPanel::packingOptionClicked);
    connect(horizontal, &QRadioButton::clicked, this, &ConvertPanel::packingOptionClicked);
    return frame;
}

void ConvertPanel::packingOptionClicked()
{
    const bool vertical = formControl<QRadioButton>(m_form, QStringLiteral("Option2_0"))->isChecked();
    m_state.byteMatrixHorizontal = vertical ? 0 : 1;
    formControl<QWidget>(m_form, QStringLiteral("LCD"))->setVisible(!vertical);
}

void ConvertPanel::convertClicked()
{
    auto *output = formControl<QPlainTextEdit>(m_form, QStringLiteral("Text3"));
    output->clear();
    formControl<QWidget>(m_form, QStringLiteral("Command12"))->setEnabled(true);
    m_state.outputText.clear();
    m_state.reformattedText.clear();
    m_state.transferHeader.clear();
    if (buildTransferHeader()) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const QString text = convertedText();
        output->setPlainText(text);
        m_state.outputText = text;
        m_state.savedOutputText = text;
        formControl<QLabel>(m_form, QStringLiteral("lblfz"))->setText(OutputText::byteCount(text));
        QApplication::restoreOverrideCursor();
    }
    // Enabled after an error too, as after a success.
    formControl<QWidget>(m_form, QStringLiteral("Command15"))->setEnabled(true);
}

bool ConvertPanel::buildTransferHeader()
{
    // For the LCD the note beside "Horizontal" decides the packing; the
    // EEPROM keeps the packing it had.
    if (!m_state.eepromMode)
        m_state.byteMatrixHorizontal = formControl<QWidget>(m_form, QStringLiteral("LCD"))->isHidden() ? 0 : 1;
    TransferSettings settings;
    settings.eepromMode = m_state.eepromMode;
    settings.lcdSizeIndex = m_state.lcdSizeIndex;
    settings.picBufferSize = m_state.picBufferSize;
    settings.picDelayMs = m_state.picDelayMs;
    settings.eepromText = controlText("eeprom");
    const TransferHeader header = TransferHeader::build(settings);
    m_state.transferHeader = header.text();
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
    settings.header = controlText("txthead");
    settings.footer = controlText("txtfoot");
    settings.format = controlText("txtfrmt");
    settings.delimiter = controlText("txtDelim");
    return settings;
}

QString ConvertPanel::convertedText() const
{
    const ConversionSettings settings = settingsFromControls();
    // A bitmap untouched since loading keeps the file's own bytes.
    if (settings.horizontal && m_state.canvasShowsLoadedBitmap)
        return Conversion::fromLoadedBitmap(m_state.hexGrid, settings);
    return Conversion::fromPicture(formControl<PixelCanvas>(m_form, QStringLiteral("Picture1"))->image(), settings);
}

QString ConvertPanel::controlText(const char *name) const
{
    return formControl<QLineEdit>(m_form, QLatin1String(name))->text();
}
