#include "FormLookup.h"
#include "widgets/ui/ControlNames.h"
#include "MessageRecorder.h"
#include "widgets/ui/FileAndFontPrompts.h"
#include "gui/MainWindow.h"
#include "widgets/output/ControlLock.h"
#include "widgets/serial/TransmitWindow.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

// The output window's buttons and the "&Open" menu, driven through the window.
class OutputWindowTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void reformatRefusesFormattedText_data();
    void reformatRefusesFormattedText();
    void reformatBuildsStreamAndMovesOn();
    void copyClearRestore();
    void caseToggle();
    void openLoadsTransmitWindow_data();
    void openLoadsTransmitWindow();
    void saveWritesOutputWindow();
    void saveReportsFailure();
    void saveWhereACopyCannotGo_data();
    void saveWhereACopyCannotGo();
    void lockGivesBackEachControlsOwnState();

private:
    QPushButton *button(const char *name) const { return control<QPushButton>(m_window, name); }
    QPlainTextEdit *text(const char *name) const { return control<QPlainTextEdit>(m_window, name); }

    MainWindow *m_window = nullptr;
};

// Every control the tests below use without looking again: a renamed one
// fails here, by name, instead of crashing the run.
void OutputWindowTest::init()
{
    m_window = new MainWindow;
    using namespace ControlNames;
    for (const char *name : {formatBox, delimiterBox, outputWindow, transmitWindow, reformatButton, sendToLcdButton,
                             saveOutputButton, copyOutputButton, textOutputFrame})
        QVERIFY(control<QWidget>(m_window, name));
}

void OutputWindowTest::cleanup()
{
    FileAndFontPrompts::setAnswerer({});
    delete m_window;
}

void OutputWindowTest::reformatRefusesFormattedText_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("delimiter");
    QTest::newRow("format") << "0x" << "";
    QTest::newRow("delimiter") << "" << ",";
}

void OutputWindowTest::reformatRefusesFormattedText()
{
    QFETCH(QString, format);
    QFETCH(QString, delimiter);
    if (auto *found = control<QLineEdit>(m_window, ControlNames::formatBox))
        found->setText(format);
    if (auto *found = control<QLineEdit>(m_window, ControlNames::delimiterBox))
        found->setText(delimiter);
    text(ControlNames::outputWindow)->setPlainText(QStringLiteral("0x00,0xFF"));
    button(ControlNames::reformatButton)->setEnabled(true);
    MessageRecorder recorder;
    QTest::mouseClick(button(ControlNames::reformatButton), Qt::LeftButton);
    QCOMPARE(recorder.messages, QStringList{"No Format or Delimiters allowed\n\rConvert again without them."});
    QCOMPARE(text(ControlNames::outputWindow)->toPlainText(), QStringLiteral("0x00,0xFF"));
    QVERIFY(m_window->state().reformattedText.isEmpty() && m_window->state().outputText.isEmpty());
    QVERIFY(button(ControlNames::reformatButton)->isEnabled());
    QVERIFY(!button(ControlNames::sendToLcdButton)->isEnabled());
}

void OutputWindowTest::reformatBuildsStreamAndMovesOn()
{
    AppState &state = m_window->state();
    state.transferHeader = QStringLiteral("40400000A*");
    state.picBufferSize = 4;
    text(ControlNames::outputWindow)->setPlainText(QStringLiteral("  00FF00FF00F "));
    button(ControlNames::reformatButton)->setEnabled(true);
    QTest::mouseClick(button(ControlNames::reformatButton), Qt::LeftButton);
    QCOMPARE(state.outputText, QStringLiteral("00ff00ff00f"));
    QCOMPARE(state.reformattedText, QStringLiteral("40400000a*]00ff]00ff]00f"));
    QCOMPARE(text(ControlNames::outputWindow)->toPlainText(), state.reformattedText);
    QVERIFY(button(ControlNames::sendToLcdButton)->isEnabled());
    QVERIFY(!button(ControlNames::reformatButton)->isEnabled());
}

void OutputWindowTest::copyClearRestore()
{
    AppState &state = m_window->state();
    state.savedOutputText = QStringLiteral("00ff");
    state.transferHeader = QStringLiteral("0200000A*");
    text(ControlNames::outputWindow)->setPlainText(QStringLiteral("abc123"));
    MessageRecorder recorder;
    QTest::mouseClick(button(ControlNames::copyOutputButton), Qt::LeftButton);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("abc123"));
    QCOMPARE(recorder.messages, QStringList{"Text copied to Clipboad"});

    button(ControlNames::saveOutputButton)->setEnabled(true);
    QTest::mouseClick(button(ControlNames::clearOutputButton), Qt::LeftButton);
    QVERIFY(text(ControlNames::outputWindow)->toPlainText().isEmpty());
    QVERIFY(state.transferHeader.isEmpty());
    QVERIFY(!button(ControlNames::saveOutputButton)->isEnabled());

    QTest::mouseClick(button(ControlNames::restoreOutputButton), Qt::LeftButton);
    QCOMPARE(text(ControlNames::outputWindow)->toPlainText(), QStringLiteral("00ff"));
    QVERIFY(button(ControlNames::saveOutputButton)->isEnabled());
}

