#include "logic/virtual/ReceivedHeader.h"
#include "logic/virtual/VirtualPic.h"

#include <QtTest>

Q_DECLARE_METATYPE(VirtualPicConfig)

namespace {

constexpr qint64 ms = 1000000; // nanoseconds

// Everything a VirtualPic told, in order.
struct Recorder
{
    explicit Recorder(VirtualPic &pic)
    {
        QObject::connect(&pic, &VirtualPic::faultFound, &pic, [this](const VirtualFault &f) { faults << f; });
        QObject::connect(&pic, &VirtualPic::streamEnded, &pic,
                         [this](const VirtualStreamSummary &s) { summaries << s; });
        QObject::connect(&pic, &VirtualPic::answer, &pic, [this](const QByteArray &a) { answers += a; });
        QObject::connect(&pic, &VirtualPic::blockReceived, &pic,
                         [this](int block, qsizetype first, qsizetype count, bool dropped) {
                             blocks << QStringLiteral("%1:%2+%3%4").arg(block).arg(first).arg(count).arg(dropped ? "x" : "");
                         });
    }
    QStringList faultTexts() const
    {
        QStringList texts;
        for (const VirtualFault &fault : faults)
            texts << fault.text();
        return texts;
    }
    QList<VirtualFault> faults;
    QList<VirtualStreamSummary> summaries;
    QByteArray answers;
    QStringList blocks;
};

VirtualPicConfig lcd(int width, int height, bool horizontal)
{
    VirtualPicConfig config;
    config.width = width;
    config.height = height;
    config.horizontal = horizontal;
    config.eepromSize = 64;
    return config;
}

} // namespace

class VirtualPicTest : public QObject
{
    Q_OBJECT
private slots:
    void parsesHeaders_data();
    void parsesHeaders();
    void writesStreams_data();
    void writesStreams();
    void reportsFaults_data();
    void reportsFaults();
    void judgesPauses_data();
    void judgesPauses();
    void answersDisplayRequest();
    void separatesStreams();
    void summarises();
    void floodsAreCounted_data();
    void floodsAreCounted();
    void faultListIsBounded();
};

void VirtualPicTest::parsesHeaders_data()
{
    QTest::addColumn<QByteArray>("digits");
    QTest::addColumn<QString>("expected"); // type block address delay, or the reason
    QTest::newRow("LCD 240x64, 32, 10 ms") << QByteArray("02000000a") << "0 32 0 10";
    QTest::newRow("EEPROM 64 at 1024, 20 ms") << QByteArray("1400400014") << "1 64 1024 20";
    QTest::newRow("upper case, 100 ms") << QByteArray("48000FF064") << "4 128 255 100";
    QTest::newRow("too short") << QByteArray("0200000a") << "a header has 9 to 12 hex digits before \"*\"";
    QTest::newRow("too long") << QByteArray("0200000000a00") << "a header has 9 to 12 hex digits before \"*\"";
    QTest::newRow("type 2") << QByteArray("22000000a") << "unknown target and display type \"2\" (1 for the EEPROM; 0, 3 or 4 for the LCD)";
    QTest::newRow("buffer 0") << QByteArray("00000000a") << "buffer size 00";
    QTest::newRow("delay without 0") << QByteArray("020000014") << "delay field \"14\" does not start with 0";
}

void VirtualPicTest::parsesHeaders()
{
    QFETCH(QByteArray, digits);
    QFETCH(QString, expected);
    QString why;
    const std::optional<ReceivedHeader> header = ReceivedHeader::parse(digits, &why);
    const QString got = header ? QStringLiteral("%1 %2 %3 %4")
                                     .arg(QLatin1Char(header->type))
                                     .arg(header->blockChars)
                                     .arg(header->address)
                                     .arg(header->delayMs)
                               : why;
    QCOMPARE(got, expected);
    if (header)
        QCOMPARE(header->text, digits + '*');
}

