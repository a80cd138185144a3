#include "FormLookup.h"
#include "widgets/ui/ControlNames.h"
#include "MessageRecorder.h"
#include "gui/MainWindow.h"
#include "logic/core/AppState.h"
#include "logic/core/SettingsStore.h"
#include "widgets/canvas/PixelCanvas.h"
#include "logic/serial/PortAssignments.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QtTest>

// Choices survive a restart; a first start and a damaged file both give
// the start-up state, never a bad header.
class SettingsTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void choicesSurviveARestart();
    void firstStartIsTheStartUpState();
    void damagedValuesAreIgnoredOneByOne_data();
    void damagedValuesAreIgnoredOneByOne();
    void resetForgetsEverything();

private:
    // The controls a user sets, as text, to compare two windows.
    static QStringList snapshot(MainWindow &window);
    std::unique_ptr<MainWindow> startWindow(SettingsStore &store);

    std::unique_ptr<QTemporaryDir> m_dir;
    QStringList m_warnings;
};

void SettingsTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_warnings.clear();
    SettingsStore::setWarningSink([this](const QString &warning) { m_warnings << warning; });
}

void SettingsTest::cleanup()
{
    SettingsStore::setWarningSink({});
}

std::unique_ptr<MainWindow> SettingsTest::startWindow(SettingsStore &store)
{
    auto window = std::make_unique<MainWindow>(PortAssignments());
    window->useSettings(&store);
    return window;
}

QStringList SettingsTest::snapshot(MainWindow &window)
{
    QStringList values;
    for (QAbstractButton *button : window.findChildren<QAbstractButton *>())
        if (button->isCheckable())
            values << button->objectName() + '=' + QString::number(button->isChecked());
    for (QLineEdit *box : window.findChildren<QLineEdit *>())
        values << box->objectName() + '=' + box->text();
    for (QListWidget *list : window.findChildren<QListWidget *>())
        values << list->objectName() + '=' + QString::number(list->currentRow());
    for (QComboBox *combo : window.findChildren<QComboBox *>())
        values << combo->objectName() + '=' + QString::number(combo->currentIndex());
    const AppState &s = window.state();
    values << QStringLiteral("state=%1 %2 %3 %4 %5 %6")
                  .arg(s.lcdSizeIndex).arg(s.picBufferSize).arg(s.picDelayMs).arg(s.waitChars)
                  .arg(s.eepromMode).arg(s.byteMatrixHorizontal);
    values.sort();
    return values;
}

void SettingsTest::choicesSurviveARestart()
{
    SettingsStore store(m_dir->filePath(QStringLiteral("tavrel.conf")));
    QStringList before;
    {
        auto window = startWindow(store);
        auto *optgrf_1 = control<QAbstractButton>(window.get(), "optgrf_1");
        QVERIFY(optgrf_1);
        optgrf_1->click();
        auto *verticalOption = control<QAbstractButton>(window.get(), ControlNames::verticalOption);
        QVERIFY(verticalOption);
        verticalOption->click();
        auto *profile = control<QComboBox>(window.get(), "cboProfile");
        QVERIFY(profile);
        profile->setCurrentIndex(profile->count() - 1); // Custom
        auto *cboOrder = control<QComboBox>(window.get(), "cboOrder");
        QVERIFY(cboOrder);
        cboOrder->setCurrentIndex(3); // MSB at top, column by column
        auto *chkinvert = control<QAbstractButton>(window.get(), "chkinvert");
        QVERIFY(chkinvert);
        chkinvert->click();
        auto *penSizeBox = control<QComboBox>(window.get(), ControlNames::penSizeBox);
        QVERIFY(penSizeBox);
        penSizeBox->setCurrentIndex(3);
        auto *cboZoom = control<QComboBox>(window.get(), "cboZoom");
        QVERIFY(cboZoom);
        cboZoom->setCurrentIndex(2);
        auto *headerBox = control<QLineEdit>(window.get(), ControlNames::headerBox);
        QVERIFY(headerBox);
        headerBox->setText(QStringLiteral("const uint8_t logo[] = {"));
        auto *waitCharBox = control<QLineEdit>(window.get(), ControlNames::waitCharBox);
        QVERIFY(waitCharBox);
        waitCharBox->setText(QStringLiteral("#"));
        auto *picBufferList = control<QListWidget>(window.get(), ControlNames::picBufferList);
        QVERIFY(picBufferList);
        picBufferList->setCurrentRow(6);
        auto *picDelayList = control<QListWidget>(window.get(), ControlNames::picDelayList);
        QVERIFY(picDelayList);
        picDelayList->setCurrentRow(10);
        auto *loadEepromCheck = control<QAbstractButton>(window.get(), ControlNames::loadEepromCheck);
        QVERIFY(loadEepromCheck);
        loadEepromCheck->click();
        auto *eeprom = control<QLineEdit>(window.get(), "eeprom");
        QVERIFY(eeprom);
        eeprom->setText(QStringLiteral("01024"));
        auto *xmitdelay = control<QLineEdit>(window.get(), "xmitdelay");
        QVERIFY(xmitdelay);
        xmitdelay->setText(QStringLiteral("150"));
        auto *Option1_2 = control<QAbstractButton>(window.get(), "Option1_2");
        QVERIFY(Option1_2);
        Option1_2->click();
        auto *portSettingsList = control<QListWidget>(window.get(), ControlNames::portSettingsList);
        QVERIFY(portSettingsList);
        portSettingsList->setCurrentRow(2);
        auto *proto = control<QListWidget>(window.get(), "proto");
        QVERIFY(proto);
        proto->setCurrentRow(2);
        auto *combuff = control<QLineEdit>(window.get(), "combuff");
        QVERIFY(combuff);
        combuff->setText(QStringLiteral("256"));
        auto *cmdbuff = control<QAbstractButton>(window.get(), "cmdbuff");
        QVERIFY(cmdbuff);
        cmdbuff->click();
        before = snapshot(*window);
        window->close();
    }
    SettingsStore again(m_dir->filePath(QStringLiteral("tavrel.conf")));
    auto window = startWindow(again);
    QCOMPARE(snapshot(*window), before);
    auto *pixelCanvas = window->findChild<PixelCanvas *>();
    QVERIFY(pixelCanvas);
    QCOMPARE(pixelCanvas->image().size(), QSize(128, 64));
    QVERIFY(m_warnings.isEmpty());
}

