#pragma once

#include "core/AppState.h"

#include <QMainWindow>
#include <QPointer>

class AboutWindow;
class CanvasPanel;
class CommonDialog;
class ConvertPanel;
class HelpWindow;
class LinkSettingsPanel;
class OutputPanel;
class PortAssignments;
class SerialPortPanel;
class TerminalPanel;

// The one window: it owns the shared state record, lays out one panel per
// subsystem and runs the start-up steps. The panels own their handlers.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    // Com1..Com4 open the serial devices the system lists.
    explicit MainWindow(QWidget *parent = nullptr);
    explicit MainWindow(const PortAssignments &ports, QWidget *parent = nullptr);

    static QString caption();

    AppState &state() { return m_state; }
    CommonDialog *commonDialog() const { return m_dialog; }

    void showAbout();
    void showHelp();
    void exitProgram();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildPanels(const PortAssignments &ports);
    void layOut();
    QWidget *buildIoSettings();
    void buildMenu();
    void connectPanels();
    void setFocusOrder();
    void startUp();

    AppState m_state;
    CommonDialog *m_dialog;
    QWidget *m_form;
    CanvasPanel *m_canvas;
    ConvertPanel *m_convert;
    LinkSettingsPanel *m_link;
    SerialPortPanel *m_port;
    TerminalPanel *m_terminal;
    OutputPanel *m_output;
    QPointer<AboutWindow> m_about;
    QPointer<HelpWindow> m_help;
};
