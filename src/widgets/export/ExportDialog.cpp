#include "widgets/export/ExportDialog.h"

#include "logic/export/ExportTemplates.h"
#include "widgets/ui/ControlFactory.h"
#include "widgets/ui/ControlNames.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

using Template = ExportOptions::Template;

// Decimal or 0x hex, as on the command line; false for anything else.
bool parseAddress(const QString &text, quint32 *address)
{
    const QString trimmed = text.trimmed();
    bool ok = false;
    const qulonglong value = trimmed.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)
        ? trimmed.mid(2).toULongLong(&ok, 16)
        : trimmed.toULongLong(&ok, 10);
    if (!ok || value > 0xFFFFFFFFull)
        return false;
    *address = quint32(value);
    return true;
}

bool readsLines(Template kind, ExportOptions::Directive directive)
{
    return kind == Template::C || kind == Template::Xbm || kind == Template::IntelHex
        || (kind == Template::Assembler && directive == ExportOptions::Directive::Db);
}

} // namespace

ExportDialog::ExportDialog(const ConversionResult &matrix, const ExportOptions &start, QWidget *parent)
    : QDialog(parent), m_matrix(matrix)
{
    setObjectName(ControlNames::exportDialog);
    setWindowTitle(tr("Export"));
    buildControls();
    showOptions(start);
    update();
}

void ExportDialog::buildControls()
{
    auto *form = new QFormLayout;
    m_template = new QComboBox(this);
    m_template->setObjectName(ControlNames::templateBox);
    for (const ExportTemplates::Kind &kind : ExportTemplates::all())
        m_template->addItem(tr(kind.caption));
    m_name = Controls::lineEdit(this, ControlNames::arrayNameBox, QString(), QString());
    m_bytesPerLine = new QSpinBox(this);
    m_bytesPerLine->setObjectName(ControlNames::bytesPerLineBox);
    m_bytesPerLine->setRange(1, ExportOptions::MostBytesPerLine);
    m_linePerUnit = Controls::checkBox(this, ControlNames::linePerUnitCheck, tr("One line per page or row"));
    m_progmem = Controls::checkBox(this, ControlNames::progmemCheck, tr("PROGMEM (AVR flash)"));
    m_address = Controls::lineEdit(this, ControlNames::hexAddressBox, QString(), QString());
    struct Row { QWidget *field; const char *name; const char *caption; };
    const Row rows[] = {{m_template, ControlNames::templateLabel, "Template"},
                        {m_name, ControlNames::arrayNameLabel, "Name"},
                        {m_bytesPerLine, ControlNames::bytesPerLineLabel, "Bytes per line"},
                        {m_address, ControlNames::hexAddressLabel, "Start address"}};
    for (const Row &row : rows) {
        form->addRow(Controls::label(this, QLatin1String(row.name), tr(row.caption), row.field), row.field);
        if (row.field == m_bytesPerLine)
            form->addRow(QString(), m_linePerUnit);
    }
    form->addRow(QString(), m_progmem);
    m_problemLabel =
        Controls::valueLabel(this, ControlNames::exportProblemLabel, QString(), tr("Why it cannot be exported"));
    m_problemLabel->setWordWrap(true);
    m_buttons = new QDialogButtonBox(QDialogButtonBox::Save | QDialogButtonBox::Cancel, this);
    m_buttons->button(QDialogButtonBox::Save)->setText(tr("Save As…"));
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *source = Controls::valueLabel(
        this, ControlNames::exportSourceLabel,
        tr("Writes the %1 bytes the output window holds, read as a %2x%3 picture.")
            .arg(m_matrix.bytes.size()).arg(m_matrix.width).arg(m_matrix.height),
        tr("What is exported"));
    source->setWordWrap(true);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(source);
    layout->addLayout(form);
    layout->addWidget(m_problemLabel);
    layout->addWidget(m_buttons);
    connect(m_template, &QComboBox::currentIndexChanged, this, &ExportDialog::update);
    connect(m_name, &QLineEdit::textChanged, this, &ExportDialog::update);
    connect(m_address, &QLineEdit::textChanged, this, &ExportDialog::update);
    connect(m_linePerUnit, &QCheckBox::toggled, this, &ExportDialog::update);
    const QList<QWidget *> order = {m_template, m_name,    m_bytesPerLine,
                                    m_linePerUnit, m_address, m_progmem, m_buttons};
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order.at(i - 1), order.at(i));
}

void ExportDialog::showOptions(const ExportOptions &options)
{
    // kindOf() answers with an entry of all(): its place in the list is the combo's index.
    m_template->setCurrentIndex(int(&ExportTemplates::kindOf(options) - ExportTemplates::all().constData()));
    m_name->setText(options.name);
    m_bytesPerLine->setValue(options.bytesPerLine > 0 ? options.bytesPerLine : 16);
    m_linePerUnit->setChecked(options.bytesPerLine == ExportOptions::LinePerUnit);
    m_progmem->setChecked(options.progmem);
    m_address->setText(QStringLiteral("0x%1").arg(options.startAddress, 4, 16, QLatin1Char('0')));
}

ExportOptions ExportDialog::options() const
{
    const ExportTemplates::Kind &kind = ExportTemplates::all().at(qMax(m_template->currentIndex(), 0));
    ExportOptions options;
    options.kind = kind.kind;
    options.directive = kind.directive;
    options.name = m_name->text();
    options.bytesPerLine = m_linePerUnit->isChecked() ? ExportOptions::LinePerUnit : m_bytesPerLine->value();
    options.progmem = m_progmem->isChecked();
    parseAddress(m_address->text(), &options.startAddress);
    return options;
}

void ExportDialog::update()
{
    const ExportOptions chosen = options();
    const bool lines = readsLines(chosen.kind, chosen.directive);
    m_linePerUnit->setEnabled(lines);
    m_bytesPerLine->setEnabled(lines && !m_linePerUnit->isChecked());
    m_progmem->setEnabled(chosen.kind == Template::C);
    m_name->setEnabled(ExportTemplates::usesName(chosen.kind));
    const bool hex = chosen.kind == Template::IntelHex;
    m_address->setEnabled(hex);
    quint32 address = 0;
    m_problem = hex && !parseAddress(m_address->text(), &address)
        ? tr("The start address must be a number from 0 to 0xffffffff (decimal, or hex after 0x).")
        : ExportTemplates::problem(m_matrix, chosen);
    if (!m_problem.isEmpty())
        m_problem[0] = m_problem.at(0).toUpper();
    m_problemLabel->setText(m_problem);
    m_buttons->button(QDialogButtonBox::Save)->setEnabled(m_problem.isEmpty());
}