void SettingsTest::firstStartIsTheStartUpState()
{
    MainWindow plain{PortAssignments()};
    SettingsStore store(m_dir->filePath(QStringLiteral("none.conf")));
    auto window = startWindow(store);
    QCOMPARE(snapshot(*window), snapshot(plain));
    QVERIFY(m_warnings.isEmpty());
}

void SettingsTest::damagedValuesAreIgnoredOneByOne_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("warnings");
    QTest::addColumn<QString>("header");
    QTest::newRow("garbage bytes") << QByteArray("\x00\xff[[[=\n\x01\x02 canvas/size\n", 21) << 0
                                   << QStringLiteral("02000000A*"); // LCD 240x64, buffer 32, address 0, delay 10
    QTest::newRow("out of range") << QByteArray("[canvas]\nsize=9\npenSize=-1\ninverted=maybe\n[link]\n"
                                                "picBuffer=99\nstartAddress=70000\neeprom=true\n"
                                                "xmitDelay=soon\n[port]\ncom=0\nsettings=19200,x,8,1\n"
                                                "outBuffer=0\n[format]\npacking=diagonal\nprofile=hd44780\n")
                                  << 11 << QStringLiteral("12000000A*"); // EEPROM, buffer 32, address 0, delay 10
}

void SettingsTest::damagedValuesAreIgnoredOneByOne()
{
    QFETCH(QByteArray, file);
    QFETCH(int, warnings);
    QFETCH(QString, header);
    const QString path = m_dir->filePath(QStringLiteral("bad.conf"));
    QFile out(path);
    QVERIFY(out.open(QIODevice::WriteOnly) && out.write(file) == file.size());
    out.close();
    SettingsStore store(path);
    auto window = startWindow(store);
    QVERIFY2(m_warnings.size() == warnings, qPrintable(m_warnings.join('\n')));
    // What was good still counts (the EEPROM target); the header stays sound.
    MessageRecorder recorder;
    auto *convertButton = control<QAbstractButton>(window.get(), ControlNames::convertButton);
    QVERIFY(convertButton);
    convertButton->click();
    QCOMPARE(window->state().transferHeader, header);
}

void SettingsTest::resetForgetsEverything()
{
    const QString path = m_dir->filePath(QStringLiteral("tavrel.conf"));
    {
        SettingsStore store(path);
        auto window = startWindow(store);
        auto *optgrf_1 = control<QAbstractButton>(window.get(), "optgrf_1");
        QVERIFY(optgrf_1);
        optgrf_1->click();
        window->close();
    }
    SettingsStore store(path);
    auto window = startWindow(store);
    auto *restoredSize = control<QAbstractButton>(window.get(), "optgrf_1");
    QVERIFY(restoredSize);
    QVERIFY(restoredSize->isChecked());
    MessageRecorder recorder; // answers OK
    window->resetSettings();
    window->close();
    SettingsStore fresh(path);
    auto next = startWindow(fresh);
    auto *optgrf_0 = control<QAbstractButton>(next.get(), "optgrf_0");
    QVERIFY(optgrf_0);
    QVERIFY(optgrf_0->isChecked());
}

QTEST_MAIN(SettingsTest)
#include "tst_settings.moc"
