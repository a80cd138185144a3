#include "logic/decode/HexTextDecoder.h"
#include "logic/decode/LcdByteDecoder.h"
#include "logic/decode/SendStreamDecoder.h"
#include "logic/convert/TransferHeaderFields.h"

#include <QtTest>

// Reading bytes back from the texts Convert writes and C source holds, and
// from send streams; golden vectors worked out by hand.
class HexTextDecoderTest : public QObject
{
    Q_OBJECT
private slots:
    void readsEveryForm_data();
    void readsEveryForm();
    void findsTheBytesBetweenHeaderAndFooter();
    void refusesFirstBadToken_data();
    void refusesFirstBadToken();
    void headerFields_data();
    void headerFields();
    void splitsStreams_data();
    void splitsStreams();
    void streamErrorsPointIntoTheStream();
    void pictureNeedsTheRightCount_data();
    void pictureNeedsTheRightCount();
};

namespace {

// Sixteen bytes 00 11 22 ... ff written with `format` and `delimiter`.
QString sixteen(const QString &format, const QString &delimiter)
{
    QStringList bytes;
    for (int i = 0; i < 16; ++i)
        bytes << format + QString::number(i * 0x11, 16).rightJustified(2, '0');
    return bytes.join(delimiter);
}

QByteArray sixteenBytes()
{
    return QByteArray::fromHex("00112233445566778899aabbccddeeff");
}

} // namespace

void HexTextDecoderTest::readsEveryForm_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray all = sixteenBytes();
    QTest::newRow("bare") << "05ff00" << QByteArray::fromHex("05ff00");
    QTest::newRow("0x and comma") << "{0x05,0x00,0xff}" << QByteArray::fromHex("0500ff");
    QTest::newRow("upper case") << "0X05, 0XFF, 0Xab" << QByteArray::fromHex("05ffab");
    QTest::newRow("dollar") << "$05,$ff,$10" << QByteArray::fromHex("05ff10");
    QTest::newRow("&H glued") << "&H05&HFF&H10" << QByteArray::fromHex("05ff10");
    QTest::newRow("0x glued") << "0x050xff0x10" << QByteArray::fromHex("05ff10");
    QTest::newRow("suffix h") << "05h, ffh, 10h" << QByteArray::fromHex("05ff10");
    QTest::newRow("suffix cut from the last byte") << "db " + sixteen("", "h,") << all;
    QTest::newRow("closing 00 after the delimiter") << "{0x05,0xff,00}" << QByteArray::fromHex("05ff00");
    QTest::newRow("closing 00 without the format") << "$05,$ff,$10,00" << QByteArray::fromHex("05ff1000");
    QTest::newRow("closing 00 glued") << "0x050xff00" << QByteArray::fromHex("05ff00");
    QTest::newRow("C declaration with hex-looking words")
        << "static const unsigned char face[1024] = {" + sixteen("0x", ", ") + "};" << all;
    QTest::newRow("bare bytes behind hex-looking words")
        << "const unsigned char face[1024] = {" + sixteen("", ", ") + "};" << all;
    QTest::newRow("glued bytes behind hex-looking words") << "bad cafe {" + sixteen("", "") + "}" << all;
    QTest::newRow("blank delimiter, C header") << "char logo[] = {" + sixteen("", " ") + "}" << all;
    QTest::newRow("line breaks and comments")
        << "// logo, 128x64\nconst uint8_t data[] = { /* page 0 */\n  " + sixteen("0x", ",\n  ") + " // end\n};"
        << all;
    QTest::newRow("tab delimiter") << sixteen("#", "\t") << all;
    QTest::newRow("header glued to the first byte") << "logo" + sixteen("0x", ", ") << all;
    QTest::newRow("short runs in the header are header") << "ab,cd: " + sixteen("", ",") << all;
    QTest::newRow("empty") << "" << QByteArray();
    QTest::newRow("no bytes at all") << "hello world" << QByteArray();
}

void HexTextDecoderTest::readsEveryForm()
{
    QFETCH(QString, text);
    const HexTextDecoder::Result result = HexTextDecoder::decode(text);
    QFETCH(QByteArray, bytes);
    QVERIFY2(result.ok(), qPrintable(result.error.message()));
    QCOMPARE(result.bytes.toHex(), bytes.toHex());
}

