#include "SerialRig.h"
#include "widgets/ui/ControlNames.h"
#include "logic/serial/FixedPitchFont.h"
#include "widgets/serial/TerminalView.h"
#include "widgets/serial/LogFileDialog.h"
#include "widgets/serial/TerminalText.h"

#include <QAccessible>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>
#include <QTextBlock>
#include <QtTest>

namespace {
void commit(QWidget *widget, const QString &text, const QString &preedit = QString())
{
    QInputMethodEvent event(preedit, {});
    event.setCommitString(text);
    QApplication::sendEvent(widget, &event);
}

// The receive window's whole text as assistive tools read it.
QString accessibleText(QWidget *widget)
{
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(widget);
    QAccessibleTextInterface *text = accessible ? accessible->textInterface() : nullptr;
    return text ? text->text(0, text->characterCount()) : QString();
}

// The line at the top of the receive window's view.
QString topLine(const QPlainTextEdit *edit)
{
    return edit->cursorForPosition(QPoint(4, 4)).block().text();
}

QByteArray numberedLines(const char *word, int count)
{
    QByteArray lines;
    for (int i = 0; i < count; ++i)
        lines += QByteArray(word) + QByteArray::number(1000 + i) + '\r';
    return lines;
}
} // namespace

// The terminal over a pseudo-terminal: what typing, composing and pasting
// send, the views of what arrives, the log file, and the receive window's
// bound and scrolling.
class TerminalWindowTest : public QObject
{
    Q_OBJECT
private slots:
    void cleanup();
    void composedTextIsSent();
    void pastedTextIsSent_data();
    void pastedTextIsSent();
    void enterSendsChosenEnding_data();
    void enterSendsChosenEnding();
    void viewsOfReceivedBytes();
    void wholeTextReachesAssistiveTools();
    void rowsFitAndCopyGivesReceivedText();
    void fixedPitchFallback();
    void logHoldsReceivedBytes();
    void logRefusals();
    void scrolledBackViewStays();
    void terminalCanTakeTheWindow();
};

void TerminalWindowTest::cleanup()
{
    LogFileDialog::setAnswerer({});
}

// Dead keys, Compose and input methods commit text instead of key presses.
void TerminalWindowTest::composedTextIsSent()
{
    PseudoTerminal pty;
    SerialRig rig(portsWith(pty));
    QPlainTextEdit *typing = rig.typing();
    QVERIFY(typing);
    commit(typing, QString::fromUtf8("\u00ea"));
    QCOMPARE(rig.sent(pty), QByteArray()); // closed: shown, not sent
    rig.clickOpenClose();
    commit(typing, QString(), QStringLiteral("^")); // a dead key waiting: nothing yet
    commit(typing, QString::fromUtf8("\u00ea"));
    commit(typing, QString::fromUtf8("\u00a9\u00fc"));
    QCOMPARE(rig.sent(pty), QByteArray("\xea\xa9\xfc"));
    const int beeps = rig.recorder.beeps;
    commit(typing, QString::fromUtf8("a\u20acb"));
    QCOMPARE(rig.sent(pty), QByteArray("ab"));
    QCOMPARE(rig.recorder.beeps, beeps + 1);
    QCOMPARE(typing->toPlainText(), QString::fromUtf8("\u00ea\u00ea\u00a9\u00fcab"));
}

void TerminalWindowTest::pastedTextIsSent_data()
{
    QTest::addColumn<int>("enter");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("Enter sends CR") << 0 << QByteArray("AT\rX1\r");
    QTest::newRow("Enter sends CR LF") << 2 << QByteArray("AT\r\nX1\r\n");
}

