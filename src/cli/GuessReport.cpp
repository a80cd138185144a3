#include "cli/GuessReport.h"

#include "cli/LayoutOptions.h"
#include "logic/canvas/LcdSizes.h"
#include "logic/convert/ControllerProfiles.h"

namespace GuessReport {

namespace {

using Form = ArrayFileReader::Form;

// The template that writes a file of this form; the text forms need none,
// and a stream's bytes are the text's (its header says more than bytes).
QStringList templateArguments(Form form)
{
    switch (form) {
    case Form::CSource: return {QStringLiteral("--template"), QStringLiteral("c")};
    case Form::Xbm: return {QStringLiteral("--template"), QStringLiteral("xbm")};
    case Form::Assembler: return {QStringLiteral("--template"), QStringLiteral("asm")};
    case Form::IntelHex: return {QStringLiteral("--template"), QStringLiteral("ihex")};
    case Form::Binary: return {QStringLiteral("--template"), QStringLiteral("bin")};
    case Form::Stream:
    case Form::Text: break;
    }
    return {};
}

QString settings(const LayoutGuess::Candidate &candidate)
{
    const MatrixLayout &layout = candidate.layout;
    QString text = QStringLiteral("%1x%2, %3").arg(candidate.width).arg(candidate.height).arg(layout.description());
    if (const ControllerProfile *profile = ControllerProfiles::byLayout(layout))
        text += QStringLiteral(" (%1)").arg(profile->names.join(QLatin1String(", ")));
    if (candidate.closingZero)
        text += QLatin1String(", the last 00 closing the rows");
    return text;
}

} // namespace

QString convertCommand(const LayoutGuess::Candidate &candidate, Form form, const QString &picture)
{
    const QString size = QStringLiteral("%1x%2").arg(candidate.width).arg(candidate.height);
    if (!LcdSizes::byCaption(size))
        return QString();
    QStringList arguments = {QStringLiteral("tavrel"), QStringLiteral("convert"), picture, QStringLiteral("--size"),
                             size};
    arguments << LayoutOptions::arguments(candidate.layout) << templateArguments(form);
    return arguments.join(QLatin1Char(' '));
}

QString text(const QString &file, const ArrayFileReader::Result &array, const QList<LayoutGuess::Candidate> &ranked,
             const QString &picture)
{
    QString out = QStringLiteral("%1: %2 bytes\n").arg(file).arg(array.bytes.size());
    if (ranked.isEmpty())
        return out + QStringLiteral("no size up to %1 pixels a side fits this byte count\n").arg(LayoutGuess::LongestSide);
    for (int i = 0; i < qMin<qsizetype>(Shown, ranked.size()); ++i) {
        const LayoutGuess::Candidate &candidate = ranked.at(i);
        // A column scan of a picture and rows of its mirror image along the
        // diagonal are the same bytes: such ties are said, not hidden.
        const bool tie = i + 1 < qMin<qsizetype>(Shown, ranked.size()) && ranked.at(i + 1).changes == candidate.changes;
        out += QStringLiteral("%1. %2: %3 pixel changes%4\n")
                   .arg(i + 1)
                   .arg(settings(candidate))
                   .arg(candidate.changes)
                   .arg(tie ? QStringLiteral(", as likely as the next") : QString());
        const QString command = convertCommand(candidate, array.form, picture);
        out += command.isEmpty() ? QStringLiteral("   (tavrel convert makes no %1x%2 LCD)\n")
                                       .arg(candidate.width)
                                       .arg(candidate.height)
                                 : QStringLiteral("   %1\n").arg(command);
    }
    return out;
}

} // namespace GuessReport
