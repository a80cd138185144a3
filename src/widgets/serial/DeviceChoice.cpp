#include "widgets/serial/DeviceChoice.h"

#include "widgets/ui/ControlFactory.h"
#include "widgets/ui/ControlNames.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QThread>

#include <memory>
#include <QFileSystemWatcher>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace {
// Plugging an adapter changes /dev several times in a row (the node, then
// its udev links): the list is looked at again once things are quiet.
constexpr int settleMs = 500;
} // namespace

DeviceChoice::DeviceChoice(QWidget *parent)
    : QObject(parent), m_box(new QComboBox(parent)),
      m_refresh(Controls::button(parent, ControlNames::refreshDevicesButton, tr("Refresh"))), m_settle(new QTimer(this))
{
    m_box->setObjectName(ControlNames::deviceBox);
    m_box->setEditable(true);
    m_box->setInsertPolicy(QComboBox::NoInsert);
    // by-id names are long: they must not widen the window.
    m_box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_box->setMinimumContentsLength(14);
    m_box->setToolTip(tr("The device the chosen Com option opens: pick one or type its path"));
    // The typing part and the drop-down list speak for the box.
    m_box->lineEdit()->setAccessibleName(tr("Device"));
    m_box->view()->setAccessibleName(tr("Serial devices plugged in"));
    m_refresh->setAccessibleDescription(tr("Looks again for serial devices plugged in"));
    m_settle->setObjectName(ControlNames::deviceScanTimer);
    m_settle->setSingleShot(true);
    m_settle->setInterval(settleMs);
    connect(m_settle, &QTimer::timeout, this, &DeviceChoice::refresh);
    connect(m_refresh, &QPushButton::clicked, this, &DeviceChoice::refresh);
    connect(m_box, &QComboBox::activated, this, &DeviceChoice::announce);
    connect(m_box->lineEdit(), &QLineEdit::editingFinished, this, &DeviceChoice::announce);
    // Looking through the system's devices takes tens of milliseconds: the
    // first list is made off the GUI thread, so the window shows without it
    // (the box shows the chosen option's device meanwhile).
    auto found = std::make_shared<QList<SerialDevice>>();
    // The scan is this object's child, so it never outlives it unfinished or undeleted.
    m_scan = QThread::create([found] { *found = SerialDevices::scan(); });
    m_scan->setParent(this);
    connect(m_scan, &QThread::finished, this, [this, found] { firstListMade(*found); });
    connect(m_scan, &QThread::finished, m_scan, &QObject::deleteLater);
    m_scan->start();
}

DeviceChoice::~DeviceChoice()
{
    if (m_scan)
        m_scan->wait();
}

// Then hot-plug is followed.
void DeviceChoice::firstListMade(const QList<SerialDevice> &devices)
{
    showDevices(devices);
    m_watch = new QFileSystemWatcher({QStringLiteral("/dev")}, this);
    connect(m_watch, &QFileSystemWatcher::directoryChanged, m_settle, qOverload<>(&QTimer::start));
}

void DeviceChoice::show(const QString &path)
{
    const QSignalBlocker block(m_box);
    const int row = m_box->findData(path);
    m_box->setCurrentIndex(row);
    if (row < 0)
        m_box->setEditText(path);
}

void DeviceChoice::setEnabled(bool enabled)
{
    m_box->setEnabled(enabled);
    m_refresh->setEnabled(enabled);
}

void DeviceChoice::refresh()
{
    showDevices(SerialDevices::scan());
}

void DeviceChoice::showDevices(const QList<SerialDevice> &devices)
{
    if (devices == m_listed)
        return;
    m_listed = devices;
    const QString shown = m_box->currentText();
    const QSignalBlocker block(m_box);
    m_box->clear();
    for (const SerialDevice &device : devices)
        m_box->addItem(device.label(), device.path);
    // A path shown before the list came is shown as its item.
    int row = m_box->findText(shown);
    if (row < 0)
        row = m_box->findData(shown);
    m_box->setCurrentIndex(row);
    if (row < 0)
        m_box->setEditText(shown);
}

// A listed item stands for its path; anything else is a typed path.
void DeviceChoice::announce()
{
    const int row = m_box->currentIndex();
    const bool listed = row >= 0 && m_box->itemText(row) == m_box->currentText();
    emit chosen(listed ? m_box->itemData(row).toString() : m_box->currentText().trimmed());
}
