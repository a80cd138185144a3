#include "TestPicture.h"
#include "logic/canvas/LcdSizes.h"
#include "logic/convert/Conversion.h"
#include "logic/convert/TransferHeader.h"
#include "logic/decode/LcdByteDecoder.h"
#include "logic/output/SendStream.h"

#include <QRandomGenerator>
#include <QtTest>

// Whatever Convert writes, and whatever "Reformat For Output" makes of it,
// decodes to exactly the converted picture: every LCD size, both packings,
// random pictures, formats, delimiters, headers and footers.
class DecodeRoundTripTest : public QObject
{
    Q_OBJECT
private slots:
    void convertedTextGivesThePictureBack_data();
    void convertedTextGivesThePictureBack();
    void sendStreamGivesThePictureBack_data();
    void sendStreamGivesThePictureBack();
};

namespace {

constexpr int PicturesPerCase = 25;

QString pick(QRandomGenerator &random, const QStringList &choices)
{
    return choices.at(random.bounded(int(choices.size())));
}

QString randomCharacters(QRandomGenerator &random, const QString &alphabet, int most)
{
    QString text;
    for (int count = random.bounded(most + 1); count > 0; --count)
        text += alphabet.at(random.bounded(int(alphabet.size())));
    return text;
}

// Formats as people type them: punctuation, then letters that touch the
// digits (never hex digits alone, which would read as bytes).
QString randomFormat(QRandomGenerator &random)
{
    if (random.bounded(2))
        return pick(random, {"", "0x", "0X", "$", "&H", "&h", "#", "\\x", "x", "%", "0x"});
    return randomCharacters(random, "$#%&@!~^", 2) + randomCharacters(random, "ghkmnpqrsuvwxyz", 1);
}

// Delimiters: letters that touch the digits (a suffix such as "h"), then
// punctuation, blanks and line breaks.
QString randomDelimiter(QRandomGenerator &random)
{
    if (random.bounded(2))
        return pick(random, {"", ",", ", ", " ", ";", "\n", ",\n", "\t", " | ", "h,", "h, ", "h", ",  "});
    return randomCharacters(random, "ghkz", 1) + randomCharacters(random, ",;|:- \t\n", 3);
}

// C declarations and comments, hex-looking words included, ending with an
// opening bracket.
QString randomHeader(QRandomGenerator &random)
{
    if (random.bounded(3) == 0)
        return pick(random, {"", "{", "const unsigned char logo[] = {", "static const uint8_t face[1024] PROGMEM = {",
                             "/* bad cafe */ {", "// 128x64 logo\n{", "unsigned char deadbeef[] = {"});
    const QStringList words = {"logo", "face", "bad", "cafe", "data", "img", "1024", "0x40", "de", "ad", "const"};
    QStringList header;
    for (int count = 1 + random.bounded(4); count > 0; --count)
        header << pick(random, words);
    return header.join(' ') + pick(random, {"{", " = {", "[] = {", "("});
}

QString randomFooter(QRandomGenerator &random)
{
    return pick(random, {"", "}", "};", " };", "}; // end of logo", "\n};", ")", " } /* face */", "};\n"});
}

QImage randomPicture(QRandomGenerator &random, int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB32);
    const int kind = random.bounded(5);
    const int density[] = {0, 2, 50, 98, 100};
    const QRgb black = qRgb(0, 0, 0);
    const QRgb white = qRgb(255, 255, 255);
    const int blockX = random.bounded(width), blockY = random.bounded(height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            bool lit = int(random.bounded(100)) < density[kind];
            if (kind == 1)
                lit = lit || (x >= blockX && y >= blockY && x < blockX + 20 && y < blockY + 9);
            picture.setPixel(x, y, lit ? black : white);
        }
    return picture;
}


void addSizesAndPackings()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("sizeIndex");
    QTest::addColumn<bool>("horizontal");
    for (const LcdSize &size : LcdSizes::all())
        for (const bool horizontal : {false, true})
            QTest::addRow("%s %s", size.caption, horizontal ? "horizontal" : "vertical")
                << size.width << size.height << size.index << horizontal;
}

QString describe(const ConversionSettings &s)
{
    return QStringLiteral("header \"%1\" footer \"%2\" format \"%3\" delimiter \"%4\"")
        .arg(s.header, s.footer, s.format, s.delimiter);
}

} // namespace

void DecodeRoundTripTest::convertedTextGivesThePictureBack_data()
{
    addSizesAndPackings();
}

void DecodeRoundTripTest::convertedTextGivesThePictureBack()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(bool, horizontal);
    QRandomGenerator random(uint(width * 1000 + height * 10 + horizontal));
    for (int round = 0; round < PicturesPerCase; ++round) {
        const QImage picture = randomPicture(random, width, height);
        const MatrixLayout layout = MatrixLayout::usual(horizontal);
        const ConversionSettings settings{width, height, layout, randomHeader(random), randomFooter(random),
                                          randomFormat(random), randomDelimiter(random)};
        QString text = Conversion::fromPicture(picture, settings);
        if (random.bounded(4) == 0)
            text = text.toUpper(); // the output window's UpCase
        const LcdByteDecoder::Result result = LcdByteDecoder::decode(text, {width, height, layout, false});
        QVERIFY2(result.ok(), qPrintable(describe(settings) + ": " + result.problem()));
        QVERIFY2(differingPixels(result.picture, picture) == 0, qPrintable(describe(settings)));
    }
}

void DecodeRoundTripTest::sendStreamGivesThePictureBack_data()
{
    addSizesAndPackings();
}

void DecodeRoundTripTest::sendStreamGivesThePictureBack()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, sizeIndex);
    QFETCH(bool, horizontal);
    QRandomGenerator random(uint(width * 1000 + height * 10 + horizontal + 5));
    for (int round = 0; round < PicturesPerCase; ++round) {
        const QImage picture = randomPicture(random, width, height);
        // Reformat takes no format or delimiter, but header and footer.
        const MatrixLayout layout = MatrixLayout::usual(horizontal);
        const ConversionSettings settings{width, height, layout, randomHeader(random), randomFooter(random), {}, {}};
        PicTransferOptions transfer;
        transfer.eepromMode = random.bounded(2);
        transfer.lcdSizeIndex = qint16(sizeIndex);
        transfer.picBufferSize = qint16(1 << (1 + random.bounded(7)));
        transfer.picDelayMs = qint16(pick(random, {"5", "10", "15", "20", "50", "100"}).toInt());
        transfer.eepromText = QString::number(random.bounded(65536));
        const QString wait = pick(random, {"]", "]]", "w", "", "#", "!"});
        const QString stream = SendStream::reformat(QString(), TransferHeader::build(transfer).text(), wait,
                                                    SendStream::outputTextFrom(Conversion::fromPicture(picture, settings)),
                                                    transfer.picBufferSize);
        const LcdByteDecoder::Result result = LcdByteDecoder::decode(stream, {width, height, layout, true});
        const QString context = describe(settings) + " wait \"" + wait + "\" " + stream.left(12);
        QVERIFY2(result.ok(), qPrintable(context + ": " + result.problem()));
        QVERIFY2(differingPixels(result.picture, picture) == 0, qPrintable(context));
        QCOMPARE(result.header.eeprom, transfer.eepromMode);
        QCOMPARE(result.header.buffer, int(transfer.picBufferSize));
        QCOMPARE(result.header.delayMs, int(transfer.picDelayMs));
        QCOMPARE(result.header.address, transfer.eepromText.toInt());
    }
}

QTEST_GUILESS_MAIN(DecodeRoundTripTest)
#include "tst_decoderoundtrip.moc"
