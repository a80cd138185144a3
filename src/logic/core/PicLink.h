#pragma once

#include <QList>
#include <QString>

// What the PIC's firmware accepts, as the window's lists, the command line
// and the state record's start-up values take it.
namespace PicLink {

inline const QList<int> BufferSizes = {2, 4, 8, 16, 32, 64, 128};               // bytes a block
inline const QList<int> DelaysMs = {5, 10, 15, 20, 25, 30, 35, 40, 45, 50, 100}; // after each block
constexpr int DefaultBufferSize = 32;
constexpr int DefaultDelayMs = 10;
// Sent ahead of each block; the PIC asks for the next one with it.
inline const QString DefaultWaitChars = QStringLiteral("]");

} // namespace PicLink