void VirtualPicTest::writesStreams_data()
{
    QTest::addColumn<VirtualPicConfig>("config");
    QTest::addColumn<QByteArray>("stream");
    QTest::addColumn<QByteArray>("lcd");
    QTest::addColumn<QByteArray>("eepromFrom16"); // EEPROM bytes 16..21
    QTest::addColumn<QStringList>("blocks");
    // Pages of a 4x8 KS0108: one byte a column, bit 0 on top.
    QTest::newRow("vertical 4x8") << lcd(4, 8, false) << QByteArray("00400000a*]0180]ff3c")
                                  << QByteArray::fromHex("0180ff3c") << QByteArray::fromHex("ffffffffffff")
                                  << QStringList{"1:0+2", "2:2+2"};
    QTest::newRow("vertical 2x16, two pages") << lcd(2, 16, false) << QByteArray("00800000a*]a1b2c3d4")
                                              << QByteArray::fromHex("a1b2c3d4") << QByteArray::fromHex("ffffffffffff")
                                              << QStringList{"1:0+4"};
    // Rows of 16 pixels are two bytes; the closing 00 is a block of its own.
    QTest::newRow("horizontal 16x2, closing 00") << lcd(16, 2, true) << QByteArray("00400000a*]8001]ff00]00")
                                                 << QByteArray::fromHex("8001ff00") << QByteArray::fromHex("ffffffffffff")
                                                 << QStringList{"1:0+2", "2:2+2", "3:4+1"};
    QTest::newRow("other wait character, upper case") << lcd(4, 8, false) << QByteArray("00400000A*#0180#FF3C")
                                                      << QByteArray::fromHex("0180ff3c")
                                                      << QByteArray::fromHex("ffffffffffff") << QStringList{"1:0+2", "2:2+2"};
    // "1", blocks of 4, address 0x0010, 20 ms: the last block is shorter.
    QTest::newRow("EEPROM at 16") << lcd(4, 8, false) << QByteArray("1040010014*]0102]0304]05")
                                  << QByteArray::fromHex("00000000") << QByteArray::fromHex("0102030405ff")
                                  << QStringList{"1:0+2", "2:2+2", "3:4+1"};
}

void VirtualPicTest::writesStreams()
{
    QFETCH(VirtualPicConfig, config);
    QFETCH(QByteArray, stream);
    QFETCH(QByteArray, lcd);
    QFETCH(QByteArray, eepromFrom16);
    QFETCH(QStringList, blocks);
    VirtualPic pic(config);
    Recorder recorder(pic);
    pic.receive(stream, 0);
    pic.checkQuiet(2000 * ms);
    QCOMPARE(recorder.faultTexts(), QStringList());
    QCOMPARE(pic.lcdMemory(), lcd);
    QCOMPARE(pic.eeprom().mid(16, 6), eepromFrom16);
    QCOMPARE(recorder.blocks, blocks);
    QCOMPARE(recorder.summaries.size(), 1);
    QCOMPARE(recorder.summaries.first().blocks, blocks.size());
    QVERIFY(pic.allStreamsClean());
}

