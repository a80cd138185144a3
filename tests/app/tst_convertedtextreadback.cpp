#include "cli/ConvertCommand.h"
#include "logic/decode/LayoutGuess.h"
#include "logic/export/ArrayFileReader.h"

#include <QPainter>
#include <QtTest>

// Every text convert writes (7 formats, 7 delimiters, 4 header and footer
// pairs, both packings) passes its own --check and decode --guess names the
// size and layout it was written in.
class ConvertedTextReadBackTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void passesCheckAndGuess_data();
    void passesCheckAndGuess();

private:
    QTemporaryDir m_dir;
    QString m_picture;
};

namespace {

ConvertCommand::Request request(const QStringList &arguments)
{
    const auto parsed = ConvertCommand::parse(QStringList{"convert"} + arguments);
    const auto *request = std::get_if<ConvertCommand::Request>(&parsed);
    return request ? *request : ConvertCommand::Request{};
}

} // namespace

void ConvertedTextReadBackTest::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QImage image(128, 64, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(Qt::black);
    painter.setBrush(Qt::black);
    painter.drawEllipse(QPoint(30, 32), 20, 20);
    painter.drawRect(70, 10, 40, 12);
    painter.drawLine(0, 63, 127, 40);
    painter.end();
    m_picture = m_dir.filePath("picture.png");
    QVERIFY(image.save(m_picture));
}

void ConvertedTextReadBackTest::passesCheckAndGuess_data()
{
    QTest::addColumn<QStringList>("arguments");
    const QStringList formats = {"", "0x", "$", "&h", "#", "\\x", "x"};
    const QStringList delimiters = {"", ",", ", ", " ", "\n", ",\n", ";"};
    const QList<QPair<QString, QString>> frames = {
        {"", ""}, {"const unsigned char a[] = {", "};"}, {"db ", ""}, {"{", "}"}};
    for (const QString packing : {"vertical", "horizontal"})
        for (const auto &frame : frames)
            for (const QString &format : formats)
                for (const QString &delimiter : delimiters)
                    QTest::addRow("%s \"%s\" \"%s\" \"%s\"", qPrintable(packing), qPrintable(frame.first),
                                  qPrintable(format), qPrintable(QString(delimiter).replace("\n", "\\n")))
                        << QStringList{"--packing", packing, "--header", frame.first, "--footer", frame.second,
                                       "--format", format, "--delimiter", delimiter};
}

void ConvertedTextReadBackTest::passesCheckAndGuess()
{
    QFETCH(QStringList, arguments);
    const ConvertCommand::Result converted = ConvertCommand::execute(request(QStringList{m_picture} + arguments));
    QVERIFY2(converted.error.isEmpty(), qPrintable(converted.error));
    const QString path = m_dir.filePath("text.txt");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(converted.output);
    file.close();

    const ConvertCommand::Result checked =
        ConvertCommand::execute(request(QStringList{m_picture, "--check", path} + arguments));
    QVERIFY2(checked.error.isEmpty(), qPrintable(checked.error + "\n" + converted.output.left(80)));

    const ArrayFileReader::Result array = ArrayFileReader::read(converted.output);
    QVERIFY2(array.ok(), qPrintable(array.error));
    const QList<LayoutGuess::Candidate> ranked = LayoutGuess::rank(array.bytes, array.array().hints);
    QVERIFY(!ranked.isEmpty());
    QCOMPARE(QSize(ranked.first().width, ranked.first().height), QSize(128, 64));
    QCOMPARE(ranked.first().layout, MatrixLayout::usual(arguments.at(1) == "horizontal"));
}

QTEST_GUILESS_MAIN(ConvertedTextReadBackTest)
#include "tst_convertedtextreadback.moc"
