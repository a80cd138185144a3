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
        control<QAbstractButton>(window.get(), "optgrf_1")->click();
        control<QAbstractButton>(window.get(), ControlNames::verticalOption)->click();
        auto *profile = control<QComboBox>(window.get(), "cboProfile");
        profile->setCurrentIndex(profile->count() - 1); // Custom
        control<QComboBox>(window.get(), "cboOrder")->setCurrentIndex(3); // MSB at top, column by column
        control<QAbstractButton>(window.get(), "chkinvert")->click();
        control<QComboBox>(window.get(), ControlNames::penSizeBox)->setCurrentIndex(3);
        control<QComboBox>(window.get(), "cboZoom")->setCurrentIndex(2);
        control<QLineEdit>(window.get(), ControlNames::headerBox)->setText(QStringLiteral("const uint8_t logo[] = {"));
        control<QLineEdit>(window.get(), ControlNames::waitCharBox)->setText(QStringLiteral("#"));
        control<QListWidget>(window.get(), ControlNames::picBufferList)->setCurrentRow(6);
        control<QListWidget>(window.get(), ControlNames::picDelayList)->setCurrentRow(10);
        control<QAbstractButton>(window.get(), ControlNames::loadEepromCheck)->click();
        control<QLineEdit>(window.get(), "eeprom")->setText(QStringLiteral("01024"));
        control<QLineEdit>(window.get(), "xmitdelay")->setText(QStringLiteral("150"));
        control<QAbstractButton>(window.get(), "Option1_2")->click();
        control<QListWidget>(window.get(), ControlNames::portSettingsList)->setCurrentRow(2);
        control<QListWidget>(window.get(), "proto")->setCurrentRow(2);
        control<QLineEdit>(window.get(), "combuff")->setText(QStringLiteral("256"));
        control<QAbstractButton>(window.get(), "cmdbuff")->click();
        before = snapshot(*window);
        window->close();
    }
    SettingsStore again(m_dir->filePath(QStringLiteral("tavrel.conf")));
    auto window = startWindow(again);
    QCOMPARE(snapshot(*window), before);
    QCOMPARE(window->findChild<PixelCanvas *>()->image().size(), QSize(128, 64));
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
    QTest::newRow("garbage bytes") << QByteArray("\x00\xff[[[=\n\x01\x02 canvas/size\n", 21) << 0;
    QTest::newRow("out of range") << QByteArray("[canvas]\nsize=9\npenSize=-1\ninverted=maybe\n[link]\n"
                                                "picBuffer=99\nstartAddress=70000\neeprom=true\n"
                                                "xmitDelay=soon\n[port]\ncom=0\nsettings=19200,x,8,1\n"
                                                "outBuffer=0\n[format]\npacking=diagonal\nprofile=hd44780\n")
                                  << 11;
}

void SettingsTest::damagedValuesAreIgnoredOneByOne()
{
    QFETCH(QByteArray, file);
    QFETCH(int, warnings);
    const QString path = m_dir->filePath(QStringLiteral("bad.conf"));
    QFile out(path);
    QVERIFY(out.open(QIODevice::WriteOnly) && out.write(file) == file.size());
    out.close();
    SettingsStore store(path);
    auto window = startWindow(store);
    QVERIFY2(m_warnings.size() == warnings, qPrintable(m_warnings.join('\n')));
    // What was good still counts (the EEPROM target); the header stays sound.
    MessageRecorder recorder;
    control<QAbstractButton>(window.get(), ControlNames::convertButton)->click();
    QVERIFY(window->state().transferHeader.endsWith(QLatin1Char('*')));
    QCOMPARE(window->state().transferHeader.size(), 10);
}

void SettingsTest::resetForgetsEverything()
{
    const QString path = m_dir->filePath(QStringLiteral("tavrel.conf"));
    {
        SettingsStore store(path);
        auto window = startWindow(store);
        control<QAbstractButton>(window.get(), "optgrf_1")->click();
        window->close();
    }
    SettingsStore store(path);
    auto window = startWindow(store);
    QVERIFY(control<QAbstractButton>(window.get(), "optgrf_1")->isChecked());
    MessageRecorder recorder; // answers OK
    window->resetSettings();
    window->close();
    SettingsStore fresh(path);
    auto next = startWindow(fresh);
    QVERIFY(control<QAbstractButton>(next.get(), "optgrf_0")->isChecked());
}

QTEST_MAIN(SettingsTest)
#include "tst_settings.moc"
