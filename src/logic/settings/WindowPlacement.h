#pragma once

#include <QList>
#include <QRect>
#include <QString>
#include <QVariant>

#include <optional>

// Where the window stood, kept as plain numbers and checked against the
// screens before it is used: a saved size of 100000x100000 or a position
// off every screen must not decide the next start.
namespace WindowPlacement {

// "x,y,width,height"; an invalid rectangle for anything else.
QRect parse(const QString &text);
QString toText(const QRect &rect);
// The rectangle moved and, where it is larger, shrunk into the screen it
// overlaps most; an invalid rectangle when it overlaps none.
QRect fitted(const QRect &rect, const QList<QRect> &screens);

// An older file kept QWidget::saveGeometry()'s bytes: the normal
// rectangle and the maximised flag read from them.
std::optional<QString> fromSavedGeometry(const QVariant &saved);
std::optional<QString> maximizedFromSavedGeometry(const QVariant &saved);

} // namespace WindowPlacement
