#include "gui/WindowMenu.h"

#include "gui/AboutWindow.h"
#include "gui/HelpWindow.h"
#include "widgets/canvas/PixelCanvas.h"
#include "widgets/font/FontToolWindow.h"

#include <QMainWindow>
#include <QMenuBar>

WindowMenu::WindowMenu(QMainWindow &window, PixelCanvas &canvas) : QObject(&window), m_window(window), m_canvas(canvas)
{
}

QAction *WindowMenu::addAction(const char *name, const QString &text)
{
    QAction *action = m_window.menuBar()->addAction(text);
    action->setObjectName(QLatin1String(name));
    return action;
}

namespace {

// A window shown again comes to the front with the focus.
void bringUp(QWidget *window)
{
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

void WindowMenu::showFontTool()
{
    if (!m_fontTool) {
        m_fontTool = new FontToolWindow(&m_window);
        connect(m_fontTool, &FontToolWindow::textToolFontChosen, &m_canvas, &PixelCanvas::setLcdFont);
    }
    bringUp(m_fontTool);
}

void WindowMenu::showAbout()
{
    if (!m_about)
        m_about = new AboutWindow(&m_window);
    bringUp(m_about);
}

void WindowMenu::showHelp()
{
    if (!m_help)
        m_help = new HelpWindow(&m_window);
    bringUp(m_help);
}