void OutputWindowTest::caseToggle()
{
    QPushButton *toggle = button(ControlNames::caseButton);
    text(ControlNames::outputWindow)->setPlainText(QStringLiteral("{0xAb,0xcD}"));
    QTest::mouseClick(toggle, Qt::LeftButton);
    QCOMPARE(toggle->text(), QStringLiteral("&LowCase"));
    QCOMPARE(text(ControlNames::outputWindow)->toPlainText(), QStringLiteral("{0XAB,0XCD}"));
    QTest::mouseClick(toggle, Qt::LeftButton);
    QCOMPARE(toggle->text(), QStringLiteral("&UpCase"));
    QCOMPARE(text(ControlNames::outputWindow)->toPlainText(), QStringLiteral("{0xab,0xcd}"));
}

void OutputWindowTest::openLoadsTransmitWindow_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("chosen"); // "file", "missing" or "" for Cancel
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("refused");
    QTest::newRow("Latin-1 file") << QByteArray("]00ff\xe9\n") << "file" << QStringLiteral("]00ff\u00e9\n") << false;
    QTest::newRow("UTF-8 file") << QByteArray("caf\xc3\xa9\n") << "file" << QStringLiteral("caf\u00e9\n") << false;
    // The box shows lines; what it holds (and a copy of it all gives) keeps every CR.
    QTest::newRow("CR and CR LF") << QByteArray("AT\r\nB\rC") << "file" << QStringLiteral("AT\r\nB\rC") << false;
    QTest::newRow("cancel") << QByteArray("x") << "" << QStringLiteral("before") << false;
    QTest::newRow("missing file") << QByteArray("x") << "missing" << QStringLiteral("before") << false;
    QTest::newRow("over 1 MiB") << QByteArray(1024 * 1024 + 1, 'f') << "file" << QStringLiteral("before") << true;
}

void OutputWindowTest::openLoadsTransmitWindow()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, chosen);
    QFETCH(QString, expected);
    QFETCH(bool, refused);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("picture.txt"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
    file.close();
    text(ControlNames::transmitWindow)->setPlainText(QStringLiteral("before"));
    FileAndFontPrompts *dialog = m_window->fileAndFontPrompts();
    dialog->fileName = QStringLiteral("stale.bmp");
    QString filterShown;
    QString nameShown = QStringLiteral("unset");
    FileAndFontPrompts::setAnswerer([&](FileAndFontPrompts &d, FileAndFontPrompts::Mode mode) {
        filterShown = d.filter;
        nameShown = d.fileName;
        if (mode != FileAndFontPrompts::Mode::Open || chosen.isEmpty())
            return QString();
        return chosen == QLatin1String("file") ? path : dir.filePath(QStringLiteral("gone.txt"));
    });
    MessageRecorder recorder;
    QAction *open = control<QAction>(m_window, ControlNames::openAction);
    QVERIFY(open);
    open->trigger();
    QCOMPARE(filterShown, QStringLiteral("Open ASCII (*.txt)|*.txt|All Files (*.*)|*.*|"));
    QVERIFY(nameShown.isEmpty());
    auto *transmit = qobject_cast<TransmitWindow *>(text(ControlNames::transmitWindow));
    QVERIFY(transmit);
    QCOMPARE(transmit->heldText(), expected);
    if (chosen == QLatin1String("file") && !refused) {
        transmit->selectAll();
        transmit->copy();
        QCOMPARE(QGuiApplication::clipboard()->text(), expected);
    }
    QCOMPARE(recorder.messages.size(), refused ? 1 : 0);
}

void OutputWindowTest::saveWritesOutputWindow()
{
    QTemporaryDir dir;
    text(ControlNames::outputWindow)->setPlainText(QStringLiteral("0200000a*]00ff"));
    QStringList settings;
    FileAndFontPrompts::setAnswerer([&](FileAndFontPrompts &d, FileAndFontPrompts::Mode mode) {
        settings << d.dialogTitle << d.filter << d.fileName << d.defaultExt;
        return mode == FileAndFontPrompts::Mode::Save ? dir.filePath(QStringLiteral("picture")) : QString();
    });
    button(ControlNames::saveOutputButton)->setEnabled(true);
    MessageRecorder recorder;
    QTest::mouseClick(button(ControlNames::saveOutputButton), Qt::LeftButton);
    QCOMPARE(settings, QStringList({"LCD File to Save", "Text(*.txt)|*.txt|Basic (*.bas)|*.bas", "*.txt", "*.txt"}));
    QFile saved(dir.filePath(QStringLiteral("picture.txt")));
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), QByteArray("0200000a*]00ff"));
    QVERIFY(recorder.messages.isEmpty());
}

