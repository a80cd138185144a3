#pragma once

#include "FormLookup.h"
#include "LineRecorder.h"
#include "PseudoTerminal.h"
#include "gui/MainWindow.h"

#include <QString>

#include <memory>

// The main window with a pseudo-terminal as Com1 and a recorder reading the
// far end of the line, as the LCD's PIC would. Built in init(), dropped in
// cleanup(): the recorder goes first, the terminal last.
struct WindowOnPty
{
    WindowOnPty();
    ~WindowOnPty();

    template <typename T = QWidget>
    T *get(const QString &name) const { return control<T>(window.get(), name); }
    // Presses Open and says whether the port indicator shows ON.
    bool openPort() const;

    std::unique_ptr<PseudoTerminal> pty;
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<LineRecorder> line;
};
