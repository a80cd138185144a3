#pragma once

#include "widgets/virtual/VirtualLcdWindow.h"
#include "logic/virtual/VirtualPicConfig.h"

#include <QObject>
#include <QPointer>

class VirtualLcdDevice;
class QWidget;

// The window's "Virtual LCD": one virtual PIC at a time on a
// pseudo-terminal, shown in its own window. Starting again (another size
// or packing) replaces the earlier one.
class VirtualLcdLauncher : public QObject
{
    Q_OBJECT
public:
    explicit VirtualLcdLauncher(QWidget *mainWindow);
    ~VirtualLcdLauncher() override;

    // Opens a new virtual PIC and shows its window; its device path, or ""
    // with `error` set.
    QString start(const VirtualPicConfig &config, QString *error);

    VirtualLcdDevice *device() const { return m_device; }
    VirtualLcdWindow *window() const { return m_window; }

private:
    void stop();

    QWidget *m_mainWindow;
    VirtualLcdDevice *m_device = nullptr;
    QPointer<VirtualLcdWindow> m_window;
};