void OutputWindowTest::saveReportsFailure()
{
    QTemporaryDir dir;
    FileAndFontPrompts::setAnswerer([&](FileAndFontPrompts &, FileAndFontPrompts::Mode) {
        return dir.filePath(QStringLiteral("missing-folder/picture.txt"));
    });
    text(ControlNames::outputWindow)->setPlainText(QStringLiteral("00ff"));
    button(ControlNames::saveOutputButton)->setEnabled(true);
    MessageRecorder recorder;
    QTest::mouseClick(button(ControlNames::saveOutputButton), Qt::LeftButton);
    QCOMPARE(recorder.messages.size(), 1);
    QVERIFY2(recorder.messages.first().startsWith(QStringLiteral("File Save Error - ")), qPrintable(recorder.messages.first()));
    QVERIFY(recorder.messages.first().size() > int(qstrlen("File Save Error - ")));
}

// A control inside a disabled frame is not enabled, yet its own setting is;
// after the lock it must follow the frame again, not stay disabled.
void OutputWindowTest::saveWhereACopyCannotGo_data()
{
    QTest::addColumn<QString>("where");
    QTest::addColumn<bool>("saved");
    QTest::newRow("writable file, read-only folder") << "folder" << true;
    QTest::newRow("full device") << "/dev/full" << false;
}

// A file in a folder that takes no new files is written in place; a device
// that fails the write says so instead of reporting success.
void OutputWindowTest::saveWhereACopyCannotGo()
{
    QFETCH(QString, where);
    QFETCH(bool, saved);
    QTemporaryDir dir;
    QString path = where;
    // Root may create files in any folder unless the folder is immutable.
    const auto seal = [&](bool sealed) {
        if (geteuid() == 0)
            return QProcess::execute(QStringLiteral("chattr"), {sealed ? "+i" : "-i", dir.path()}) == 0;
        return QFile::setPermissions(dir.path(), sealed ? QFile::ReadOwner | QFile::ExeOwner
                                                        : QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    };
    if (where == "folder") {
        path = dir.filePath(QStringLiteral("picture.txt"));
        QFile existing(path);
        QVERIFY(existing.open(QIODevice::WriteOnly));
        existing.close();
        if (!seal(true))
            QSKIP("this file system cannot make a folder refuse new files");
    }
    FileAndFontPrompts::setAnswerer([&](FileAndFontPrompts &, FileAndFontPrompts::Mode) { return path; });
    text(ControlNames::outputWindow)->setPlainText(QStringLiteral("00ff"));
    button(ControlNames::saveOutputButton)->setEnabled(true);
    MessageRecorder recorder;
    QTest::mouseClick(button(ControlNames::saveOutputButton), Qt::LeftButton);
    if (where == "folder")
        seal(false);
    QVERIFY2(recorder.messages.isEmpty() == saved, qPrintable(recorder.messages.join(QLatin1Char('\n'))));
    if (saved) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("00ff"));
    } else {
        QVERIFY(recorder.messages.first().startsWith(QStringLiteral("File Save Error - /dev/full")));
        QVERIFY(QFileInfo(QStringLiteral("/dev/full")).isFile() == false); // never replaced by a file
    }
}

void OutputWindowTest::lockGivesBackEachControlsOwnState()
{
    auto *frame = control<QWidget>(m_window, ControlNames::textOutputFrame);
    QVERIFY(frame);
    frame->setEnabled(false);
    button(ControlNames::saveOutputButton)->setEnabled(false);
    ControlLock lock;
    lock.lock({button(ControlNames::copyOutputButton), button(ControlNames::saveOutputButton), button(ControlNames::reformatButton), nullptr});
    lock.lock({button(ControlNames::copyOutputButton)});
    QVERIFY(!button(ControlNames::reformatButton)->isEnabled());
    button(ControlNames::reformatButton)->setEnabled(false);
    lock.unlock();
    frame->setEnabled(true);
    QVERIFY(button(ControlNames::copyOutputButton)->isEnabled());
    QVERIFY(!button(ControlNames::saveOutputButton)->isEnabled());
    QVERIFY(!button(ControlNames::reformatButton)->isEnabled()); // disabled at design time
    QVERIFY(!lock.isLocked());
}

QTEST_MAIN(OutputWindowTest)
#include "tst_outputwindow.moc"
