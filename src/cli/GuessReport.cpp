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
    if (candidate.skip > 0)
        text += QStringLiteral(", after the first %1 bytes (width, height)").arg(candidate.skip);
    if (candidate.hinted)
        text += QLatin1String(", the size the file states");
    return text;
}

} // namespace

QString convertCommand(const LayoutGuess::Candidate &candidate, Form form, const QString &picture)
{
    const QString size = QStringLiteral("%1x%2").arg(candidate.width).arg(candidate.height);
    if (!LcdSizes::isCustomSize(QSize(candidate.width, candidate.height)))
        return QString();
    QStringList arguments = {QStringLiteral("tavrel"), QStringLiteral("convert"), picture, QStringLiteral("--size"),
                             size};
    arguments << LayoutOptions::arguments(candidate.layout) << templateArguments(form);
    return arguments.join(QLatin1Char(' '));
}

namespace {

// A tie with the next or the one before, whichever there is.
QString tieMark(const QList<LayoutGuess::Candidate> &ranked, qsizetype i)
{
    const qint64 score = ranked.at(i).score();
    if (i + 1 < ranked.size() && ranked.at(i + 1).score() == score)
        return QStringLiteral(", as likely as the next");
    if (i > 0 && ranked.at(i - 1).score() == score)
        return QStringLiteral(", as likely as the one before");
    return QString();
}

} // namespace

QString text(const QString &file, const ArrayFileReader::Result &array, const QList<LayoutGuess::Candidate> &ranked,
             const QString &picture)
{
    QString out = QStringLiteral("%1: %2 bytes\n").arg(file).arg(array.bytes.size());
    if (ranked.isEmpty())
        return out + QStringLiteral("no size up to %1 pixels a side fits this byte count\n").arg(LayoutGuess::LongestSide);
    // The best few, and all that tie with the last of them.
    qsizetype shown = qMin<qsizetype>(Shown, ranked.size());
    while (shown < ranked.size() && shown < MostShown && ranked.at(shown).score() == ranked.at(shown - 1).score())
        ++shown;
    for (qsizetype i = 0; i < shown; ++i) {
        const LayoutGuess::Candidate &candidate = ranked.at(i);
        out += QStringLiteral("%1. %2: %3 pixel changes%4\n")
                   .arg(i + 1)
                   .arg(settings(candidate))
                   .arg(candidate.changes)
                   .arg(tieMark(ranked, i));
        const QString command = convertCommand(candidate, array.form, picture);
        out += command.isEmpty() ? QStringLiteral("   (tavrel convert makes sizes from %1 to %2 a side)\n")
                                       .arg(LcdSizes::SmallestSide)
                                       .arg(LcdSizes::LargestSide)
                                 : QStringLiteral("   %1\n").arg(command);
    }
    return out;
}

} // namespace GuessReport
