#include "logic/decode/ArrayText.h"

#include <QtTest>

Q_DECLARE_METATYPE(ArrayForm)

// The one reader of arrays in text, on sources written the ways firmware
// projects write them.
class ArrayTextTest : public QObject
{
    Q_OBJECT
private slots:
    void readsEveryForm_data();
    void readsEveryForm();
    void findsEveryArray();
    void refusesWithLineColumnAndToken_data();
    void refusesWithLineColumnAndToken();
};

namespace {

QString firstHint(const ArrayText::Array &array)
{
    if (array.hints.isEmpty())
        return QString();
    const SizeHints::Hint &hint = array.hints.first();
    return QStringLiteral("%1x%2%3").arg(hint.width).arg(hint.height).arg(hint.skip ? QStringLiteral("+2") : QString());
}

} // namespace

void ArrayTextTest::readsEveryForm_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes"); // hex
    QTest::addColumn<ArrayForm>("form");
    QTest::addColumn<QString>("hint"); // the first size hint, "+2" when it skips two bytes
    QTest::newRow("C, comments, defines, PROGMEM")
        << "/* logo */\n#include <avr/pgmspace.h>\n#define LOGO_WIDTH 16 // px\n#define LOGO_HEIGHT (8)\n"
           "static const unsigned char PROGMEM logo_bmp[] = { 0x05, 0xFF, // row\n 0x00, 0x80, };"
        << "logo_bmp" << QByteArray("05ff0080") << ArrayForm::CSource << "16x8";
    QTest::newRow("namespace and storage macro")
        << "namespace gfx {\nGFX_FLASH(const uint8_t splash[]) = {\n  0x05, 0xff,\n  0x00, 0x80\n};\n}"
        << "splash" << QByteArray("05ff0080") << ArrayForm::CSource << "";
    QTest::newRow("attribute, 2-D, brace init")
        << "const uint8_t __attribute__((aligned(4))) glyphs[2][2] { {0x05, 0xff}, {0x00, 0x80} };"
        << "glyphs" << QByteArray("05ff0080") << ArrayForm::CSource << "";
    QTest::newRow("preprocessor lines inside")
        << "uint8_t img[] = {\n#if SMALL\n 5,\n#else\n 0xff,\n#endif\n 0, 128 };"
        << "img" << QByteArray("05ff0080") << ArrayForm::CSource << "";
    QTest::newRow("every literal form")
        << "char all[] = { 5u, 0b11111111, 00, (uint8_t)0x80, -1, '\\x41', 'B', B00000011, 0X7Fu, '\\n', (0377) };"
        << "all" << QByteArray("05ff0080ff4142037f0aff") << ArrayForm::CSource << "";
    QTest::newRow("constants") << "const uint8_t logo_w = 16;\nstatic const int logo_h = 2;\nconst uint8_t logo[] = {1,2,3,4};"
                               << "logo" << QByteArray("01020304") << ArrayForm::CSource << "16x2";
    QTest::newRow("size in the name") << "const uint8_t icon_16x2[] = {1,2,3,4};" << "icon_16x2"
                                      << QByteArray("01020304") << ArrayForm::CSource << "16x2";
    QTest::newRow("width, height bytes first")
        << "const unsigned char face[] = { 16, 8, 1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16 };"
        << "face" << QByteArray("1008") + QByteArray("0102030405060708090a0b0c0d0e0f10") << ArrayForm::CSource
        << "16x8+2";
    QTest::newRow("XBM") << "#define x_width 10\n#define x_height 2\nstatic char x_bits[] = {\n  0x05, 0xff, 0x00, 0x80 };"
                         << "x_bits" << QByteArray("05ff0080") << ArrayForm::Xbm << "10x2";
    QTest::newRow("db with a label and equ")
        << "; logo\nlogo_width equ 16\nlogo_height equ 2\nlogo:\n    db 0x05, $ff ; first\n    DB 00h,10000000b\n"
        << "logo" << QByteArray("05ff0080") << ArrayForm::Assembler << "16x2";
    QTest::newRow("MPASM retlw table")
        << "table\n    addwf PCL, F\n    retlw H'05'\n    retlw 0xff\n    retlw B'0'\n    retlw D'128'\n"
        << "table" << QByteArray("05ff0080") << ArrayForm::Assembler << "";
    QTest::newRow("avr .db, .byte and a string")
        << "face: .db 0x05, 0xff\n      .byte %0, 0x80, \"A\"\n" << "face" << QByteArray("05ff008041")
        << ArrayForm::Assembler << "";
    QTest::newRow("output text, bare") << "05ff0080" << "" << QByteArray("05ff0080") << ArrayForm::Text << "";
    QTest::newRow("output text in C clothes")
        << "const unsigned char a[] = {c0,ff,05,80};" << "a" << QByteArray("c0ff0580") << ArrayForm::Text << "";
    QTest::newRow("output text after db") << "db c0 ff 05 80" << "" << QByteArray("c0ff0580")
                                          << ArrayForm::Assembler << "";
    QTest::newRow("decimal, not hex") << "uint8_t d[] = {10, 20, 99};" << "d" << QByteArray("0a1463")
                                      << ArrayForm::CSource << "";
}

