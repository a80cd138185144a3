#include "FifoWriter.h"
#include "logic/output/Latin1Text.h"
#include "logic/output/SendStream.h"
#include "logic/output/TextFiles.h"
#include "logic/output/TransmitDelay.h"

#include <QTemporaryDir>
#include <QtTest>

// The send stream, the Latin-1 rule for bytes, and the text files of the
// output and transmit windows.
class SendStreamTest : public QObject
{
    Q_OBJECT
private slots:
    void reformat_data();
    void reformat();
    void outputTextFrom();
    void firstOutsideLatin1_data();
    void firstOutsideLatin1();
    void refusalNamesTheCharacter_data();
    void refusalNamesTheCharacter();
    void loadResults_data();
    void loadResults();
    void loadBoundedWhateverTheFile_data();
    void loadBoundedWhateverTheFile();
    void saveWritesBytesOrSaysWhy();
    void transmitDelay_data();
    void transmitDelay();
};

void SendStreamTest::reformat_data()
{
    QTest::addColumn<QString>("existing");
    QTest::addColumn<QString>("header");
    QTest::addColumn<QString>("waitChars");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("blockSize");
    QTest::addColumn<QString>("stream");
    QTest::newRow("header, short last block") << "" << "40400000A*" << "]" << "00ff00ff00" << 4
                                              << "40400000a*]00ff]00ff]00";
    QTest::newRow("one more than a block keeps its last character") << "" << "H*" << "]" << "abcde" << 4
                                                                     << "h*]abcd]e";
    QTest::newRow("a single character") << "" << "H*" << "]" << "7" << 4 << "h*]7";
    QTest::newRow("exact blocks") << "" << "" << "]" << "abcdefgh" << 4 << "]abcd]efgh";
    QTest::newRow("empty text is the header alone") << "" << "0200000A*" << "]" << "" << 32 << "0200000a*";
    QTest::newRow("appends to what is there") << "]OLD" << "H*" << "]" << "ab" << 2 << "h*]old]ab";
    QTest::newRow("several wait characters") << "" << "" << "]]" << "abc" << 2 << "]]ab]]c";
    QTest::newRow("no wait characters") << "" << "" << "" << "abc" << 2 << "abc";
    QTest::newRow("upper-case wait lower-cased") << "" << "" << "W" << "abc" << 2 << "wabwc";
    QTest::newRow("zero block size is one block") << "" << "" << "]" << "abc" << 0 << "]abc";
}

void SendStreamTest::reformat()
{
    QFETCH(QString, existing);
    QFETCH(QString, header);
    QFETCH(QString, waitChars);
    QFETCH(QString, text);
    QFETCH(int, blockSize);
    QFETCH(QString, stream);
    QCOMPARE(SendStream::reformat(existing, header, waitChars, text, blockSize), stream);
}

void SendStreamTest::outputTextFrom()
{
    QCOMPARE(SendStream::outputTextFrom(QStringLiteral("  {0xFF,0x0A}\n ")), QStringLiteral("{0xff,0x0a}"));
}

void SendStreamTest::firstOutsideLatin1_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("index");
    QTest::newRow("plain hex") << QStringLiteral("40400000a*]00ff") << -1;
    QTest::newRow("accented Latin-1") << QStringLiteral("caf\u00e9\u00ff") << -1;
    QTest::newRow("euro sign") << QStringLiteral("ab\u20accd") << 2;
    QTest::newRow("first of two") << QStringLiteral("\u0100x\u20ac") << 0;
    QTest::newRow("empty") << QString() << -1;
}

void SendStreamTest::firstOutsideLatin1()
{
    QFETCH(QString, text);
    QFETCH(int, index);
    QCOMPARE(Latin1Text::firstOutside(text), qsizetype(index));
}

void SendStreamTest::refusalNamesTheCharacter_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("named");
    QTest::newRow("euro") << QStringLiteral("ab\u20ac") << QStringLiteral("\"\u20ac\" (U+20AC) at position 3");
    QTest::newRow("outside the basic plane") << QStringLiteral("a\U0001F600") << QStringLiteral("\"\U0001F600\" (U+1F600) at position 2");
}

void SendStreamTest::refusalNamesTheCharacter()
{
    QFETCH(QString, text);
    QFETCH(QString, named);
    const QString refusal = Latin1Text::sendRefusal(text, Latin1Text::firstOutside(text));
    QVERIFY2(refusal.contains(named), qPrintable(refusal));
}

void SendStreamTest::loadResults_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("result");
    QByteArray everyByte;
    for (int i = 0; i < 256; ++i)
        everyByte.append(char(i));
    QTest::newRow("every byte value") << everyByte << int(TextFiles::LoadResult::Loaded);
    QTest::newRow("exactly the limit") << QByteArray(int(TextFiles::maxLoadBytes), 'a') << int(TextFiles::LoadResult::Loaded);
    QTest::newRow("one byte over") << QByteArray(int(TextFiles::maxLoadBytes) + 1, 'a') << int(TextFiles::LoadResult::TooLarge);
}

