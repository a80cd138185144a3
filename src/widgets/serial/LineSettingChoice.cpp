#include "widgets/serial/LineSettingChoice.h"
#include "widgets/ui/ControlNames.h"

#include "logic/serial/CommPort.h"
#include "logic/serial/SerialLineFormat.h"
#include "widgets/ui/ControlFactory.h"
#include "widgets/ui/FitToText.h"
#include "widgets/ui/UserMessages.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

LineSettingChoice::LineSettingChoice(QWidget *frame, QGridLayout *grid, CommPort *port, QWidget *form)
    : QObject(frame), m_frame(frame), m_port(port), m_form(form)
{
    m_settings = Controls::list(frame, ControlNames::portSettingsList, {}, QString());
    m_settings->setFixedWidth(112);
    m_settings->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_settingLabel = Controls::valueLabel(frame, ControlNames::portSettingLabel, tr("Setting"), tr("Port settings"));
    grid->addWidget(m_settingLabel, 0, 2);
    m_settings->setAccessibleName(tr("Setting"));
    grid->addWidget(m_settings, 1, 2, 3, 1);
    connect(m_settings, &QListWidget::currentRowChanged, this, &LineSettingChoice::settingClicked);
    connect(m_settings, &QListWidget::currentRowChanged, this, &LineSettingChoice::changed);
}

// A line setting beyond the list, typed.
void LineSettingChoice::addCustomBox(QGridLayout *grid)
{
    m_custom = Controls::lineEdit(m_frame, ControlNames::customSettingBox, QString(), QString());
    m_custom->setPlaceholderText(QStringLiteral("250000,e,7,1"));
    m_custom->setToolTip(tr("Baud rate, parity (n, e, o, m, s), data bits, stop bits; Enter adds it to the list"));
    auto *row = new QHBoxLayout;
    row->addWidget(Controls::label(m_frame, ControlNames::customSettingLabel, tr("Custom"), m_custom));
    row->addWidget(m_custom, 1);
    grid->addLayout(row, 5, 3, 1, 2);
    connect(m_custom, &QLineEdit::returnPressed, this, &LineSettingChoice::customSettingEntered);
}

void LineSettingChoice::startUp()
{
    // The classic five, then the faster rates today's adapters run at.
    m_settings->addItems({SerialLineFormat::DefaultText, "9600,n,8,1", "4800,n,8,1", "2400,n,8,1", "1200,n,8,1", "57600,n,8,1",
                          "115200,n,8,1", "230400,n,8,1"});
    FitToText::showWholeRows(m_settings, 4);
    m_settingLabel->setText(SerialLineFormat::DefaultText);
    // Selecting a list item runs its handler, just as a click would.
    m_settings->setCurrentRow(0);
}

void LineSettingChoice::choose(const QString &setting)
{
    QList<QListWidgetItem *> found = m_settings->findItems(setting, Qt::MatchExactly);
    if (found.isEmpty()) {
        m_settings->addItem(setting);
        found = {m_settings->item(m_settings->count() - 1)};
    }
    const int row = m_settings->row(found.first());
    if (row == m_settings->currentRow())
        settingClicked(row);
    else
        m_settings->setCurrentRow(row);
}

void LineSettingChoice::settingClicked(int row)
{
    if (row < 0)
        return;
    if (!m_port->setSettings(m_settings->item(row)->text()))
        UserMessages::inform(m_form, m_port->errorString());
    m_settingLabel->setText(m_port->settings());
}

void LineSettingChoice::customSettingEntered()
{
    const QString text = m_custom->text().trimmed();
    const std::optional<SerialLineFormat> parsed = SerialLineFormat::parse(text);
    if (!parsed) {
        UserMessages::inform(m_form, tr("\"%1\" is not a line setting. Type the baud rate, parity (n, e, o, m or s), "
                                        "data bits (5 to 8) and stop bits (1, 1.5 or 2), such as 250000,e,7,1.")
                                         .arg(text));
        return;
    }
    choose(parsed->toString());
}
