#include "widgets/serial/PicLinkControls.h"
#include "widgets/ui/ControlNames.h"

#include "logic/output/TransmitDelay.h"
#include "logic/core/SettingsStore.h"
#include "logic/core/PicLink.h"
#include "logic/settings/SettingsSchema.h"
#include "logic/core/AppState.h"
#include "widgets/ui/ControlFactory.h"
#include "widgets/ui/FitToText.h"
#include "widgets/ui/UserMessages.h"
#include "logic/serial/CommPort.h"
#include "widgets/ui/OptionGroup.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace {
const QColor disabledGrey(128, 128, 128);

// picBufferList and picDelayList rows stand for the PIC's own values.
void setFromRow(qint16 &field, const QList<int> &table, int row)
{
    if (row >= 0 && row < table.size())
        field = qint16(table.at(row));
}

QStringList numbers(const QList<int> &values)
{
    QStringList texts;
    for (int value : values)
        texts << QString::number(value);
    return texts;
}

// The number on the selected row; `fallback` when no row is selected.
qint16 selectedNumber(const QListWidget *list, qint16 fallback)
{
    const QListWidgetItem *item = list->currentItem();
    return item ? qint16(item->text().toInt()) : fallback;
}
} // namespace

PicLinkControls::PicLinkControls(AppState &state, CommPort *port, QWidget *form)
    : QObject(form), m_state(state), m_port(port), m_form(form),
      m_waitChars(Controls::lineEdit(form, ControlNames::waitCharBox, PicLink::DefaultWaitChars, QString())),
      m_io(buildIo(form)), m_eeprom(buildEeprom(form))
{
    m_waitChars->setMaximumWidth(60);
    connect(m_buffer, &QListWidget::currentRowChanged, this, &PicLinkControls::bufferClicked);
    connect(m_delay, &QListWidget::currentRowChanged, this, &PicLinkControls::delayClicked);
    connect(m_waitChars, &QLineEdit::textChanged, this, &PicLinkControls::waitCharsChanged);
    connect(m_target, &QCheckBox::toggled, this, &PicLinkControls::eepromTargetClicked);
    connect(m_apply, &QPushButton::clicked, this, &PicLinkControls::applyClicked);
    connect(m_displayEeprom, &QPushButton::clicked, this, &PicLinkControls::displayEepromClicked);
    for (QListWidget *list : {m_buffer, m_delay})
        connect(list, &QListWidget::currentRowChanged, this, &PicLinkControls::settingsChanged);
    for (QLineEdit *box : {m_waitChars, m_address, m_xmitDelay})
        connect(box, &QLineEdit::textChanged, this, &PicLinkControls::settingsChanged);
    connect(m_target, &QCheckBox::toggled, this, &PicLinkControls::settingsChanged);
    connect(m_waitForPic, &QCheckBox::toggled, this, &PicLinkControls::settingsChanged);
}

QList<QWidget *> PicLinkControls::ioFocusOrder() const
{
    return {m_buffer, m_delay, m_xmitDelay, m_waitForPic, m_apply, m_displayEeprom};
}

QList<QWidget *> PicLinkControls::eepromFocusOrder() const
{
    return {m_target, m_address};
}

QList<QWidget *> PicLinkControls::lockedWhileSending() const
{
    return {m_buffer, m_delay, m_xmitDelay, m_waitForPic, m_apply, m_waitChars, m_target, m_address, m_displayEeprom};
}

bool PicLinkControls::waitsForPic() const
{
    return m_waitForPic->isChecked();
}

QString PicLinkControls::eepromAddressText() const
{
    return m_address->text();
}

QString PicLinkControls::transmitDelayText() const
{
    return m_xmitDelay->text();
}

QString PicLinkControls::waitCharText() const
{
    return m_waitChars->text();
}

void PicLinkControls::startUp()
{
    m_buffer->setCurrentRow(int(PicLink::BufferSizes.indexOf(PicLink::DefaultBufferSize)));
    m_delay->setCurrentRow(int(PicLink::DelaysMs.indexOf(PicLink::DefaultDelayMs)));
}

