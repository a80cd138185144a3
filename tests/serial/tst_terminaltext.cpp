#include "serial/TerminalText.h"

#include <QPlainTextEdit>
#include <QtTest>

// The receive window's bound: the newest characters stay, a CR LF counting
// as the one line break it shows as.
class TerminalTextTest : public QObject
{
    Q_OBJECT
private slots:
    void keepsNewestWithinBound_data();
    void keepsNewestWithinBound();
};

void TerminalTextTest::keepsNewestWithinBound_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("received");
    QTest::addColumn<int>("limit");
    QTest::addColumn<QString>("shown");

    QTest::newRow("letters beyond the bound") << QString() << "abcdefghij" << 4 << "ghij";
    // 19 characters, 16 in the window: all of them fit.
    QTest::newRow("CR LF read longer than the bound")
        << QString() << "ACK]\r\n\r\nLCD ready\r\n" << 16 << "ACK]\n\nLCD ready\n";
    QTest::newRow("flood of CR LF lines") << QString() << QString("ab\r\n").repeated(50) << 30
                                          << QString("ab\n").repeated(10);
    QTest::newRow("crossing the bound drops the oldest") << "0123456789" << "\r\nAB" << 8 << "56789\nAB";
}

void TerminalTextTest::keepsNewestWithinBound()
{
    QFETCH(QString, before);
    QFETCH(QString, received);
    QFETCH(int, limit);
    QFETCH(QString, shown);
    QPlainTextEdit window;
    if (!before.isEmpty())
        TerminalText::append(&window, before, limit);
    TerminalText::append(&window, received, limit);
    QCOMPARE(window.toPlainText(), shown);
    QVERIFY(TerminalText::length(&window) <= limit);
}

QTEST_MAIN(TerminalTextTest)
#include "tst_terminaltext.moc"
