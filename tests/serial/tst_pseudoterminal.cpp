#include "PseudoTerminal.h"

#include <QSerialPort>
#include <QtTest>

// The pseudo-terminal the serial tests stand on: bytes both ways, all 256 values.
class PseudoTerminalTest : public QObject
{
    Q_OBJECT
private slots:
    void binaryCleanBothWays();
};

void PseudoTerminalTest::binaryCleanBothWays()
{
    PseudoTerminal pty;
    QVERIFY(pty.isValid());
    QSerialPort port(pty.slavePath());
    QVERIFY2(port.open(QIODevice::ReadWrite), qPrintable(port.errorString()));
    port.setBaudRate(19200);
    QByteArray all;
    for (int i = 0; i < 256; ++i)
        all.append(char(i));
    port.write(all);
    QVERIFY(port.waitForBytesWritten(1000));
    QCOMPARE(pty.readExactly(256), all);
    QCOMPARE(pty.slaveBaudRate(), 19200);
    QVERIFY(pty.write(all));
    QByteArray received;
    QTRY_VERIFY((received += port.readAll()).size() >= 256);
    QCOMPARE(received, all);
}

QTEST_MAIN(PseudoTerminalTest)
#include "tst_pseudoterminal.moc"
