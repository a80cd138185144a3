#pragma once

#include <QDialog>

// The Help window: a fixed page of brief instructions, as a modeless dialog (Esc
// closes it, Enter presses "&Close").
class HelpWindow : public QDialog
{
    Q_OBJECT
public:
    explicit HelpWindow(QWidget *parent = nullptr);

    // The page, lines joined by CR LF.
    static QString helpText();
    static QString contactAddress();
};