QGroupBox *PicLinkControls::buildIo(QWidget *parent)
{
    auto *frame = Controls::frame(parent, ControlNames::picLinkFrame, tr("I/O"));
    auto *grid = new QGridLayout(frame);
    grid->setContentsMargins(6, 2, 6, 4);
    grid->setVerticalSpacing(2);
    m_buffer = Controls::list(frame, ControlNames::picBufferList, numbers(PicLink::BufferSizes), QString());
    m_delay = Controls::list(frame, ControlNames::picDelayList, numbers(PicLink::DelaysMs), QString());
    for (QListWidget *list : {m_buffer, m_delay}) {
        list->setFixedWidth(70);
        FitToText::showWholeRows(list, 4);
    }
    m_xmitDelay = Controls::lineEdit(frame, ControlNames::xmitDelayBox, QString::number(TransmitDelay::defaultLcdMs),
                                   QString());
    m_xmitDelay->setMaximumWidth(70);
    grid->addWidget(Controls::label(frame, ControlNames::picBufferLabel, tr("PIC Buffer"), m_buffer), 0, 0);
    grid->addWidget(Controls::label(frame, ControlNames::picDelayLabel, tr("PIC Delay(ms)"), m_delay), 0, 1);
    grid->addWidget(Controls::label(frame, ControlNames::xmitDelayLabel, tr("Xmit Delay(ms)"), m_xmitDelay), 0, 2);
    grid->addWidget(m_buffer, 1, 0, 3, 1, Qt::AlignTop);
    grid->addWidget(m_delay, 1, 1, 3, 1, Qt::AlignTop);
    m_waitForPic = Controls::checkBox(frame, ControlNames::waitForPicCheck, tr("Wait for PIC"));
    m_waitForPic->setToolTip(tr("Wait for the PIC's ready byte after each block instead of the transmit delay "
                                "(the PIC's firmware must answer it)"));
    m_waitForPic->setAccessibleDescription(m_waitForPic->toolTip());
    grid->addWidget(m_xmitDelay, 1, 2);
    grid->addWidget(m_waitForPic, 2, 2);
    // The buttons stand in a column of their own: the frame stays as low as its lists.
    m_apply = Controls::button(frame, ControlNames::applyLinkButton, tr("Apply"));
    m_apply->setAccessibleDescription(tr("Applies the PIC link settings"));
    m_displayEeprom = Controls::button(frame, ControlNames::displayEepromButton, tr("&Disp Eprom"));
    grid->addWidget(m_apply, 1, 3);
    grid->addWidget(m_displayEeprom, 2, 3);
    grid->setRowStretch(3, 1);
    grid->setColumnStretch(4, 1);
    return frame;
}

QGroupBox *PicLinkControls::buildEeprom(QWidget *parent)
{
    auto *frame = Controls::frame(parent, ControlNames::eepromFrame, tr("I2C Eeprom"));
    auto *grid = new QGridLayout(frame);
    grid->setContentsMargins(6, 2, 6, 4);
    m_target = Controls::checkBox(frame, ControlNames::loadEepromCheck, QString());
    m_target->setAccessibleName(tr("Load EEprom"));
    m_address = Controls::lineEdit(frame, ControlNames::startAddressBox, QStringLiteral("00000"), QString());
    m_address->setMaxLength(5);
    m_address->setMaximumWidth(70);
    m_address->setEnabled(false);
    Controls::setBackground(m_address, frame->palette().color(QPalette::Mid));
    auto *caption = Controls::label(frame, ControlNames::loadEepromLabel, tr("Load EEprom"));
    OptionGroup::captionClicks(caption, m_target);
    grid->addWidget(m_target, 0, 0);
    grid->addWidget(caption, 0, 1);
    grid->addWidget(Controls::label(frame, ControlNames::startAddressLabel, tr("Start Addr"), m_address), 1, 0, 1, 2);
    grid->addWidget(m_address, 1, 2);
    grid->setColumnStretch(3, 1); // the caption stays beside its check box in a wide frame
    return frame;
}