void VirtualPicTest::reportsFaults_data()
{
    QTest::addColumn<VirtualPicConfig>("config");
    QTest::addColumn<QByteArray>("stream");
    QTest::addColumn<QStringList>("faults");
    QTest::addColumn<QByteArray>("memory"); // LCD, or EEPROM 16..19
    const VirtualPicConfig small = lcd(4, 8, false);
    // Offsets: the header takes 0..9, the first "]" is byte 10.
    QTest::newRow("data before a header") << small << QByteArray("xy00400000a*]0180]ff3c")
                                          << QStringList{"byte 0: data before a header: \"x\""}
                                          << QByteArray::fromHex("0180ff3c");
    QTest::newRow("hex data before a header") << small << QByteArray("0123456789abcdef00400000a*]0180]ff3c")
                                              << QStringList{"byte 0: data before a header"}
                                              << QByteArray::fromHex("0180ff3c");
    QTest::newRow("header that does not parse") << small << QByteArray("50400000a*]0180]ff3c")
                                                << QStringList{"byte 0: header \"50400000a*\" does not parse: unknown "
                                                               "target and display type \"5\" (1 for the EEPROM; "
                                                               "0, 3 or 4 for the LCD)"}
                                                << QByteArray::fromHex("00000000");
    QTest::newRow("block longer than the buffer") << small << QByteArray("00400000a*]01800]ff3c")
                                                  << QStringList{"byte 15: block 1 is longer than the buffer of 4 characters"}
                                                  << QByteArray::fromHex("0180ff3c");
    QTest::newRow("non-hex in a block") << small << QByteArray("00400000a*]01g0]ff3c")
                                        << QStringList{"byte 13: block 1: \"g\" is not a hex digit"}
                                        << QByteArray::fromHex("0100ff3c");
    QTest::newRow("wait character inside a block") << small << QByteArray("00400000a*]01]80ff]3c")
                                                   << QStringList{"byte 13: block 1: wait character after only 2 of 4 "
                                                                  "characters"}
                                                   << QByteArray::fromHex("0180ff3c");
    QTest::newRow("ends in the middle of a block") << small << QByteArray("00400000a*]0180]ff")
                                                   << QStringList{"byte 18: the stream ends in the middle of block 2, "
                                                                  "after 2 of 4 characters"}
                                                   << QByteArray::fromHex("0180ff00");
    QTest::newRow("ends between blocks") << small << QByteArray("00400000a*]0180")
                                         << QStringList{"byte 15: the stream ends after 2 of the LCD's 4 bytes"}
                                         << QByteArray::fromHex("01800000");
    QTest::newRow("no wait character") << small << QByteArray("00400000a*0180ff3c")
                                       << QStringList{"byte 10: block 1: data without a wait character",
                                                      "byte 18: the stream ends after 0 of the LCD's 4 bytes"}
                                       << QByteArray::fromHex("00000000");
    VirtualPicConfig tinyEeprom = small;
    tinyEeprom.eepromSize = 18;
    QTest::newRow("EEPROM ends in a byte") << small << QByteArray("1040010014*]0102]0")
                                           << QStringList{"byte 18: the stream ends in the middle of a byte in block 2"}
                                           << QByteArray::fromHex("0102ffff");
    QTest::newRow("beyond the EEPROM") << tinyEeprom << QByteArray("1040010014*]0102]0304")
                                       << QStringList{"byte 18: block 2: address 18 is beyond the EEPROM's 18 bytes"}
                                       << QByteArray::fromHex("0102");
    QTest::newRow("unknown command") << small << QByteArray("*23")
                                     << QStringList{"byte 0: \"*23\" is no command; the EEPROM display request is "
                                                    "\"*22000000a\""}
                                     << QByteArray::fromHex("00000000");
}

void VirtualPicTest::reportsFaults()
{
    QFETCH(VirtualPicConfig, config);
    QFETCH(QByteArray, stream);
    QFETCH(QStringList, faults);
    QFETCH(QByteArray, memory);
    VirtualPic pic(config);
    Recorder recorder(pic);
    pic.receive(stream, 0);
    pic.checkQuiet(2000 * ms);
    QCOMPARE(recorder.faultTexts(), faults);
    const bool eeprom = pic.lastHeader() && pic.lastHeader()->isEeprom();
    QCOMPARE(eeprom ? pic.eeprom().mid(16, 4) : pic.lcdMemory(), memory);
    QVERIFY(!pic.allStreamsClean());
    QVERIFY(!pic.isInStream());
}

// The fault of a wait character that came `pause` after the last block.
static QString lateFault(int offset, int block, const char *pause, const char *needs, bool dropped)
{
    return QStringLiteral("byte %1: block %2: wait character %3 ms after block %4; this PIC needs %5 ms \u2014 "
                          "a real one would lose this block%6")
        .arg(offset)
        .arg(block)
        .arg(QLatin1String(pause))
        .arg(block - 1)
        .arg(QLatin1String(needs), dropped ? QStringLiteral(" (dropped)") : QString());
}