void ArrayTextTest::readsEveryForm()
{
    QFETCH(QString, text);
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(ArrayForm, form);
    QFETCH(QString, hint);
    const ArrayText::Result result = ArrayText::read(text);
    QVERIFY2(result.ok(), qPrintable(result.problem()));
    QCOMPARE(result.arrays.size(), 1);
    const ArrayText::Array &array = result.arrays.first();
    QCOMPARE(array.name, name);
    QCOMPARE(array.bytes.toHex(), bytes);
    QCOMPARE(array.form, form);
    QCOMPARE(firstHint(array), hint);
}

// Several arrays, structures and tables of pointers beside them.
void ArrayTextTest::findsEveryArray()
{
    const QString text = "#define A_WIDTH 8\n#define A_HEIGHT 8\n"
                         "const uint8_t a[] = {1,2,3,4,5,6,7,8};\n"
                         "const uint8_t b[] = {9};\n"
                         "struct Font f = { 1, a, 3 };\n"
                         "const uint8_t *frames[] = { a, b };\n"
                         "const uint8_t c[] PROGMEM = {10, 11};\nconst uint8_t d[1] = {12};\n";
    const ArrayText::Result result = ArrayText::read(text);
    QVERIFY2(result.ok(), qPrintable(result.problem()));
    QStringList found;
    for (const ArrayText::Array &array : result.arrays)
        found << QStringLiteral("%1@%2:%3").arg(array.name).arg(array.line).arg(QString(array.bytes.toHex()));
    QCOMPARE(found, QStringList({"a@3:0102030405060708", "b@4:09", "c@7:0a0b", "d@8:0c"}));
    QCOMPARE(firstHint(result.arrays.at(0)), "8x8");
    QCOMPARE(firstHint(result.arrays.at(1)), "");
    QVERIFY(ArrayText::byName(result, "c"));
}

void ArrayTextTest::refusesWithLineColumnAndToken_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::newRow("a macro among bytes") << "const uint8_t x[] = {\n  0x01, MAKE(3), 0x02 };"
                                         << "line 2, column 9: cannot read \"MAKE(3)\" as a byte";
    QTest::newRow("too big") << "uint8_t x[] = {1,\n 256};" << "line 2, column 2: \"256\" does not fit in a byte";
    QTest::newRow("beyond 64 bits") << "logo:\n db $ff, $ffffffffffffffffffff\n"
                                      << "line 2, column 10: cannot read \"$ffffffffffffffffffff\" as a byte";
    QTest::newRow("missing comma") << "uint8_t x[] = {0x01 0x02, 3};"
                                   << "line 1, column 16: cannot read \"0x01 0x02\" as a byte";
    QTest::newRow("open brace") << "uint8_t x[] = {1, 2" << "line 1, column 15: no closing brace after this one";
    QTest::newRow("assembler junk") << "logo:\n db 0x01, 0x02\n $zz\n" << "line 3, column 2: cannot read \"$zz\"";
}

void ArrayTextTest::refusesWithLineColumnAndToken()
{
    QFETCH(QString, text);
    QFETCH(QString, message);
    const ArrayText::Result result = ArrayText::read(text);
    QVERIFY(!result.ok());
    QCOMPARE(result.problem(), message);
}

QTEST_GUILESS_MAIN(ArrayTextTest)
#include "tst_arraytext.moc"