// Ctrl+V sends the pasted text, line breaks as Enter sends them, never 0x16.
void TerminalWindowTest::pastedTextIsSent()
{
    QFETCH(int, enter);
    PseudoTerminal pty;
    SerialRig rig(portsWith(pty));
    auto *enterBox = rig.get<QComboBox>(ControlNames::enterKeyBox);
    QVERIFY(enterBox);
    enterBox->setCurrentIndex(enter);
    rig.clickOpenClose();
    QPlainTextEdit *typing = rig.typing();
    QVERIFY(typing);
    QGuiApplication::clipboard()->setText(QString::fromUtf8("AT\r\nX\u20ac1\n"));
    const int beeps = rig.recorder.beeps;
    QTest::keyClick(typing, Qt::Key_V, Qt::ControlModifier);
    QTEST(rig.sent(pty), "bytes");
    QCOMPARE(rig.recorder.beeps, beeps + 1); // for the euro sign, which is neither shown nor sent
    QCOMPARE(typing->toPlainText(), QStringLiteral("AT\nX1\n"));
    QTest::keyClick(typing, Qt::Key_Insert, Qt::ShiftModifier);
    QTEST(rig.sent(pty), "bytes");
}

void TerminalWindowTest::enterSendsChosenEnding_data()
{
    QTest::addColumn<QString>("choice");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("CR") << "CR" << QByteArray("ok\r");
    QTest::newRow("LF") << "LF" << QByteArray("ok\n");
    QTest::newRow("CR LF") << "CR LF" << QByteArray("ok\r\n");
}

void TerminalWindowTest::enterSendsChosenEnding()
{
    QFETCH(QString, choice);
    PseudoTerminal pty;
    SerialRig rig(portsWith(pty));
    auto *enter = rig.get<QComboBox>(ControlNames::enterKeyBox);
    QVERIFY(enter);
    QCOMPARE(enter->currentText(), QStringLiteral("CR"));
    enter->setCurrentIndex(enter->findText(choice));
    rig.clickOpenClose();
    auto *typing = rig.typing();
    QVERIFY(typing);
    QTest::keyClicks(typing, "ok");
    QTest::keyClick(typing, Qt::Key_Return);
    QTEST(rig.sent(pty), "bytes");
}

// Each view draws the same received bytes again; new bytes follow in it.
void TerminalWindowTest::viewsOfReceivedBytes()
{
    PseudoTerminal pty;
    SerialRig rig(portsWith(pty));
    QPlainTextEdit *input = rig.input();
    QVERIFY(input);
    auto view = [&rig](const char *name, bool on) {
        if (auto *checkBox = rig.get<QCheckBox>(name))
            checkBox->setChecked(on);
    };
    view(ControlNames::hexViewCheck, true); // nothing received yet: the window keeps its text
    QCOMPARE(input->toPlainText(), QStringLiteral("Serial Input from PIC\n"));
    view(ControlNames::hexViewCheck, false);
    rig.clickOpenClose();
    QVERIFY(pty.write("AB\r"));
    QTRY_COMPARE(input->toPlainText(), QStringLiteral("AB\n"));
    view(ControlNames::hexViewCheck, true);
    QCOMPARE(input->toPlainText(), "41 42 0d" + QString(41, ' ') + "AB.");
    QVERIFY(input->isReadOnly());
    QVERIFY(QFontInfo(input->font()).fixedPitch());
    QVERIFY(pty.write("C"));
    QTRY_COMPARE(input->toPlainText(), "41 42 0d 43" + QString(38, ' ') + "AB.C");
    view(ControlNames::timestampsCheck, true);
    QVERIFY2(QRegularExpression("^\\[\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d\\] 41 42 0d 43 +AB\\.C$")
                 .match(input->toPlainText()).hasMatch(),
             qPrintable(input->toPlainText()));
    view(ControlNames::timestampsCheck, false);
    view(ControlNames::hexViewCheck, false);
    QCOMPARE(input->toPlainText(), QStringLiteral("AB\nC"));
    QVERIFY(!input->isReadOnly());
    view(ControlNames::controlBytesCheck, true);
    QCOMPARE(input->toPlainText(), QString::fromUtf8("AB\u240d\nC"));
    view(ControlNames::controlBytesCheck, false);
    view(ControlNames::lfStartsLineCheck, true);
    QCOMPARE(input->toPlainText(), QStringLiteral("ABC"));
    QVERIFY(pty.write("\nD"));
    QTRY_COMPARE(input->toPlainText(), QStringLiteral("ABC\nD"));
    view(ControlNames::lfStartsLineCheck, false);
    view(ControlNames::monospaceCheck, true);
    QVERIFY(QFontInfo(input->font()).fixedPitch());
    QCOMPARE(input->toPlainText(), QStringLiteral("AB\nCD"));
    auto *clearInputButton = rig.get<QPushButton>(ControlNames::clearTerminalButton);
    QVERIFY(clearInputButton);
    clearInputButton->click();
    QCOMPARE(input->toPlainText(), QString());
    QVERIFY(pty.write("E"));
    QTRY_COMPARE(input->toPlainText(), QStringLiteral("E"));
    view(ControlNames::hexViewCheck, true); // only what came after Clear
    QCOMPARE(input->toPlainText(), "45" + QString(47, ' ') + "E");
}

