#include "logic/output/SendStream.h"

#include "logic/output/Latin1Text.h"

#include <QCoreApplication>

namespace SendStream {

QString outputTextFrom(const QString &windowText)
{
    return windowText.trimmed().toLower();
}

QString reformat(const QString &existing, const QString &header, const QString &waitChars,
                 const QString &outputText, int blockSize)
{
    const qsizetype step = blockSize > 0 ? blockSize : qMax<qsizetype>(1, outputText.size());
    QString blocks = existing;
    blocks.reserve(existing.size() + outputText.size() + (outputText.size() / step + 1) * waitChars.size());
    for (qsizetype start = 0; start < outputText.size(); start += step) {
        blocks += waitChars;
        blocks += outputText.mid(start, step);
    }
    return (header + blocks).toLower();
}

namespace {
bool isHexDigit(QChar c)
{
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c >= QLatin1Char('a') && c <= QLatin1Char('f'))
        || (c >= QLatin1Char('A') && c <= QLatin1Char('F'));
}

QString tr(const char *text)
{
    return QCoreApplication::translate("SendStream", text);
}
} // namespace

QString waitCharProblem(const QString &waitChars)
{
    if (waitChars.size() != 1)
        return tr("Wait Chr must be exactly one character; it holds %1. Nothing was reformatted.")
            .arg(waitChars.isEmpty() ? tr("none") : QStringLiteral("\"%1\"").arg(waitChars));
    if (isHexDigit(waitChars.at(0)))
        return tr("Wait Chr \"%1\" is a hex digit: the PIC could not tell it from the picture's bytes. "
                  "Choose another character, such as \"]\". Nothing was reformatted.")
            .arg(waitChars);
    return QString();
}

QString hexTextProblem(const QString &outputText)
{
    for (qsizetype i = 0; i < outputText.size(); ++i)
        if (!isHexDigit(outputText.at(i)))
            return tr("The output window holds %1, which is not a hex digit. Reformat sends the text of "
                      "Convert as it was made: convert again. Nothing was reformatted.")
                .arg(Latin1Text::describe(outputText, i));
    return QString();
}

} // namespace SendStream
