#pragma once

#include <QString>
#include <functional>

class QWidget;

// Asks for the file that received bytes are logged to. An existing file is
// not a reason to ask again: the log appends to it.
namespace LogFileDialog {

// The chosen path, "" when cancelled.
QString ask(QWidget *parent, const QString &suggested);

// Tests: answers instead of a person (empty function: the real dialog).
void setAnswerer(std::function<QString()> answerer);

} // namespace LogFileDialog
