#pragma once

#include <QString>
#include <QStringView>

// Where and why a text could not be read: the first token that failed,
// with its place as a character index (for selecting it in an editor) and
// as line and column (for people).
struct DecodeError
{
    qsizetype position = -1; // index of the first character of `text`
    int line = 0;            // 1-based
    int column = 0;          // 1-based
    QString text;            // the token as it stands in the text
    QString reason;          // e.g. "cannot read \"0xg5\" as a byte"

    bool isSet() const { return position >= 0; }
    // "line 2, column 7: cannot read "0xg5" as a byte"
    QString message() const;

    // Fills position, line and column for `position` in `source`.
    static DecodeError at(QStringView source, qsizetype position, const QString &text, const QString &reason);
};
