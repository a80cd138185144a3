#pragma once

#include "logic/core/AppState.h"

#include <QMainWindow>

class CanvasPanel;
class FileAndFontPrompts;
class ConvertControls;
class PicLinkControls;
class OutputPanel;
class PortAssignments;
class PreviewPane;
class VirtualLcdLauncher;
class SerialPortPanel;
class SettingsStore;
class TerminalPanel;
class WindowMenu;
class SettingsKeeper;

// The one window: it owns the shared state record, lays out one panel per
// subsystem and runs the start-up steps. The panels own their handlers.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    // Com1..Com4 open the serial devices the system lists.
    explicit MainWindow(QWidget *parent = nullptr);
    explicit MainWindow(const PortAssignments &ports, QWidget *parent = nullptr);
    // Start-up's order: the window made empty, shown where the settings
    // place it, then built (the desktop maps it meanwhile), then the
    // panels' settings restored with useSettings().
    struct Unbuilt {};
    explicit MainWindow(Unbuilt, QWidget *parent = nullptr);
    void showBeforeBuilding(const SettingsStore &store);
    void build(const PortAssignments &ports);

    static QString caption();

    AppState &state() { return m_state; }
    FileAndFontPrompts *fileAndFontPrompts() const { return m_dialog; }

    // Restores the user's choices from `store` and saves them there a second
    // after the last change and when the window closes, so a session ended
    // by a signal or a crash loses nothing. Without a store nothing is read
    // or written.
    void useSettings(SettingsStore *store);
    void resetSettings();

    // Starts a virtual PIC and LCD for the checked Com option.
    void startVirtualLcd();
    // The Font tool window, made on first use.
    void showFontTool();
    VirtualLcdLauncher *virtualLcd() const { return m_virtualLcd; }

    void showAbout();
    void showHelp();
    void exitProgram();

protected:
    void closeEvent(QCloseEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void buildPanels(const PortAssignments &ports);
    void buildMenu();
    void connectPanels();
    void setFocusOrder();
    void startUp();
    void takeFirstSize();
    QSize firstRoom(const QRect &screen) const;
    void showPreviewGeometry();

    AppState m_state;
    FileAndFontPrompts *m_dialog;
    QWidget *m_form;
    CanvasPanel *m_canvas;
    ConvertControls *m_convert;
    PicLinkControls *m_link;
    SerialPortPanel *m_port;
    TerminalPanel *m_terminal;
    OutputPanel *m_output;
    PreviewPane *m_preview;
    VirtualLcdLauncher *m_virtualLcd;
    SettingsKeeper *m_settings = nullptr;
    bool m_placementRestored = false;
    bool m_placedBySettings = false;
    WindowMenu *m_menu = nullptr;
};
