#include "widgets/virtual/VirtualLcdLauncher.h"

#include "logic/virtual/VirtualLcdDevice.h"
#include "widgets/virtual/VirtualLcdWindow.h"

#include <QWidget>

VirtualLcdLauncher::VirtualLcdLauncher(QWidget *mainWindow) : QObject(mainWindow), m_mainWindow(mainWindow)
{
}

VirtualLcdLauncher::~VirtualLcdLauncher()
{
    stop();
}

void VirtualLcdLauncher::stop()
{
    delete m_window;
    if (m_device) {
        m_device->close();
        delete m_device;
        m_device = nullptr;
    }
}

QString VirtualLcdLauncher::start(const VirtualPicConfig &config, QString *error)
{
    stop();
    m_device = new VirtualLcdDevice(config, this);
    if (!m_device->open(error)) {
        delete m_device;
        m_device = nullptr;
        return QString();
    }
    // A window of its own beside the main one, kept above it.
    m_window = new VirtualLcdWindow(m_device, m_mainWindow);
    m_window->setWindowFlag(Qt::Window);
    m_window->setWindowTitle(tr("Virtual LCD %1x%2").arg(config.width).arg(config.height));
    m_window->show();
    return m_device->devicePath();
}
