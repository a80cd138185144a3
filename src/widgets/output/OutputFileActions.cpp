#include "widgets/output/OutputFileActions.h"

#include "logic/core/AppState.h"
#include "logic/export/ArrayFiles.h"
#include "logic/export/ExportSource.h"
#include "logic/export/ExportTemplates.h"
#include "logic/output/TextFiles.h"
#include "widgets/convert/ConvertControls.h"
#include "widgets/export/ExportDialog.h"
#include "widgets/ui/FileAndFontPrompts.h"
#include "widgets/ui/UserMessages.h"

#include <QPlainTextEdit>

OutputFileActions::OutputFileActions(const AppState &state, FileAndFontPrompts &dialog, const ConvertControls &convert,
                                     QPlainTextEdit *output, QWidget *owner)
    : QObject(owner), m_state(state), m_dialog(dialog), m_convert(convert), m_output(output), m_owner(owner)
{
    // Save already writes the text: Export starts where it adds most.
    m_exportOptions.kind = ExportOptions::Template::C;
}

QWidget *OutputFileActions::window() const
{
    return m_owner->window();
}

void OutputFileActions::save()
{
    FileAndFontPrompts *dialog = &m_dialog;
    dialog->showSave({QStringLiteral("LCD File to Save"), QStringLiteral("Text(*.txt)|*.txt|Basic (*.bas)|*.bas"),
                      QStringLiteral("*.txt"), QStringLiteral("*.txt"), FileAndFontPrompts::FileKind::Text});
    if (dialog->fileName.isEmpty())
        return;
    QString reason;
    if (!TextFiles::save(dialog->fileName, m_output->toPlainText(), &reason))
        UserMessages::inform(window(), QStringLiteral("File Save Error - ") + reason);
}

void OutputFileActions::exportBytes()
{
    QString problem;
    const ConversionResult shown = ExportSource::read(m_output->toPlainText(), m_state.lcdWidth, m_state.lcdHeight,
                                                     m_convert.chosenLayout(), &problem);
    if (!problem.isEmpty()) {
        UserMessages::inform(window(), tr("Nothing to export: %1").arg(problem));
        return;
    }
    ExportDialog dialog(shown, m_exportOptions, window());
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_exportOptions = dialog.options();
    writeExport(shown, m_exportOptions);
}

void OutputFileActions::writeExport(const ConversionResult &shown, const ExportOptions &options)
{
    const ExportTemplates::Kind &kind = ExportTemplates::kindOf(options);
    const QString extension = QLatin1String(kind.extension);
    FileAndFontPrompts *dialog = &m_dialog;
    dialog->showSave({tr("Export to File"),
                      QStringLiteral("%1 (*.%2)|*.%2|All Files (*.*)|*.*").arg(tr(kind.caption), extension), extension,
                      options.name + QLatin1Char('.') + extension, FileAndFontPrompts::FileKind::Text});
    if (dialog->fileName.isEmpty())
        return;
    QString reason;
    if (!ArrayFiles::save(dialog->fileName, ExportTemplates::render(shown, options), &reason))
        UserMessages::inform(window(), QStringLiteral("File Save Error - ") + reason);
}

void OutputFileActions::openTextFile()
{
    FileAndFontPrompts *dialog = &m_dialog;
    dialog->showOpen({QStringLiteral("LCD File to Open"), QStringLiteral("Open ASCII (*.txt)|*.txt|All Files (*.*)|*.*|"),
                      QString(), QString(), FileAndFontPrompts::FileKind::Text});
    if (dialog->fileName.isEmpty())
        return;
    QString text;
    QString reason;
    const TextFiles::LoadResult result = TextFiles::load(dialog->fileName, text, &reason);
    if (result == TextFiles::LoadResult::Loaded)
        emit transmitTextLoaded(text);
    else if (result == TextFiles::LoadResult::TooLarge)
        UserMessages::inform(window(), reason);
}
