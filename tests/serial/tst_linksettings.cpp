#include "FormLookup.h"
#include "widgets/ui/ControlNames.h"
#include "MessageRecorder.h"
#include "PseudoTerminal.h"
#include "widgets/ui/ControlFactory.h"
#include "gui/MainWindow.h"
#include "logic/serial/CommPort.h"
#include "logic/serial/PortAssignments.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

// The PIC link settings, the "Settings Now" summary and the EEPROM target.
class LinkSettingsTest : public QObject
{
    Q_OBJECT
private slots:
    void settingsNow();
    void eepromTargetBothWays();
    void displayEeprom();
};

void LinkSettingsTest::settingsNow()
{
    MessageRecorder recorder;
    MainWindow window(PortAssignments{});
    auto *apply = control<QPushButton>(&window, ControlNames::applyLinkButton);
    QVERIFY(apply);
    apply->click();
    QCOMPARE(recorder.messages.value(0),
             QStringLiteral("Settings Now\n\rBuffer:32\n\rDelay:10\n\rWait Char(s): ]\n\rXmit Delay:5"));

    auto *picBufferList = control<QListWidget>(&window, ControlNames::picBufferList);
    QVERIFY(picBufferList);
    picBufferList->setCurrentRow(6); // at once, no Apply needed
    QCOMPARE(window.state().picBufferSize, qint16(128));
    auto *picDelayList = control<QListWidget>(&window, ControlNames::picDelayList);
    QVERIFY(picDelayList);
    picDelayList->setCurrentRow(10);
    QCOMPARE(window.state().picDelayMs, qint16(100));
    auto *wait = control<QLineEdit>(&window, ControlNames::waitCharBox);
    QVERIFY(wait);
    wait->clear(); // every change counts, even to nothing
    QCOMPARE(window.state().waitChars, QString());
    QTest::keyClicks(wait, "]]");
    QCOMPARE(window.state().waitChars, QStringLiteral("]]"));
    auto *xmitDelay = control<QLineEdit>(&window, ControlNames::xmitDelayBox);
    QVERIFY(xmitDelay);
    xmitDelay->setText(QStringLiteral("soon")); // shown as typed
    // Apply reads the lists and waitCharBox again, whatever the record holds now.
    window.state().picBufferSize = 7;
    window.state().picDelayMs = 7;
    window.state().waitChars = QStringLiteral("stale");
    apply->click();
    QCOMPARE(recorder.messages.value(1),
             QStringLiteral("Settings Now\n\rBuffer:128\n\rDelay:100\n\rWait Char(s): ]]\n\rXmit Delay:soon"));
    QCOMPARE(window.state().waitChars, QStringLiteral("]]"));
}

void LinkSettingsTest::eepromTargetBothWays()
{
    MessageRecorder recorder;
    MainWindow window(PortAssignments{});
    auto *check = control<QCheckBox>(&window, ControlNames::loadEepromCheck);
    QVERIFY(check);
    auto *address = control<QLineEdit>(&window, ControlNames::startAddressBox);
    QVERIFY(address);
    auto *delay = control<QLineEdit>(&window, ControlNames::xmitDelayBox);
    QVERIFY(delay);
    auto *sendToLcdButton = control<QPushButton>(&window, ControlNames::sendToLcdButton);
    QVERIFY(sendToLcdButton);
    auto *directLoadFrame = control<QGroupBox>(&window, ControlNames::directLoadFrame);
    QVERIFY(directLoadFrame);
    const QString base = QApplication::palette(address).color(QPalette::Base).name();
    auto target = [&] {
        return QStringList{sendToLcdButton->text(),
                           directLoadFrame->title(), QString::number(address->isEnabled()),
                           Controls::background(address).name(), address->text(), delay->text(),
                           QString::number(window.state().eepromMode)}
            .join('|');
    };
    check->click();
    QCOMPARE(target(), "Load Eeprom|Directly load  I2C Eeprom|1|" + base + "|00000|100|1");
    address->setText(QStringLiteral("12345"));
    delay->setText(QStringLiteral("42")); // lasts until the next switch
    check->click();
    QCOMPARE(target(), QStringLiteral("Send to LCD|Directly load LCD|0|#808080|00000|5|0"));
    address->setText(QStringLiteral("00512"));
    check->click(); // checking keeps the address
    QCOMPARE(address->text(), QStringLiteral("00512"));
}

void LinkSettingsTest::displayEeprom()
{
    PseudoTerminal pty;
    PortAssignments ports;
    ports.setDevice(1, pty.slavePath());
    MessageRecorder recorder;
    MainWindow window(ports);
    auto *display = control<QPushButton>(&window, ControlNames::displayEepromButton);
    QVERIFY(display);
    display->click();
    QCOMPARE(recorder.beeps, 1);
    QCOMPARE(recorder.messages, QStringList{"Port not open!"});
    auto *portOpenButton = control<QPushButton>(&window, ControlNames::portOpenButton);
    QVERIFY(portOpenButton);
    portOpenButton->click();
    auto *port = control<CommPort>(&window, CommPort::ObjectName);
    QVERIFY(port->portOpen());
    display->click(); // the LCD target is chosen: the command goes out all the same
    QTRY_COMPARE(port->bytesToWrite(), 0);
    QCOMPARE(pty.read(), QByteArray("*22000000a"));
    QCOMPARE(recorder.messages.size(), 1);
}

QTEST_MAIN(LinkSettingsTest)
#include "tst_linksettings.moc"