QString PicLinkControls::settingsNowText(int bufferSize, int delayMs, const QString &waitChars,
                                           const QString &xmitDelay)
{
    const QString lineBreak = QStringLiteral("\n\r");
    return QStringLiteral("Settings Now") + lineBreak + QStringLiteral("Buffer:") + QString::number(bufferSize)
        + lineBreak + QStringLiteral("Delay:") + QString::number(delayMs) + lineBreak
        + QStringLiteral("Wait Char(s): ") + waitChars + lineBreak + QStringLiteral("Xmit Delay:") + xmitDelay;
}

void PicLinkControls::bufferClicked(int row)
{
    setFromRow(m_state.picBufferSize, PicLink::BufferSizes, row);
}

void PicLinkControls::delayClicked(int row)
{
    setFromRow(m_state.picDelayMs, PicLink::DelaysMs, row);
}

void PicLinkControls::waitCharsChanged(const QString &text)
{
    m_state.waitChars = text;
}

void PicLinkControls::applyClicked()
{
    m_state.waitChars = m_waitChars->text();
    m_state.picBufferSize = selectedNumber(m_buffer, m_state.picBufferSize);
    m_state.picDelayMs = selectedNumber(m_delay, m_state.picDelayMs);
    UserMessages::inform(m_form, settingsNowText(m_state.picBufferSize, m_state.picDelayMs, m_state.waitChars,
                                                 m_xmitDelay->text()));
}

void PicLinkControls::eepromTargetClicked(bool checked)
{
    m_address->setEnabled(checked);
    Controls::setBackground(m_address, checked ? QApplication::palette(m_address).color(QPalette::Base)
                                               : disabledGrey);
    if (!checked)
        m_address->setText(QStringLiteral("00000"));
    m_state.eepromMode = checked;
    m_xmitDelay->setText(QString::number(checked ? TransmitDelay::defaultEepromMs : TransmitDelay::defaultLcdMs));
    emit targetChanged(checked);
}

void PicLinkControls::displayEepromClicked()
{
    if (m_port->portOpen()) {
        m_port->output(QStringLiteral("*22000000a"));
        return;
    }
    UserMessages::beep();
    UserMessages::inform(m_form, tr("Port not open!"));
}

void PicLinkControls::saveSettings(SettingsStore &store) const
{
    const SettingsSchema &keys = SettingsSchema::keys();
    store.set(keys.waitChars, m_waitChars->text());
    store.set(keys.picBuffer, PicLink::BufferSizes.value(m_buffer->currentRow(), PicLink::DefaultBufferSize));
    store.set(keys.picDelay, PicLink::DelaysMs.value(m_delay->currentRow(), PicLink::DefaultDelayMs));
    store.set(keys.eepromTarget, m_target->isChecked());
    store.set(keys.startAddress, m_address->text());
    store.set(keys.transmitDelay, m_xmitDelay->text());
    store.set(keys.waitForPic, m_waitForPic->isChecked());
}

void PicLinkControls::restoreSettings(const SettingsStore &store)
{
    const SettingsSchema &keys = SettingsSchema::keys();
    if (const auto wait = store.text(keys.waitChars))
        m_waitChars->setText(*wait);
    if (const auto size = store.text(keys.picBuffer))
        m_buffer->setCurrentRow(int(PicLink::BufferSizes.indexOf(size->toInt())));
    if (const auto delay = store.text(keys.picDelay))
        m_delay->setCurrentRow(int(PicLink::DelaysMs.indexOf(delay->toInt())));
    // The target first: switching it sets its own transmit delay.
    if (const auto eeprom = store.flag(keys.eepromTarget))
        m_target->setChecked(*eeprom);
    if (const auto address = store.integer(keys.startAddress); address && m_target->isChecked())
        m_address->setText(QString::number(*address).rightJustified(5, QLatin1Char('0')));
    if (const auto delay = store.text(keys.transmitDelay))
        m_xmitDelay->setText(*delay);
    if (const auto wait = store.flag(keys.waitForPic))
        m_waitForPic->setChecked(*wait);
}
