#pragma once

#include <QWidget>

// frmHelp: a fixed page of brief instructions.
class HelpWindow : public QWidget
{
    Q_OBJECT
public:
    explicit HelpWindow(QWidget *parent = nullptr);

    // The page, lines joined by CR LF.
    static QString helpText();
    static QString contactAddress();
};