void VirtualPicTest::judgesPauses_data()
{
    QTest::addColumn<double>("needsMs");
    QTest::addColumn<bool>("strict");
    QTest::addColumn<QStringList>("faults");
    QTest::addColumn<QByteArray>("lcd");
    const QByteArray whole = QByteArray::fromHex("0102030405060708");
    // The wait characters of blocks 2, 3 and 4 are bytes 15, 20 and 25.
    QTest::newRow("no judging") << 0.0 << false << QStringList() << whole;
    QTest::newRow("needs 2 ms") << 2.0 << true << QStringList() << whole;
    QTest::newRow("needs 5 ms") << 5.0 << false << QStringList{lateFault(20, 3, "2.1", "5", false)} << whole;
    QTest::newRow("needs 5 ms, strict") << 5.0 << true << QStringList{lateFault(20, 3, "2.1", "5", true)}
                                        << QByteArray::fromHex("0102030400000708");
    QTest::newRow("needs 6.5 ms, strict") << 6.5 << true
                                          << QStringList{lateFault(15, 2, "6.0", "6.5", true),
                                                         lateFault(20, 3, "2.1", "6.5", true),
                                                         lateFault(25, 4, "5.0", "6.5", true)}
                                          << QByteArray::fromHex("0102000000000000");
    // The receiver firmware writes 2 T6963C bytes, waits the header's 10 ms, and holds 2 characters.
    QTest::newRow("receiver firmware, strict") << -1.0 << true
                                               << QStringList{lateFault(15, 2, "6.0", "9.3", true),
                                                              lateFault(20, 3, "2.1", "9.3", true),
                                                              lateFault(25, 4, "5.0", "9.3", true)}
                                               << QByteArray::fromHex("0102000000000000");
}

// Four blocks of an 4x16 LCD: the second 6 ms after the first, the third
// 2.1 ms after the second, the fourth 5 ms after the third.
void VirtualPicTest::judgesPauses()
{
    QFETCH(double, needsMs);
    QFETCH(bool, strict);
    QFETCH(QStringList, faults);
    QFETCH(QByteArray, lcd);
    VirtualPicConfig config = ::lcd(4, 16, false);
    config.needsPauseNs = qint64(needsMs * ms);
    config.receiverFirmware = needsMs < 0;
    config.strict = strict;
    VirtualPic pic(config);
    Recorder recorder(pic);
    pic.receive("00400000a*]0102", 0);
    pic.receive("]0304", 6 * ms);
    pic.receive("]0506", 8100000);
    pic.receive("]0708", 13100000);
    QCOMPARE(recorder.faultTexts(), faults);
    QCOMPARE(pic.lcdMemory(), lcd);
    QCOMPARE(recorder.summaries.size(), 1);
    const VirtualStreamSummary &summary = recorder.summaries.first();
    QCOMPARE(summary.pausesNs, (QList<qint64>{6 * ms, 2100000, 5 * ms}));
    QCOMPARE(summary.shortestPauseNs(), 2100000);
    QCOMPARE(summary.medianPauseNs(), 5 * ms);
    QCOMPARE(summary.bytes, 8);
    QCOMPARE(summary.droppedBlocks, int(std::count_if(faults.cbegin(), faults.cend(),
                                                      [](const QString &f) { return f.endsWith("(dropped)"); })));
}

void VirtualPicTest::answersDisplayRequest()
{
    VirtualPic pic(lcd(4, 8, false));
    Recorder recorder(pic);
    pic.receive("*22000000a", 0);
    QCOMPARE(recorder.answers, QByteArray("EEPROM 0000: ff ff ff ff ff ff ff ff ff ff ff ff ff ff ff ff\r\n"));
    QVERIFY(!pic.isInStream()); // a request alone is no stream
    recorder.answers.clear();
    pic.receive("1040000014*]0011]2233]4455]6677]8899]aabb]ccdd]eeff]10", 1 * ms);
    pic.checkQuiet(1002 * ms);
    pic.receive("*22000000A", 1003 * ms);
    QCOMPARE(recorder.answers, QByteArray("EEPROM 0000: 00 11 22 33 44 55 66 77 88 99 aa bb cc dd ee ff\r\n"));
    QCOMPARE(recorder.summaries.size(), 1);
    QCOMPARE(recorder.faults.size(), 0);
}

// An LCD stream ends with its last block, an EEPROM stream after a quiet
// second; line breaks between streams are no data, and offsets start again.
void VirtualPicTest::separatesStreams()
{
    VirtualPic pic(lcd(4, 8, false));
    Recorder recorder(pic);
    pic.receive("00400000a*]0180]ff3c\r\n1040000014*]01", 0);
    QCOMPARE(recorder.summaries.size(), 1);
    QVERIFY(pic.isInStream());
    pic.checkQuiet(999 * ms);
    QVERIFY(pic.isInStream());
    pic.checkQuiet(1000 * ms);
    QCOMPARE(recorder.summaries.size(), 2);
    QCOMPARE(recorder.summaries.at(1).number, 2);
    QCOMPARE(pic.eeprom().left(2), QByteArray::fromHex("01ff"));
    pic.receive("00400000a*]01x0]ff3c", 1001 * ms);
    QCOMPARE(recorder.faultTexts(), QStringList{"byte 13: block 1: \"x\" is not a hex digit"});
    QCOMPARE(pic.streamCount(), 3);
    QVERIFY(!pic.allStreamsClean());
}

