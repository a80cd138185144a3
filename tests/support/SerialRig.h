#pragma once

#include "FormLookup.h"
#include "MessageRecorder.h"
#include "PseudoTerminal.h"
#include "gui/MainWindow.h"
#include "logic/serial/PortAssignments.h"

#include <QByteArray>
#include <QString>

class CommPort;
class QPlainTextEdit;
class QWidget;

// Only the pseudo-terminal is assigned: no test reaches a real system port.
PortAssignments portsWith(const PseudoTerminal &pty, int number = 1);

// Writes in slices so the program reads in between: the pty holds a few KiB.
bool feed(PseudoTerminal &pty, const QByteArray &bytes);

// A key press carrying any character, as a keyboard layout may deliver it.
void pressKey(QWidget *widget, QChar c);

// The window over a pseudo-terminal, with its serial controls by name; it
// answers every message box and counts beeps.
struct SerialRig
{
    explicit SerialRig(const PortAssignments &ports) : window(ports) {}
    template <typename T>
    T *get(const QString &name) const { return control<T>(&window, name); }
    CommPort *port() const;
    QPlainTextEdit *input() const;
    QPlainTextEdit *typing() const;
    void clickOpenClose() const;
    // The port control's visible state: captions, colours, what is enabled or shown.
    QString state() const;
    // The port writes from the event loop; then the bytes are at the master.
    QByteArray sent(PseudoTerminal &pty) const;

    MessageRecorder recorder;
    MainWindow window;
};
