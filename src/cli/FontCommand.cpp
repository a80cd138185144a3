#include "cli/FontCommand.h"

#include "cli/CommandLine.h"
#include "cli/DecodeCommand.h"
#include "cli/LayoutOptions.h"
#include "logic/export/ArrayFiles.h"
#include "logic/export/ExportTemplates.h"
#include "logic/font/BitmapFont.h"
#include "logic/font/CharacterList.h"
#include "logic/font/FontExport.h"
#include "logic/font/FontFileWriter.h"
#include "logic/font/FontPainter.h"
#include "logic/font/FontSource.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTextStream>

namespace FontCommand {

namespace {

const QString Command = QStringLiteral("font");

struct Request
{
    FontSource source;
    FontExportChoice choice;
    QString out;
};

void describe(QCommandLineParser &parser)
{
    parser.setApplicationDescription(QStringLiteral(
        "Makes the glyph arrays a firmware draws text with, from an installed font (family name) or a font\n"
        "file (TTF, OTF, PCF, PCF.gz, BDF). Bitmap fonts keep their own size; outlines are drawn without\n"
        "anti-aliasing. Characters the font lacks are reported on standard error."));
    parser.addOption(CommandLine::helpOption());
    parser.addPositionalArgument(QStringLiteral("SOURCE"), QStringLiteral("Font file or installed family."));
    parser.addOptions({
        {QStringLiteral("size"), QStringLiteral("Pixel size of an outline font (default 16)."), QStringLiteral("PX")},
        {QStringLiteral("style"), QStringLiteral("A style of the family, e.g. Bold, Oblique."), QStringLiteral("NAME")},
        {QStringLiteral("bold"), QStringLiteral("Bold: the bold face, or emboldened when the font has none.")},
        {QStringLiteral("hinting"), QStringLiteral("Outline hinting (default full)."), FontSource::hintingNames().join(QLatin1Char('|'))},
        {QStringLiteral("chars"), QStringLiteral("Characters: ranges and lists such as 32-126 or 0x20-0x7e,0xb0,° "
                                                 "or latin1 (default 32-126)."), QStringLiteral("LIST")},
        {QStringLiteral("chars-of"), QStringLiteral("Every character of this text."), QStringLiteral("TEXT")},
        {QStringLiteral("chars-file"), QStringLiteral("Every character of this UTF-8 file."), QStringLiteral("FILE")},
        {QStringLiteral("form"), QStringLiteral("Output form (default table)."), PackedFont::formNames().join(QLatin1Char('|'))},
        {QStringLiteral("fixed"), QStringLiteral("Table: the cell (default: the widest advance, the trimmed height)."),
         QStringLiteral("WxH")},
        {QStringLiteral("height"), QStringLiteral("Rows of every glyph (default: trimmed to the tallest)."), QStringLiteral("N")},
        {QStringLiteral("spacing"), QStringLiteral("Proportional: blank columns after each glyph (default 1)."), QStringLiteral("N")},
        {QStringLiteral("packing"), QStringLiteral("vertical (default) or horizontal bytes."), QStringLiteral("vertical|horizontal")},
        {QStringLiteral("template"), QStringLiteral("File form (default c)."), QStringLiteral("c|asm|bin")},
        {QStringLiteral("name"), QStringLiteral("C name of the font (default: the font's file or family name)."), QStringLiteral("NAME")},
        {QStringLiteral("progmem"), QStringLiteral("C: keep the arrays in flash on AVR (PROGMEM).")},
        {QStringLiteral("asm"), QStringLiteral("Assembler: db lines, or a PIC table of retlw (default db)."), QStringLiteral("db|retlw")},
        {QStringLiteral("out"), QStringLiteral("Write to FILE instead of standard output."), QStringLiteral("FILE")},
        {QStringLiteral("render"), QStringLiteral("Draw --text with this generated font file (or a BDF/PCF font) into "
                                                  "--out (PNG or BMP)."), QStringLiteral("FILE")},
        {QStringLiteral("text"), QStringLiteral("The line --render draws."), QStringLiteral("TEXT")},
        {QStringLiteral("list-fonts"), QStringLiteral("List the installed font families.")},
    });
    parser.addOptions(LayoutOptions::options());
}

bool parseNumber(const QCommandLineParser &parser, const QString &option, int low, int high, int *value, QString *error)
{
    if (!parser.isSet(option))
        return true;
    bool ok = false;
    *value = parser.value(option).toInt(&ok);
    if (ok && *value >= low && *value <= high)
        return true;
    *error = QStringLiteral("--%1 must be %2 to %3, not \"%4\"").arg(option).arg(low).arg(high).arg(parser.value(option));
    return false;
}

bool parseCharacters(const QCommandLineParser &parser, QList<char32_t> *codes, QString *error)
{
    if (parser.isSet("chars-of")) {
        *codes = CharacterList::ofText(parser.value("chars-of"));
    } else if (parser.isSet("chars-file")) {
        QByteArray text;
        if (!ArrayFiles::load(parser.value("chars-file"), &text, error))
            return false;
        *codes = CharacterList::ofText(QString::fromUtf8(text));
    } else {
        return CharacterList::parse(parser.isSet("chars") ? parser.value("chars") : QStringLiteral("32-126"), codes, error);
    }
    if (codes->isEmpty())
        *error = QStringLiteral("the text holds no characters");
    return !codes->isEmpty();
}

bool parseSource(const QCommandLineParser &parser, Request *request, QString *error)
{
    const QString source = parser.positionalArguments().value(0);
    FontSource &s = request->source;
    (QFileInfo(source).isFile() ? s.file : s.family) = source;
    s.style = parser.value("style");
    s.bold = parser.isSet("bold");
    if (parser.isSet("hinting") && !FontSource::hintingFromName(parser.value("hinting"), &s.hinting)) {
        *error = QStringLiteral("--hinting must be %1").arg(FontSource::hintingNames().join(QLatin1Char('|')));
        return false;
    }
    return parseNumber(parser, QStringLiteral("size"), FontSources::SmallestPixelSize, FontSources::LargestPixelSize,
                       &s.pixelSize, error);
}

bool parseMetrics(const QCommandLineParser &parser, FontExportChoice *choice, QString *error)
{
    CellMetrics &m = choice->metrics;
    if (parser.isSet("fixed")) {
        static const QRegularExpression size(QStringLiteral("^(\\d{1,3})x(\\d{1,3})$"));
        const QRegularExpressionMatch match = size.match(parser.value("fixed"));
        m.cell = match.hasMatch() ? QSize(match.captured(1).toInt(), match.captured(2).toInt()) : QSize();
        if (m.cell.isEmpty() || m.cell.width() > CellMetrics::LargestCell || m.cell.height() > CellMetrics::LargestCell) {
            *error = QStringLiteral("--fixed must be WxH, 1 to %1 a side").arg(CellMetrics::LargestCell);
            return false;
        }
        if (choice->form != PackedFont::Form::Table) {
            *error = QStringLiteral("--fixed applies to --form table");
            return false;
        }
    }
    return parseNumber(parser, QStringLiteral("height"), 1, CellMetrics::LargestCell, &m.height, error)
        && parseNumber(parser, QStringLiteral("spacing"), 0, 16, &m.spacing, error);
}

bool parseFile(const QCommandLineParser &parser, Request *request, QString *error)
{
    ExportOptions &file = request->choice.file;
    const ExportTemplates::Kind *kind = ExportTemplates::byCliName(parser.value("template"));
    if (parser.isSet("template") && (!kind || !FontFileWriter::supports(kind->kind))) {
        *error = QStringLiteral("--template must be c, asm or bin, not \"%1\"").arg(parser.value("template"));
        return false;
    }
    if (kind)
        file.kind = kind->kind;
    const QString source = parser.positionalArguments().value(0);
    static const QRegularExpression other(QStringLiteral("[^A-Za-z0-9_]"));
    file.name = parser.isSet("name") ? parser.value("name")
                                     : QFileInfo(source).fileName().section(QLatin1Char('.'), 0, 0).replace(other, QStringLiteral("_"));
    if (!file.name.isEmpty() && file.name.at(0).isDigit())
        file.name.prepend(QStringLiteral("font_"));
    file.progmem = parser.isSet("progmem");
    file.directive = parser.value("asm") == QLatin1String("retlw") ? ExportOptions::Directive::Retlw
                                                                   : ExportOptions::Directive::Db;
    if (parser.isSet("asm") && parser.value("asm") != QLatin1String("db") && parser.value("asm") != QLatin1String("retlw")) {
        *error = QStringLiteral("--asm must be db or retlw, not \"%1\"").arg(parser.value("asm"));
        return false;
    }
    request->out = parser.value("out");
    return true;
}

bool parseRequest(const QCommandLineParser &parser, Request *request, QString *error)
{
    if (parser.positionalArguments().size() != 1) {
        *error = QStringLiteral("name one font file or installed family");
        return false;
    }
    const QString packing = parser.value("packing");
    if (parser.isSet("packing") && packing != QLatin1String("vertical") && packing != QLatin1String("horizontal")) {
        *error = QStringLiteral("--packing must be vertical or horizontal, not \"%1\"").arg(packing);
        return false;
    }
    FontExportChoice &choice = request->choice;
    if (parser.isSet("form") && !PackedFont::formFromName(parser.value("form"), &choice.form)) {
        *error = QStringLiteral("--form must be %1, not \"%2\"").arg(PackedFont::formNames().join(QLatin1Char('|')), parser.value("form"));
        return false;
    }
    return parseSource(parser, request, error) && parseCharacters(parser, &choice.codes, error)
        && parseMetrics(parser, &choice, error)
        && LayoutOptions::parse(parser, packing == QLatin1String("horizontal"), parser.isSet("packing"), &choice.layout, error)
        && parseFile(parser, request, error);
}

int writeResult(const QString &path, const QByteArray &content)
{
    if (path.isEmpty())
        return CommandLine::writeOut(Command, content);
    QString reason;
    if (!ArrayFiles::save(path, content, &reason))
        return CommandLine::failure(Command, reason);
    return CommandLine::Success;
}

void reportMissing(const QString &font, const QList<char32_t> &missing)
{
    QStringList names;
    for (char32_t code : missing)
        names << CharacterList::name(code);
    if (!names.isEmpty())
        QTextStream(stderr) << "tavrel font: " << font << " has no glyph for " << names.size() << " character(s): "
                            << names.join(QStringLiteral(", ")) << '\n';
}

int make(const QCommandLineParser &parser)
{
    Request request;
    QString error;
    if (!parseRequest(parser, &request, &error))
        return CommandLine::usageError(Command, error);
    LoadedFont loaded;
    if (!FontSources::load(request.source, request.choice.codes, &loaded, &error))
        return CommandLine::failure(Command, error);
    reportMissing(request.source.file.isEmpty() ? request.source.family : request.source.file, loaded.missing);
    for (char32_t code : qAsConst(loaded.missing))
        request.choice.codes.removeOne(code);
    if (request.choice.codes.isEmpty())
        return CommandLine::failure(Command, QStringLiteral("the font has none of the characters asked for"));
    request.choice.pixelSize = loaded.bitmapFile ? loaded.font.lineHeight() : request.source.pixelSize;
    QByteArray content;
    if (!FontExport::content(loaded.font, request.choice, &content, &error))
        return CommandLine::failure(Command, error);
    return writeResult(request.out, content);
}

int render(const QCommandLineParser &parser)
{
    if (!parser.isSet("text") || !parser.isSet("out"))
        return CommandLine::usageError(Command, QStringLiteral("--render needs --text and --out"));
    BitmapFont font;
    QString error;
    if (!FontExport::readForDrawing(parser.value("render"), &font, &error))
        return CommandLine::failure(Command, error);
    if (!DecodeCommand::writePicture(FontPainter::render(parser.value("text"), font), parser.value("out"), &error))
        return CommandLine::failure(Command, error);
    return CommandLine::Success;
}

} // namespace

int run(const QStringList &arguments)
{
    QCommandLineParser parser;
    describe(parser);
    if (const auto exitCode = CommandLine::parseArguments(parser, arguments, Command))
        return *exitCode;
    if (parser.isSet("list-fonts"))
        return CommandLine::printOut(Command, FontSources::installedFamilies().join(QLatin1Char('\n')) + QLatin1Char('\n'));
    if (parser.isSet("render"))
        return render(parser);
    return make(parser);
}

} // namespace FontCommand
