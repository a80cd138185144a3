// Writes the seed corpora of the fuzz targets into the folder given
// (tests/fuzz/corpus): pictures from the program's own bitmap writer and from
// Qt's encoders, bitmap variants built here byte by byte, and typical text
// for the parsers, and what `tavrel convert` writes (through its own
// parse and execute) for the readers of arrays and streams. Run it again
// after changing a seed list:
//   build/tests/fuzz/make_fuzz_seeds tests/fuzz/corpus
#include "cli/ConvertCommand.h"
#include "logic/canvas/MonoBmpWriter.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QtEndian>

#include <cstdio>

namespace {
QDir corpus;
int written = 0;

void write(const QString &target, const QString &name, const QByteArray &bytes)
{
    corpus.mkpath(target);
    QFile file(corpus.filePath(target + QLatin1Char('/') + name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
        std::exit(1);
    }
    ++written;
}

// Black shapes on white: a frame, a diagonal and a filled block.
QImage drawing(int width, int height, QImage::Format format = QImage::Format_RGB32)
{
    QImage picture(width, height, format);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setPen(Qt::black);
    painter.drawRect(0, 0, width - 1, height - 1);
    painter.drawLine(0, 0, width - 1, height - 1);
    painter.fillRect(width / 4, height / 4, width / 4, height / 4, QColor(40, 40, 40));
    return picture;
}

QByteArray encoded(const QImage &picture, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, format);
    return bytes;
}

void put32(QByteArray &bytes, int offset, qint32 value)
{
    qToLittleEndian(value, bytes.data() + offset);
}

// The same picture with the light colour first in the palette and every bit flipped.
QByteArray lightFirst(QByteArray bmp)
{
    for (int i = 0; i < 4; ++i)
        std::swap(bmp[54 + i], bmp[58 + i]);
    for (qsizetype i = 62; i < bmp.size(); ++i)
        bmp[i] = char(~bmp.at(i));
    return bmp;
}

// A bottom-up 24-bit bitmap rewritten top row first (negative height).
QByteArray topDown(QByteArray bmp, int width, int height)
{
    const int offset = qFromLittleEndian<qint32>(bmp.constData() + 10);
    const int stride = (width * 3 + 3) / 4 * 4;
    const QByteArray rows = bmp.mid(offset);
    for (int row = 0; row < height; ++row)
        bmp.replace(offset + row * stride, stride, rows.mid((height - 1 - row) * stride, stride));
    put32(bmp, 22, -height);
    return bmp;
}

// OS/2 1.x header (12 bytes, 16-bit sizes, three-byte palette): 16 x 8, one bit.
QByteArray os2Mono()
{
    QByteArray bmp("BM", 2);
    bmp += QByteArray::fromHex("00000000" "0000" "0000" "20000000"); // size, reserved, pixels at 32
    bmp += QByteArray::fromHex("0c000000" "1000" "0800" "0100" "0100"); // header size, 16 x 8, 1 plane, 1 bit
    bmp += QByteArray::fromHex("000000" "ffffff");
    for (int row = 0; row < 8; ++row)
        bmp += QByteArray::fromHex(row % 2 ? "f00f0000" : "0ff00000");
    put32(bmp, 2, qint32(bmp.size()));
    return bmp;
}

// Run-length encoded 8-bit bitmap, 4 x 2: a row of white, then a row of black.
QByteArray rle8()
{
    QByteArray bmp("BM", 2);
    bmp += QByteArray(52, '\0');
    put32(bmp, 10, 14 + 40 + 8);
    put32(bmp, 14, 40);
    put32(bmp, 18, 4);
    put32(bmp, 22, 2);
    bmp[26] = 1;
    bmp[28] = 8;
    put32(bmp, 30, 1); // BI_RLE8
    put32(bmp, 46, 2);
    bmp += QByteArray::fromHex("00000000" "ffffff00");
    bmp += QByteArray::fromHex("0401" "0000" "0400" "0001"); // 4 x white, end of line, 4 x black, end
    put32(bmp, 2, qint32(bmp.size()));
    return bmp;
}

// A 1 x 1 GIF89a (Qt reads GIF but writes none): two-colour table, one black pixel.
QByteArray gif()
{
    return QByteArray::fromHex("474946383961" "01000100" "800000" "000000" "ffffff"
                               "2c" "00000000" "01000100" "00" "02024401" "00" "3b");
}

void pictures()
{
    const QString target = QStringLiteral("picture_loader");
    const QByteArray mono128 = MonoBmpWriter::encode(drawing(128, 64));
    write(target, "mono_128x64.bmp", mono128);
    write(target, "mono_240x64.bmp", MonoBmpWriter::encode(drawing(240, 64)));
    write(target, "mono_128x32_light_first.bmp", lightFirst(MonoBmpWriter::encode(drawing(128, 32))));
    write(target, "mono_128x64_cut_short.bmp", mono128.left(700));
    const QByteArray rgb = encoded(drawing(40, 20, QImage::Format_RGB888), "BMP");
    write(target, "rgb24_40x20.bmp", rgb);
    write(target, "rgb24_40x20_top_down.bmp", topDown(rgb, 40, 20));
    write(target, "os2_16x8.bmp", os2Mono());
    write(target, "rle8_4x2.bmp", rle8());
    QImage translucent = drawing(30, 20, QImage::Format_ARGB32);
    translucent.setPixel(5, 5, qRgba(0, 0, 0, 0));
    write(target, "argb_30x20.png", encoded(translucent, "PNG"));
    write(target, "gray_16x16.jpg", encoded(drawing(16, 16, QImage::Format_Grayscale8), "JPG"));
    write(target, "black_1x1.gif", gif());
}

// What `tavrel convert PICTURE ARGUMENTS...` prints, for each argument list.
QList<QByteArray> converted(const QString &picture, const QList<QStringList> &argumentLists)
{
    QList<QByteArray> outputs;
    for (const QStringList &arguments : argumentLists) {
        const auto request = ConvertCommand::parse(QStringList{"convert", picture} + arguments);
        const ConvertCommand::Result result = ConvertCommand::execute(std::get<ConvertCommand::Request>(request));
        if (!result.error.isEmpty()) {
            std::fprintf(stderr, "convert %s: %s\n", qPrintable(arguments.join(' ')), qPrintable(result.error));
            std::exit(1);
        }
        outputs << result.output;
    }
    return outputs;
}

void texts(const QString &target, const QList<QByteArray> &seeds)
{
    for (int i = 0; i < seeds.size(); ++i)
        write(target, QStringLiteral("seed%1.txt").arg(i + 1, 2, 10, QLatin1Char('0')), seeds.at(i));
}
// Seeds for the readers of arrays and streams: Convert's own output.
void convertOutputs()
{
    QTemporaryDir dir;
    const QString picture = dir.filePath(QStringLiteral("logo.png"));
    drawing(128, 64).save(picture);
    const QStringList small = {"--size", "128x64"};
    const QList<QByteArray> arrays = converted(picture, {
        small,
        small + QStringList{"--format", "0x", "--delimiter", ", ", "--header", "const unsigned char a[] = {",
                            "--footer", "};"},
        small + QStringList{"--packing", "horizontal", "--format", "$", "--delimiter", ",", "--header", "db "},
        small + QStringList{"--packing", "horizontal", "--format", "0", "--delimiter", "h,"},
        small + QStringList{"--template", "c"},
        small + QStringList{"--template", "xbm", "--packing", "horizontal"},
        small + QStringList{"--template", "ihex"},
        small + QStringList{"--template", "asm"},
    });
    texts(QStringLiteral("hex_text"), arrays.mid(0, 4));
    texts(QStringLiteral("array_file"), arrays);
    const QList<QByteArray> streams = converted(picture, {
        small + QStringList{"--stream"},
        small + QStringList{"--stream", "--packing", "horizontal", "--buffer", "64", "--wait", "]]"},
        small + QStringList{"--stream", "--eeprom", "1024"},
    });
    texts(QStringLiteral("send_stream"), streams);
    QList<QByteArray> lines; // the LCD byte (see fuzz_virtual_pic.cpp), the cuts byte, the stream
    lines << QByteArray::fromHex("0007") + streams.at(0) << QByteArray::fromHex("0431") + streams.at(1)
          << QByteArray::fromHex("0852") + streams.at(2) + "*22000000a"
          << QByteArray::fromHex("0100") + "02000000a*" + QByteArray(200, 'z');
    texts(QStringLiteral("virtual_pic"), lines);
    texts(QStringLiteral("layout_guess"),
          converted(picture, {small + QStringList{"--template", "bin"},
                              small + QStringList{"--template", "bin", "--packing", "horizontal"}}));
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_fuzz_seeds CORPUS_FOLDER\n");
        return 2;
    }
    corpus = QDir(QString::fromLocal8Bit(argv[1]));
    pictures();
    // Receive path: a byte seeding the cuts, a byte picking the bound, then the bytes that arrive.
    texts(QStringLiteral("receive_path"),
          {QByteArray::fromHex("0702") + "Waiting.....\r\nOK\r\n", QByteArray::fromHex("2a00") + "ACK]\n\r\n\rLCD ready\r",
           QByteArray::fromHex("9110") + QByteArray("0123456789ABCDEF\r").repeated(25),
           QByteArray::fromHex("03ff" "a0e9ff007f0d0a0a0d")});
    texts(QStringLiteral("settings_text"),
          {"19200,n,8,1", "9600,E,7,1.5", " 115200 , o , 5 , 2", "4000000,m,8,1", "300,s,6,1", "12.5", "13.5",
           "1e3", "00000", "65535", "65536", "-1", "99999999999999999999", " 1024 "});
    // Command line: one argument a line, given to both convert and send.
    texts(QStringLiteral("command_line"),
          {"--size\n240x64\n--packing\nhorizontal\n--format\n0x\n--delimiter\n, \nlogo.bmp",
           "--stream\n--eeprom\n1024\n--buffer\n64\n--pic-delay\n15\n--wait\n]\n--no-invert\npicture.png",
           "--port\n/dev/ttyUSB0\n--settings\n9600,e,7,1\n--xmit-delay\n10\n-",
           "--port=/dev/ttyACM0\n--header=const char a[] = {\n--footer=};\nstream.txt",
           "--help", "--size\n100x100\nx.bmp", "--unknown"});
    convertOutputs();
    std::printf("%d seed files written under %s\n", written, argv[1]);
    return 0;
}