void SendStreamTest::loadResults()
{
    QFETCH(QByteArray, content);
    QFETCH(int, result);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("in.txt"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
    file.close();
    QString text = QStringLiteral("before");
    QString reason;
    QCOMPARE(int(TextFiles::load(path, text, &reason)), result);
    if (result == int(TextFiles::LoadResult::Loaded)) {
        QCOMPARE(text.size(), content.size());
        QCOMPARE(text.toLatin1(), content); // each byte one character, back to the same byte
    } else {
        QCOMPARE(text, QStringLiteral("before"));
        QVERIFY(reason.contains(path));
    }
    QCOMPARE(TextFiles::load(dir.filePath(QStringLiteral("missing.txt")), text), TextFiles::LoadResult::Missing);
}

void SendStreamTest::loadBoundedWhateverTheFile_data()
{
    // A device or a FIFO says 0 for its size: only the bytes read count.
    QTest::addColumn<QString>("device"); // "fifo": a named pipe holding `bytes` zero bytes
    QTest::addColumn<qint64>("bytes");
    QTest::addColumn<int>("result");
    QTest::newRow("/dev/zero") << "/dev/zero" << qint64(0) << int(TextFiles::LoadResult::TooLarge);
    QTest::newRow("FIFO over the limit") << "fifo" << TextFiles::maxLoadBytes + 1 << int(TextFiles::LoadResult::TooLarge);
    QTest::newRow("FIFO within the limit") << "fifo" << qint64(1000) << int(TextFiles::LoadResult::Loaded);
}

void SendStreamTest::loadBoundedWhateverTheFile()
{
    QFETCH(QString, device);
    QFETCH(qint64, bytes);
    QFETCH(int, result);
    if (device != QLatin1String("fifo")) {
        QString text = QStringLiteral("before"), reason;
        QCOMPARE(int(TextFiles::load(device, text, &reason)), result);
        QVERIFY2(reason.contains(QStringLiteral("too large")), qPrintable(reason));
        QCOMPARE(text, QStringLiteral("before"));
        return;
    }
    QTemporaryDir dir;
    FifoWriter fifo(dir.filePath(QStringLiteral("in.txt")), bytes);
    QVERIFY(fifo.isValid());
    QString text, reason;
    QCOMPARE(int(TextFiles::load(fifo.path(), text, &reason)), result);
    if (result == int(TextFiles::LoadResult::Loaded))
        QCOMPARE(text, QString(bytes, QChar(0)));
    else
        QVERIFY2(reason.contains(QStringLiteral("too large")), qPrintable(reason));
}

void SendStreamTest::saveWritesBytesOrSaysWhy()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.txt"));
    QString reason;
    QVERIFY(TextFiles::save(path, QStringLiteral("40400000a*]00ff\u00e9"), &reason));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("40400000a*]00ff\xe9"));
    file.close();

    QVERIFY(!TextFiles::save(path, QStringLiteral("ok\u20ac"), &reason));
    QVERIFY2(reason.contains(QStringLiteral("U+20AC")), qPrintable(reason));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("40400000a*]00ff\xe9")); // the old file stays whole

    QVERIFY(!TextFiles::save(dir.filePath(QStringLiteral("no/such/dir/out.txt")), QStringLiteral("x"), &reason));
    QVERIFY(!reason.isEmpty());
}

void SendStreamTest::transmitDelay_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("truncated"); // -1: refused
    QTest::addColumn<int>("rounded");
    QTest::newRow("whole") << "5" << 5 << 5;
    QTest::newRow("blanks around") << " 100 " << 100 << 100;
    QTest::newRow("zero") << "0" << 0 << 0;
    QTest::newRow("fraction") << "12.9" << 12 << 13;
    QTest::newRow("half rounds to even, down") << "12.5" << 12 << 12;
    QTest::newRow("half rounds to even, up") << "13.5" << 13 << 14;
    QTest::newRow("empty") << "" << -1 << -1;
    QTest::newRow("letters") << "abc" << -1 << -1;
    QTest::newRow("unit typed") << "5ms" << -1 << -1;
    QTest::newRow("negative") << "-1" << -1 << -1;
    QTest::newRow("beyond a timer") << "3000000000" << -1 << -1;
}

void SendStreamTest::transmitDelay()
{
    QFETCH(QString, text);
    QFETCH(int, truncated);
    QFETCH(int, rounded);
    QCOMPARE(TransmitDelay::truncated(text).value_or(-1), truncated);
    QCOMPARE(TransmitDelay::rounded(text).value_or(-1), rounded);
}

QTEST_MAIN(SendStreamTest)
#include "tst_sendstream.moc"