// A NUL shows as a symbol, so screen readers get the text after it too.
void TerminalWindowTest::wholeTextReachesAssistiveTools()
{
    PseudoTerminal pty;
    SerialRig rig(portsWith(pty));
    rig.clickOpenClose();
    QVERIFY(pty.write(QByteArray("ready\0\r\nnext", 12)));
    const QString expected = QString::fromUtf8("ready\u2400\nnext");
    auto *input = rig.input();
    QVERIFY(input);
    QTRY_COMPARE(input->toPlainText(), expected);
    QCOMPARE(accessibleText(input), expected);
}

// Hex rows scroll across instead of wrapping; a long line is shown on rows
// of its own, but copied as it came.
void TerminalWindowTest::rowsFitAndCopyGivesReceivedText()
{
    PseudoTerminal pty;
    SerialRig rig(portsWith(pty));
    auto *input = qobject_cast<TerminalView *>(rig.input());
    QVERIFY(input);
    rig.clickOpenClose();
    const QByteArray line = QByteArray("0123456789").repeated(120);
    QVERIFY(pty.write(line + "\rend"));
    QTRY_VERIFY(input->toPlainText().endsWith(QStringLiteral("end")));
    QVERIFY(input->document()->blockCount() >= 2);
    input->selectAll();
    QCOMPARE(input->selectedReceivedText(), QString::fromLatin1(line + "\nend"));
    QCOMPARE(input->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    if (auto *found = rig.get<QCheckBox>(ControlNames::hexViewCheck))
        found->setChecked(true);
    QCOMPARE(input->lineWrapMode(), QPlainTextEdit::NoWrap);
}

// A proportional font asked for gives way to a fixed-pitch one.
void TerminalWindowTest::fixedPitchFallback()
{
    QFont proportional(QStringLiteral("DejaVu Sans"));
    QVERIFY(!QFontInfo(proportional).fixedPitch());
    const QFont chosen = FixedPitchFont::from(proportional);
    QVERIFY(QFontInfo(chosen).fixedPitch());
    QCOMPARE(chosen.pointSizeF(), proportional.pointSizeF());
    QVERIFY(QFontInfo(FixedPitchFont::system()).fixedPitch());
}

// The log holds exactly the bytes received, after what the file held.
void TerminalWindowTest::logHoldsReceivedBytes()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("capture.log");
    QFile existing(path);
    QVERIFY(existing.open(QIODevice::WriteOnly));
    existing.write("earlier\n");
    existing.close();
    PseudoTerminal pty;
    SerialRig rig(portsWith(pty));
    LogFileDialog::setAnswerer([path] { return path; });
    auto *log = rig.get<QPushButton>(ControlNames::logToFileButton);
    QVERIFY(log);
    auto *name = rig.get<QLabel>(ControlNames::logFileLabel);
    QVERIFY(name->isHidden());
    log->click();
    QCOMPARE(log->text(), QStringLiteral("Stop Logging"));
    QVERIFY(!name->isHidden());
    QCOMPARE(name->text(), QStringLiteral("Logging to capture.log"));
    QCOMPARE(name->toolTip(), path);
    rig.clickOpenClose();
    QByteArray bytes;
    for (int i = 0; i < 20000; ++i)
        bytes += char(i * 7 % 256);
    QVERIFY(feed(pty, bytes));
    QTRY_COMPARE(QFileInfo(path).size(), 8 + bytes.size());
    log->click();
    QCOMPARE(log->text(), QStringLiteral("Log to File..."));
    QVERIFY(name->isHidden());
    QVERIFY(pty.write("not logged"));
    auto *input = rig.input();
    QVERIFY(input);
    QTRY_VERIFY(input->toPlainText().endsWith("not logged"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), "earlier\n" + bytes);
    QVERIFY(rig.recorder.messages.isEmpty());
}

