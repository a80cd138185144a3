#include "logic/output/Latin1Text.h"

#include <QCoreApplication>

namespace Latin1Text {

qsizetype firstOutside(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i).unicode() > 0xff)
            return i;
    }
    return -1;
}

QString describe(const QString &text, qsizetype index)
{
    char32_t codePoint = text.at(index).unicode();
    qsizetype length = 1;
    if (text.at(index).isHighSurrogate() && index + 1 < text.size() && text.at(index + 1).isLowSurrogate()) {
        codePoint = QChar::surrogateToUcs4(text.at(index), text.at(index + 1));
        length = 2;
    }
    return QCoreApplication::translate("Latin1Text", "\"%1\" (U+%2) at position %3")
        .arg(text.mid(index, length), QString::number(uint(codePoint), 16).toUpper().rightJustified(4, QLatin1Char('0')))
        .arg(index + 1);
}

QString sendRefusal(const QString &text, qsizetype index)
{
    return QCoreApplication::translate("Latin1Text",
                                       "Nothing was sent: the character %1 has no Latin-1 byte to send.")
        .arg(describe(text, index));
}

} // namespace Latin1Text