void HexTextDecoderTest::findsTheBytesBetweenHeaderAndFooter()
{
    const QString header = QStringLiteral("unsigned char face[] = {");
    const QString text = header + sixteen("0x", ", ") + QStringLiteral("}; // de ad");
    const HexTextDecoder::Result result = HexTextDecoder::decode(text);
    QCOMPARE(result.bodyStart, header.size());
    QCOMPARE(result.bodyEnd, header.size() + sixteen("0x", ", ").size());
}

void HexTextDecoderTest::refusesFirstBadToken_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("token");
    QTest::addColumn<QString>("reason");
    const QString body = sixteen("0x", ",");
    // "{" + 16 * "0xhh," is 81 characters; the next byte starts at column 82.
    QTest::newRow("bad digit in the middle") << "{" + body + ",0XG5," + body + "}" << 1 << 82 << "0XG5"
                                             << "cannot read \"0XG5\" as a byte (written like \"0x00\")";
    QTest::newRow("missing delimiter") << "{" + body + " 0x05," + body + "}" << 1 << 82 << "0x05"
                                       << "missing \",\" before \"0x05\"";
    QTest::newRow("wrong delimiter") << "{" + body + ";0x05," + body + "}" << 1 << 81 << ";"
                                     << "cannot read \";\" between bytes (separated by \",\")";
    QTest::newRow("broken first byte") << "{0x5," + body + "}" << 1 << 2 << "0x5"
                                       << "cannot read \"0x5\" as a byte (written like \"0x00\")";
    QTest::newRow("broken last byte") << "{" + body + ",0x0}" << 1 << 82 << "0x0"
                                      << "cannot read \"0x0\" as a byte (written like \"0x00\")";
    QTest::newRow("odd digit count") << "{" + sixteen("", "") + "f}" << 1 << 34 << "f"
                                     << "cannot read \"f\" as a byte (written like \"00\")";
    QTest::newRow("hex letters glued to bare bytes") << "code" + sixteen("", "") << 1 << 1 << "co"
                                                     << "cannot read \"co\" as a byte (written like \"00\")";
    QTest::newRow("second line") << "{\n" + body + ",\n0x0g}" << 3 << 1 << "0x0g"
                                 << "cannot read \"0x0g\" as a byte (written like \"0x00\")";
}

void HexTextDecoderTest::refusesFirstBadToken()
{
    QFETCH(QString, text);
    const HexTextDecoder::Result result = HexTextDecoder::decode(text);
    QVERIFY(!result.ok());
    QTEST(result.error.line, "line");
    QTEST(result.error.column, "column");
    QTEST(result.error.text, "token");
    QTEST(result.error.reason, "reason");
}

void HexTextDecoderTest::headerFields_data()
{
    QTest::addColumn<QString>("header");
    QTest::addColumn<QString>("words"); // or the start of the refusal
    QTest::newRow("LCD 240x64, start-up values") << "02000000a" << "LCD, display type 0, buffer 32, address 0000, "
                                                                    "PIC delay 10 ms";
    QTest::newRow("EEPROM, three-digit delay") << "1400400014" << "EEPROM, buffer 64, address 0400 (1024), "
                                                                  "PIC delay 20 ms";
    QTest::newRow("no address field") << "480064" << "LCD, display type 4, buffer 128, no address, PIC delay 100 ms";
    QTest::newRow("upper case") << "302FFFF0A" << "LCD, display type 3, buffer 2, address ffff (65535), "
                                                  "PIC delay 10 ms";
    QTest::newRow("unknown target") << "72000000a" << "unknown target and display type \"7\"";
    QTest::newRow("seven characters") << "0200000" << "\"0200000*\" is no transfer header";
    QTest::newRow("not hex") << "0200x000a" << "\"0200x000a*\" is no transfer header";
}

void HexTextDecoderTest::headerFields()
{
    QFETCH(QString, header);
    QFETCH(QString, words);
    TransferHeaderFields fields;
    QString why;
    const bool parsed = TransferHeaderFields::parse(header, &fields, &why);
    QVERIFY2(parsed ? fields.words() == words : why.startsWith(words), qPrintable(parsed ? fields.words() : why));
}