void VirtualPicTest::summarises()
{
    VirtualStreamSummary summary;
    summary.number = 2;
    QString why;
    summary.header = ReceivedHeader::parse("1400400014", &why);
    summary.blocks = 60;
    summary.bytes = 1920;
    summary.pausesNs = {101200000, 100040000, 100600000, 130000000};
    summary.droppedBlocks = 1;
    summary.faults << VirtualFault{12, QStringLiteral("x")};
    QCOMPARE(summary.text(), QStringLiteral("stream 2: EEPROM at 0400, header 1400400014*, 60 blocks, 1920 bytes, "
                                            "shortest pause 100.0 ms, median 100.9 ms, 1 block dropped, 1 fault"));
    summary.header.reset();
    summary.pausesNs.clear();
    summary.droppedBlocks = 0;
    QCOMPARE(summary.text(), QStringLiteral("stream 2: no header, 60 blocks, 1920 bytes, no pauses, 1 fault"));
}

// A mistake repeated a million times is one fault with a count, and the
// kept pauses stop growing: memory stays flat.
void VirtualPicTest::floodsAreCounted_data()
{
    QTest::addColumn<QByteArray>("stream");
    QTest::addColumn<QStringList>("faults");
    const int n = 200000;
    QTest::newRow("wait characters") << QByteArray("02000000a*") + QByteArray(n, 'z')
                                     << QStringList{QStringLiteral("byte 11 to %1 (%2 times): block 1 to %2: wait character "
                                                                   "after only 0 of 32 characters").arg(n + 9).arg(n - 1),
                                                    QStringLiteral("byte %1: the stream ends in the middle of block %2, "
                                                                   "after 0 of 32 characters").arg(n + 10).arg(n)};
    QTest::newRow("NUL bytes") << QByteArray("02000000a*") + QByteArray(n, '\0')
                               << QStringList{QStringLiteral("byte 10 to %1 (%2 times): block 1: data without a wait "
                                                             "character").arg(n + 9).arg(n),
                                              QStringLiteral("byte %1: the stream ends after 0 of the LCD's 1024 bytes")
                                                  .arg(n + 10)};
}

void VirtualPicTest::floodsAreCounted()
{
    QFETCH(QByteArray, stream);
    VirtualPic pic(lcd(128, 64, false));
    Recorder recorder(pic);
    pic.receive(stream, 0);
    pic.checkQuiet(2000 * ms);
    QTEST(recorder.faultTexts(), "faults");
    QCOMPARE(recorder.summaries.size(), 1);
    QCOMPARE(recorder.summaries.first().faults.size(), recorder.faults.size());
    QVERIFY(recorder.summaries.first().pausesNs.size() <= VirtualStreamSummary::KeptPauses);
}

// Faults that differ each time: the first ones are told, the rest counted.
void VirtualPicTest::faultListIsBounded()
{
    VirtualPic pic(lcd(4, 8, false));
    Recorder recorder(pic);
    pic.receive("1040010014*" + QByteArray("]ghgh").repeated(2000), 0);
    pic.checkQuiet(2000 * ms);
    QCOMPARE(recorder.faults.size(), FaultLog::ListedFaults);
    QCOMPARE(recorder.faults.last().text(), QStringLiteral("byte 1260: block 250: \"h\" is not a hex digit"));
    const VirtualStreamSummary &summary = recorder.summaries.first();
    QCOMPARE(summary.faults.size(), FaultLog::ListedFaults);
    QVERIFY2(summary.text().endsWith(QStringLiteral(", 8000 faults (the first 1000 listed)")), qPrintable(summary.text()));
}

QTEST_GUILESS_MAIN(VirtualPicTest)
#include "tst_virtualpic.moc"
