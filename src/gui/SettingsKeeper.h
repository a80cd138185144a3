#pragma once

#include <QObject>

class CanvasPanel;
class ConvertControls;
class PicLinkControls;
class QMainWindow;
class QTimer;
class SerialPortPanel;
class SettingsStore;

// The panels whose choices are kept between runs, in the order they are restored.
struct SettingsPanels {
    SerialPortPanel &port;
    CanvasPanel &canvas;
    ConvertControls &convert;
    PicLinkControls &link;
};

// Keeps the window's choices and placement between runs: restores them from
// a store, and saves them there a second after the last change and when the
// window closes, so a session ended by a signal or a crash loses nothing.
class SettingsKeeper : public QObject
{
    Q_OBJECT
public:
    SettingsKeeper(QMainWindow &window, const SettingsPanels &panels);

    // Without a store nothing is read or written. The window's place is left
    // alone when restorePlacement() has already set it.
    void use(SettingsStore *store, bool placementRestored = false);
    // Puts `window` where the store last saw it; whether a saved place was used.
    static bool restorePlacement(QMainWindow &window, const SettingsStore &store);
    // Asks first; a confirmed reset clears the store and saves nothing more this session.
    void reset();
    // A change: saved once the changes rest.
    void schedule();
    void save();

private:

    QMainWindow &m_window;
    SettingsPanels m_panels;
    SettingsStore *m_store = nullptr;
    bool m_reset = false;
    QTimer *m_timer;
};
