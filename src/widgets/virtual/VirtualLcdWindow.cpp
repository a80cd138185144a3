#include "widgets/virtual/VirtualLcdWindow.h"

#include "logic/virtual/VirtualLcdDevice.h"
#include "logic/virtual/VirtualPic.h"
#include "widgets/virtual/VirtualLcdPicture.h"
#include "widgets/ui/VirtualLcdNames.h"

#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace {

constexpr int redrawMs = 15;

} // namespace

VirtualLcdWindow::VirtualLcdWindow(VirtualLcdDevice *device, QWidget *parent)
    : QWidget(parent, Qt::Window), m_device(device)
{
    setWindowTitle(tr("Virtual LCD"));
    buildLayout();
    m_redraw.setSingleShot(true);
    m_redraw.setInterval(redrawMs);
    connect(&m_redraw, &QTimer::timeout, this, &VirtualLcdWindow::redraw);
    const VirtualPic *pic = device->pic();
    connect(pic, &VirtualPic::streamStarted, this, &VirtualLcdWindow::streamStarted);
    connect(pic, &VirtualPic::blockReceived, this, &VirtualLcdWindow::blockReceived);
    connect(pic, &VirtualPic::faultFound, this, &VirtualLcdWindow::faultFound);
    connect(pic, &VirtualPic::streamEnded, this, &VirtualLcdWindow::streamEnded);
    connect(device, &VirtualLcdDevice::failed, this, &VirtualLcdWindow::deviceFailed);
    redraw();
}

void VirtualLcdWindow::buildLayout()
{
    auto *layout = new QVBoxLayout(this);
    m_where = new QLabel(deviceCaption(), this);
    m_where->setObjectName(VirtualLcdNames::virtualDevice);
    m_where->setAccessibleDescription(tr("Virtual LCD device"));
    m_where->setTextInteractionFlags(Qt::TextSelectableByMouse); // the path is worth copying
    const VirtualPicConfig &config = m_device->pic()->config();
    m_picture = new VirtualLcdPicture(QSize(config.width, config.height), this);
    m_picture->setObjectName(VirtualLcdNames::virtualPicture);
    m_picture->setAccessibleName(tr("Virtual LCD picture"));
    m_progress = new QLabel(tr("Waiting for a stream"), this);
    m_progress->setObjectName(VirtualLcdNames::virtualProgress);
    m_progress->setAccessibleDescription(tr("Stream progress"));
    m_progress->setWordWrap(true);
    auto *faultsLabel = new QLabel(tr("&Faults"), this);
    m_faults = new QListWidget(this);
    m_faults->setObjectName(VirtualLcdNames::virtualFaults);
    faultsLabel->setBuddy(m_faults);
    m_faults->setAccessibleName(tr("Faults")); // item views do not take their name from a buddy
    m_faults->setWordWrap(true); // a fault says what a real PIC would have done: too long for one line
    layout->addWidget(m_where);
    // The picture takes the room the window gains; the faults keep a few lines.
    layout->addWidget(m_picture, 3);
    layout->addWidget(m_progress);
    layout->addWidget(faultsLabel);
    layout->addWidget(m_faults, 1);
}

QString VirtualLcdWindow::deviceCaption() const
{
    const VirtualPicConfig &config = m_device->pic()->config();
    return tr("%1x%2 %3 on %4")
        .arg(config.width)
        .arg(config.height)
        .arg(config.horizontal ? tr("horizontal") : tr("vertical"), m_device->devicePath());
}

// Faults found before a header belong to the stream the header starts, so
// the list is cleared when a new stream first shows, not at its header.
void VirtualLcdWindow::clearFaultsOfLastStream()
{
    if (m_faultsOfLastStream)
        m_faults->clear();
    m_faultsOfLastStream = false;
}

void VirtualLcdWindow::streamStarted(const ReceivedHeader &header)
{
    clearFaultsOfLastStream();
    m_progress->setText(header.isEeprom() ? tr("EEPROM stream from address %1").arg(header.address)
                                          : tr("LCD stream"));
    redraw();
}

void VirtualLcdWindow::blockReceived(int block, qsizetype firstByte, qsizetype byteCount, bool dropped)
{
    m_progress->setText(dropped ? tr("Block %1 dropped").arg(block)
                                : tr("Block %1, %2 bytes so far").arg(block).arg(firstByte + byteCount));
    if (!m_redraw.isActive())
        m_redraw.start();
}

void VirtualLcdWindow::faultFound(const VirtualFault &fault)
{
    clearFaultsOfLastStream();
    m_faults->addItem(fault.text());
    m_faults->scrollToBottom();
}

void VirtualLcdWindow::streamEnded(const VirtualStreamSummary &summary)
{
    m_progress->setText(summary.text());
    m_faultsOfLastStream = true;
    m_redraw.stop();
    redraw();
}

void VirtualLcdWindow::deviceFailed(const QString &reason)
{
    m_progress->setText(tr("The virtual LCD stopped: %1").arg(reason));
}

void VirtualLcdWindow::redraw()
{
    m_shown = m_device->pic()->picture();
    m_picture->setImage(m_shown);
}