void TerminalWindowTest::logRefusals()
{
    PseudoTerminal pty;
    SerialRig rig(portsWith(pty));
    auto *log = rig.get<QPushButton>(ControlNames::logToFileButton);
    QVERIFY(log);
    LogFileDialog::setAnswerer([] { return QString(); }); // cancelled
    log->click();
    QCOMPARE(log->text(), QStringLiteral("Log to File..."));
    LogFileDialog::setAnswerer([] { return QStringLiteral("/nonexistent/capture.log"); });
    log->click();
    QCOMPARE(log->text(), QStringLiteral("Log to File..."));
    QCOMPARE(rig.recorder.messages.size(), 1);
    QVERIFY(rig.recorder.messages.first().contains("/nonexistent/capture.log"));
    // A disk that fills up stops the log with one message; the terminal goes on.
    LogFileDialog::setAnswerer([] { return QStringLiteral("/dev/full"); });
    log->click();
    rig.clickOpenClose();
    QVERIFY(pty.write("data"));
    QTRY_COMPARE(rig.recorder.messages.size(), 2);
    QVERIFY(rig.recorder.messages.last().contains("/dev/full"));
    QCOMPARE(log->text(), QStringLiteral("Log to File..."));
    auto *input = rig.input();
    QVERIFY(input);
    QTRY_COMPARE(input->toPlainText(), QStringLiteral("data"));
}

// Older text goes from above the lines being read; they stay in view.
void TerminalWindowTest::scrolledBackViewStays()
{
    PseudoTerminal pty;
    SerialRig rig(portsWith(pty));
    rig.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&rig.window));
    QPlainTextEdit *input = rig.input();
    QVERIFY(input);
    QScrollBar *bar = input->verticalScrollBar();
    rig.clickOpenClose();
    QVERIFY(feed(pty, numberedLines("line ", 600))); // 6000 characters
    QTRY_COMPARE(TerminalText::length(input), 6000);
    QCOMPARE(bar->value(), bar->maximum()); // following the newest
    bar->setValue(350);
    const QString reading = topLine(input);
    QVERIFY(reading.startsWith("line "));
    QVERIFY(feed(pty, numberedLines("more ", 600))); // 200 lines go from the top
    QTRY_VERIFY(input->toPlainText().endsWith("more 1599\n"));
    QCOMPARE(TerminalText::length(input), 10000);
    QCOMPARE(topLine(input), reading);
    bar->setValue(bar->maximum());
    QVERIFY(feed(pty, numberedLines("last ", 10)));
    QTRY_VERIFY(input->toPlainText().endsWith("last 1009\n"));
    QCOMPARE(bar->value(), bar->maximum());
}

// Dragging the splitters gives the terminal almost all of the window.
void TerminalWindowTest::terminalCanTakeTheWindow()
{
    PseudoTerminal pty;
    SerialRig rig(portsWith(pty));
    rig.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&rig.window));
    auto *main = rig.get<QSplitter>(ControlNames::mainSplitter);
    QVERIFY(main);
    auto *bottom = rig.get<QSplitter>(ControlNames::bottomSplitter);
    QVERIFY(bottom);
    main->setSizes({0, 10000});
    bottom->setSizes({0, 0, 0, 10000}); // output window, preview, port column, terminal
    QWidget *terminal = rig.get<QWidget>(ControlNames::terminalPanel);
    QVERIFY(terminal);
    const QSize window = rig.window.centralWidget()->size();
    QVERIFY2(terminal->width() * terminal->height() > 0.8 * window.width() * window.height(),
             qPrintable(QStringLiteral("%1x%2 of %3x%4").arg(terminal->width()).arg(terminal->height())
                            .arg(window.width()).arg(window.height())));
}

QTEST_MAIN(TerminalWindowTest)
#include "tst_terminalwindow.moc"
