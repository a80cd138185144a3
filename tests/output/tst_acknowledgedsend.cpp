#include "PseudoTerminal.h"
#include "logic/core/AckProtocol.h"
#include "logic/output/PacedSender.h"

#include <QSerialPort>
#include <QSignalSpy>
#include <QSocketNotifier>
#include <QtTest>

#include <unistd.h>

// A PIC on the master side of a pseudo-terminal that answers each piece of
// the stream (the header, then each block) as its script says: 'r' ready,
// 'n' refused, '-' never. Refused pieces are expected again.
class ScriptedPic : public QObject
{
public:
    ScriptedPic(int masterFd, const QList<QByteArray> &pieces, const QByteArray &script)
        : m_fd(masterFd), m_pieces(pieces), m_script(script), m_notifier(masterFd, QSocketNotifier::Read)
    {
        connect(&m_notifier, &QSocketNotifier::activated, this, &ScriptedPic::read);
    }
    const QByteArray &line() const { return m_line; }

private:
    void read()
    {
        char buffer[512];
        const ssize_t got = ::read(m_fd, buffer, sizeof buffer);
        if (got <= 0)
            return;
        m_line.append(buffer, got);
        while (m_piece < m_pieces.size() && m_line.size() >= m_taken + m_pieces.at(m_piece).size() && m_turn < m_script.size())
            answer();
    }
    void answer()
    {
        m_taken += m_pieces.at(m_piece).size();
        const char step = m_script.at(m_turn++);
        if (step == '-')
            return;
        const char verdict = step == 'r' ? AckProtocol::Ready : AckProtocol::Refused;
        // A word beside the verdict: the sender passes it on, it does not count.
        const QByteArray answer = m_turn == 1 ? QByteArray("hi") + verdict : QByteArray(1, verdict);
        QVERIFY(::write(m_fd, answer.constData(), size_t(answer.size())) == answer.size());
        if (step == 'r')
            ++m_piece;
    }

    int m_fd;
    QList<QByteArray> m_pieces;
    QByteArray m_script;
    QSocketNotifier m_notifier;
    QByteArray m_line;
    qsizetype m_taken = 0;
    int m_piece = 0;
    int m_turn = 0;
};

// The acknowledged send over a real pseudo-terminal: it waits for each
// verdict, sends a refused block again, and stops with the block's number
// when the PIC refuses too often or falls silent.
class AcknowledgedSendTest : public QObject
{
    Q_OBJECT
private slots:
    void followsTheVerdicts_data();
    void followsTheVerdicts();
};

void AcknowledgedSendTest::followsTheVerdicts_data()
{
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<QByteArray>("expectedLine"); // pieces by number: 0 header, 1..3 blocks
    QTest::addColumn<QString>("failure");
    QTest::newRow("every piece taken") << QByteArray("rrrr") << QByteArray("0123") << QString();
    QTest::newRow("block 2 refused once") << QByteArray("rrnrr") << QByteArray("01223") << QString();
    QTest::newRow("block 3 refused three times") << QByteArray("rrrnnnr") << QByteArray("0123333") << QString();
    QTest::newRow("block 2 refused four times")
        << QByteArray("rrnnnn") << QByteArray("012222") << QStringLiteral("block 2 of 3 refused 4 times");
    QTest::newRow("silent after block 2")
        << QByteArray("rr-") << QByteArray("012") << QStringLiteral("block 2 of 3 not acknowledged within 60 ms");
    QTest::newRow("silent after the last block")
        << QByteArray("rrr-") << QByteArray("0123") << QStringLiteral("block 3 of 3 not acknowledged within 60 ms");
    QTest::newRow("header refused") << QByteArray("n") << QByteArray("0")
                                    << QStringLiteral("the PIC refused the transfer header");
}

void AcknowledgedSendTest::followsTheVerdicts()
{
    QFETCH(QByteArray, script);
    QFETCH(QByteArray, expectedLine);
    QFETCH(QString, failure);
    const QList<QByteArray> pieces = {"!02000000a*", "]00ff00ff", "]11ee11ee", "]22"};
    PseudoTerminal pty;
    QVERIFY(pty.isValid());
    QSerialPort port(pty.slavePath());
    QVERIFY(port.open(QIODevice::ReadWrite));
    ScriptedPic pic(pty.masterFd(), pieces, script);
    PacedSender sender;
    QSignalSpy finished(&sender, &PacedSender::finished);
    QSignalSpy failed(&sender, &PacedSender::failed);
    QSignalSpy acknowledged(&sender, &PacedSender::acknowledged);
    QSignalSpy received(&sender, &PacedSender::received);
    QVERIFY(sender.startAcknowledged(&port, pieces.join(), ']', 60));
    QTRY_VERIFY_WITH_TIMEOUT(!sender.isSending(), 5000);

    QByteArray expected;
    for (const char piece : expectedLine)
        expected += pieces.at(piece - '0');
    QTRY_COMPARE(pic.line(), expected);
    if (failure.isEmpty()) {
        QCOMPARE(finished.count(), 1);
        QCOMPARE(acknowledged.count(), 4);
        QCOMPARE(acknowledged.last(), QVariantList({3, 3}));
    } else {
        QCOMPARE(failed.count(), 1);
        QCOMPARE(failed.first().first().toString(), failure);
    }
    if (script.at(0) != '-')
        QTRY_COMPARE(received.count() > 0 ? received.first().first().toByteArray() : QByteArray(), QByteArray("hi"));
}

QTEST_GUILESS_MAIN(AcknowledgedSendTest)
#include "tst_acknowledgedsend.moc"