void HexTextDecoderTest::splitsStreams_data()
{
    QTest::addColumn<QString>("stream");
    QTest::addColumn<QString>("wait");
    QTest::addColumn<QString>("data");
    // Buffer 4: header "0", "04", "0000", "0a".
    QTest::newRow("one wait character") << "00400000a*]0102]0304]05" << "]" << "0102030405";
    QTest::newRow("two wait characters") << "00400000a*]]0102]]0304]]05" << "]]" << "0102030405";
    QTest::newRow("no wait characters") << "00400000a*0102030405" << "" << "0102030405";
    QTest::newRow("letter as wait character") << "00400000a*w0102w03" << "w" << "010203";
    QTest::newRow("header text in the data") << "00400000a*]{010]2030]405}" << "]" << "{0102030405}";
    QTest::newRow("header alone") << "00400000a*" << "" << "";
    QTest::newRow("blanks around") << "\n 00400000a*]0102]03 \n" << "]" << "010203";
}

void HexTextDecoderTest::splitsStreams()
{
    QFETCH(QString, stream);
    const SendStreamDecoder::Result result = SendStreamDecoder::split(stream);
    QVERIFY2(result.ok(), qPrintable(result.error.message()));
    QTEST(result.waitChars, "wait");
    QTEST(result.data, "data");
    QCOMPARE(result.header.buffer, 4);
    QVERIFY(SendStreamDecoder::looksLikeStream(stream));
}

void HexTextDecoderTest::streamErrorsPointIntoTheStream()
{
    // 16x8 vertical needs 16 bytes; the data is "{0011223344556677g899aabbccddeeff}"
    // in blocks of 4, so its "g8" (data position 17, block 4) stands at
    // 9 + 1 + 4 * 5 + 1 + 1 = 32: column 33.
    const LcdByteDecoder::Request request{16, 8, MatrixLayout::usual(false), true};
    LcdByteDecoder::Result bad = LcdByteDecoder::decode(
        QStringLiteral("00400000a*]{001]1223]3445]5667]7g89]9aab]bccd]deef]f}"), request);
    QCOMPARE(bad.error.column, 33);
    QCOMPARE(bad.error.text, QStringLiteral("g8"));
    QCOMPARE(bad.header.buffer, 4);

    bad = LcdByteDecoder::decode(QStringLiteral("0102"), request);
    QCOMPARE(bad.error.column, 1);
    QVERIFY(bad.error.reason.startsWith("no transfer header"));

    const LcdByteDecoder::Result good =
        LcdByteDecoder::decode(QStringLiteral("00400000a*]{018]0}"), {2, 8, MatrixLayout::usual(false), true});
    QVERIFY2(good.ok(), qPrintable(good.problem()));
    QCOMPARE(good.picture.pixel(0, 0), qRgb(0, 0, 0));  // 01: bit 0, top row
    QCOMPARE(good.picture.pixel(1, 7), qRgb(0, 0, 0));  // 80: bit 7, bottom row
    QCOMPARE(good.picture.pixel(1, 0), qRgb(255, 255, 255));

    // A stream read as plain text says what it looks like.
    const LcdByteDecoder::Result plain =
        LcdByteDecoder::decode(QStringLiteral("00400000a*]{018]0}"), {2, 8, MatrixLayout::usual(false), false});
    QVERIFY2(plain.problem().endsWith("(this looks like a send stream)"), qPrintable(plain.problem()));
}

void HexTextDecoderTest::pictureNeedsTheRightCount_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("horizontal");
    QTest::addColumn<QString>("problem");
    // 16x16: vertical 16 columns x 2 pages; horizontal 2 bytes x 16 rows + 00.
    QTest::newRow("vertical exact") << 32 << false << "";
    QTest::newRow("vertical one more") << 33 << false << "33 bytes; 16x16 needs 32";
    QTest::newRow("vertical one less") << 31 << false << "31 bytes; 16x16 needs 32";
    QTest::newRow("horizontal with closing 00") << 33 << true << "";
    QTest::newRow("horizontal without closing 00") << 32 << true << "";
    QTest::newRow("horizontal short") << 31 << true << "31 bytes; 16x16 needs 33";
}

void HexTextDecoderTest::pictureNeedsTheRightCount()
{
    QFETCH(int, count);
    QFETCH(bool, horizontal);
    const QString text = QString(QStringLiteral("0x00,")).repeated(count);
    const LcdByteDecoder::Result result = LcdByteDecoder::decode(text, {16, 16, MatrixLayout::usual(horizontal), false});
    QTEST(result.problem(), "problem");
    QCOMPARE(result.picture.size(), QSize(16, 16));
}

QTEST_GUILESS_MAIN(HexTextDecoderTest)
#include "tst_hextextdecoder.moc"
