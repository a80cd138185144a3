#include "logic/convert/ByteMatrix.h"
#include "logic/convert/Conversion.h"
#include "logic/export/ArrayCheck.h"
#include "logic/export/ArrayFileReader.h"
#include "logic/export/ExportTemplates.h"

#include <QtTest>

using Form = ArrayFileReader::Form;
using Template = ExportOptions::Template;

Q_DECLARE_METATYPE(Form)

namespace {
const QByteArray Bytes = QByteArray::fromHex("05ff0080");
} // namespace

// Array files read back in every form the export writes, and compared.
class ArrayCheckTest : public QObject
{
    Q_OBJECT
private slots:
    void readsEveryForm_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<Form>("form");
        QTest::newRow("bare text") << QByteArray("05ff0080\n") << Form::Text;
        QTest::newRow("0x glued") << QByteArray("data 0x050xff0x000x80") << Form::Text;
        QTest::newRow("braces, no comma") << QByteArray("{0x050xff0x000x80}") << Form::Text;
        QTest::newRow("C with comments") << QByteArray("/* 4 bytes, 8 rows */ #define X_WIDTH 4\n"
                                                       "const uint8_t x[4] PROGMEM = { 5, 0xFF, // row 0\n 0, 0200u, };")
                                         << Form::CSource;
        QTest::newRow("XBM") << QByteArray("#define x_width 32\nstatic char x_bits[] = {\n  0x05, 0xFF, 0x00, 0x80, };")
                             << Form::Xbm;
        QTest::newRow("db") << QByteArray("; x\nx:\n    db 0x05, 0xff ; first\n    DB 0x00,0x80\n") << Form::Assembler;
        QTest::newRow("avr .db") << QByteArray("x:  .db 0x05, 0xff, 0x00, 0x80\n") << Form::Assembler;
        QTest::newRow("retlw") << QByteArray("x\n retlw 0x05\n retlw 0xff\n retlw 0x00\n retlw 0x80\n") << Form::Assembler;
        QTest::newRow("Intel HEX") << QByteArray(":0400000005FF008078\n:00000001FF\n") << Form::IntelHex;
        QTest::newRow("send stream") << QByteArray("02000000a*]05ff0080\n") << Form::Stream;
        QTest::newRow("dollar and comma") << QByteArray("logo: $05,$ff,$00,$80") << Form::Text;
    }
    void readsEveryForm()
    {
        QFETCH(QByteArray, content);
        QFETCH(Form, form);
        const ArrayFileReader::Result result = ArrayFileReader::read(content);
        QVERIFY2(result.ok(), qPrintable(result.error));
        QCOMPARE(result.form, form);
        QCOMPARE(result.bytes, Bytes);
    }

    void refusesBrokenFiles_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("error");
        QTest::newRow("byte too big") << QByteArray("char x[] = {1, 256};") << "line 1, column 16: \"256\" does not fit in a byte";
        QTest::newRow("checksum") << QByteArray(":0400000005FF008079\n") << "Intel HEX line 1: wrong checksum";
        QTest::newRow("gap") << QByteArray(":0100000005FA\n:0100020005F8\n")
                             << "Intel HEX: the data leave a gap or overlap at address 0x2";
        QTest::newRow("no bytes") << QByteArray("hello") << "no bytes found";
    }
    void refusesBrokenFiles()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, error);
        QCOMPARE(ArrayFileReader::read(content).error, error);
    }

    // What every template writes reads back as the bytes it was given.
    void everyTemplateReadsBack()
    {
        QImage image(128, 32, QImage::Format_RGB32);
        image.fill(Qt::white);
        for (int x = 0; x < 128; x += 3)
            image.setPixel(x, x % 32, qRgb(0, 0, 0));
        const MatrixLayout columns{false, MatrixLayout::BitOrder::LsbFirst, MatrixLayout::Scan::Columns};
        const ConversionSettings settings{128, 32, columns, "{", "}", "0x", ", "};
        const ConversionResult matrix = Conversion::ofPicture(image, settings);
        for (const ExportTemplates::Kind &kind : ExportTemplates::all()) {
            ExportOptions options;
            options.kind = kind.kind;
            options.directive = kind.directive;
            const QByteArray file = ExportTemplates::render(matrix, options);
            const ArrayFileReader::Result read = ArrayFileReader::read(file, kind.kind == Template::Binary);
            const bool xbm = read.form == Form::Xbm;
            QVERIFY2(ArrayCheck::compare(ArrayCheck::expectedBytes(matrix, xbm), read.bytes, false).matches,
                     kind.caption);
        }
    }

    void comparison_data()
    {
        QTest::addColumn<QByteArray>("found");
        QTest::addColumn<bool>("closingZero");
        QTest::addColumn<QString>("message");
        QTest::newRow("same") << Bytes << false << "4 bytes match";
        QTest::newRow("one byte changed") << QByteArray::fromHex("05ff0180") << false
                                          << "byte 2 differs: the array holds 0x01, the conversion gives 0x00";
        QTest::newRow("short") << QByteArray::fromHex("05ff") << false
                               << "the array holds 2 bytes, the conversion gives 4: byte 2 is missing (the conversion gives 0x00)";
        QTest::newRow("closing 00 of horizontal text") << QByteArray::fromHex("05ff008000") << true << "4 bytes match";
        QTest::newRow("00 where none belongs") << QByteArray::fromHex("05ff008000") << false
                                               << "the array holds 5 bytes, the conversion gives 4: byte 4 is one too many (the array holds 0x00)";
    }
    void comparison()
    {
        QFETCH(QByteArray, found);
        QFETCH(bool, closingZero);
        QFETCH(QString, message);
        const ArrayCheck::Verdict verdict = ArrayCheck::compare(Bytes, found, closingZero);
        QCOMPARE(verdict.message, message);
        QCOMPARE(verdict.matches, message.endsWith(QLatin1String("match")));
    }
};

QTEST_GUILESS_MAIN(ArrayCheckTest)
#include "tst_arraycheck.moc"
