#include "gui/SettingsKeeper.h"

#include "logic/core/SettingsStore.h"
#include "logic/settings/SettingsSchema.h"
#include "logic/settings/WindowPlacement.h"
#include "widgets/canvas/CanvasPanel.h"
#include "widgets/convert/ConvertControls.h"
#include "widgets/serial/PicLinkControls.h"
#include "widgets/serial/SerialPortPanel.h"
#include "widgets/ui/UserMessages.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QTimer>

namespace {

QList<QRect> availableScreens()
{
    QList<QRect> screens;
    for (const QScreen *screen : QGuiApplication::screens())
        screens << screen->availableGeometry();
    return screens;
}

} // namespace

SettingsKeeper::SettingsKeeper(QMainWindow &window, const SettingsPanels &panels)
    : QObject(&window), m_window(window), m_panels(panels), m_timer(new QTimer(this))
{
    m_timer->setSingleShot(true);
    m_timer->setInterval(1000); // one write for a burst of changes, such as typing
    connect(m_timer, &QTimer::timeout, this, &SettingsKeeper::save);
}

void SettingsKeeper::use(SettingsStore *store, bool placementRestored)
{
    m_store = store;
    if (!store)
        return;
    // The serial port first: the link panel's EEPROM switch may follow it.
    m_panels.port.restoreSettings(*store);
    m_panels.canvas.restoreSettings(*store);
    m_panels.convert.restoreSettings(*store);
    m_panels.link.restoreSettings(*store);
    if (!placementRestored)
        restorePlacement(m_window, *store);
}

// A saved place is used where it fits a screen now; one larger than the
// screen it stands on is made to fit it; one off every screen is ignored:
// a huge size or a place off the screens would leave no usable window.
bool SettingsKeeper::restorePlacement(QMainWindow &window, const SettingsStore &store)
{
    bool placed = false;
    const SettingsSchema &keys = SettingsSchema::keys();
    if (const auto placement = store.text(keys.windowGeometry)) {
        const QRect rect = WindowPlacement::parse(*placement);
        const QRect fitted = WindowPlacement::fitted(rect, availableScreens());
        if (!fitted.isValid())
            SettingsStore::warn(tr("tavrel: ignoring setting %1=\"%2\" in %3: the window would not fit the screen")
                                    .arg(keys.windowGeometry.name, *placement, store.path()));
        else if (fitted != rect)
            SettingsStore::warn(tr("tavrel: setting %1=\"%2\" in %3 does not fit the screen: using %4")
                                    .arg(keys.windowGeometry.name, *placement, store.path(),
                                         WindowPlacement::toText(fitted)));
        if (fitted.isValid())
            window.setGeometry(fitted);
        placed = fitted.isValid();
    }
    if (store.flag(keys.windowMaximized).value_or(false))
        window.setWindowState(window.windowState() | Qt::WindowMaximized);
    return placed;
}

void SettingsKeeper::schedule()
{
    if (m_store && !m_reset)
        m_timer->start();
}

void SettingsKeeper::save()
{
    m_timer->stop();
    if (!m_store || m_reset)
        return;
    m_panels.port.saveSettings(*m_store);
    m_panels.canvas.saveSettings(*m_store);
    m_panels.convert.saveSettings(*m_store);
    m_panels.link.saveSettings(*m_store);
    const SettingsSchema &keys = SettingsSchema::keys();
    // A window the user made larger than the screen comes back no larger than it.
    const QRect fitted = WindowPlacement::fitted(m_window.normalGeometry(), availableScreens());
    if (fitted.isValid())
        m_store->set(keys.windowGeometry, WindowPlacement::toText(fitted));
    m_store->set(keys.windowMaximized, m_window.isMaximized());
    m_store->sync();
}

void SettingsKeeper::reset()
{
    if (!UserMessages::confirm(&m_window, tr("Forget every choice saved between runs? Tavrel starts with its "
                                             "first-start settings next time; this session keeps its own.")))
        return;
    m_reset = true;
    if (m_store) {
        m_store->clear();
        m_store->sync();
    }
}
