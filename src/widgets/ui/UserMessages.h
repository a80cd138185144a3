#pragma once

#include <QString>
#include <functional>

class QWidget;

// Message boxes and the beep, in one place so every handler reports the same
// way and tests can answer the boxes instead of a person.
namespace UserMessages {

enum class Kind { Inform, Confirm };

// Shows `text` with an OK button.
void inform(QWidget *parent, const QString &text);
// OK and Cancel; true for OK.
bool confirm(QWidget *parent, const QString &text);
void beep();

// Tests: every box goes to `handler` (its return value answers Confirm) and
// every beep to `beeper`. Pass empty functions to show real boxes again.
void setHandler(std::function<bool(Kind, const QString &)> handler);
void setBeeper(std::function<void()> beeper);

} // namespace UserMessages
