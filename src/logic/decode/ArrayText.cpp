#include "logic/decode/ArrayText.h"

#include "logic/decode/HexTextDecoder.h"
#include "logic/decode/SourceArrays.h"

namespace ArrayText {

namespace {

bool isXbm(const SourceArrays::Array &array, const QList<SourceArrays::Constant> &constants)
{
    if (!array.name.endsWith(QLatin1String("_bits")))
        return false;
    const QString width = array.name.chopped(4) + QLatin1String("width");
    for (const SourceArrays::Constant &constant : constants)
        if (constant.name == width)
            return true;
    return false;
}

Result fromSource(const SourceArrays::Result &source, bool assembler)
{
    Result result;
    for (const SourceArrays::Array &found : source.arrays) {
        Array array;
        array.name = found.name;
        array.line = found.line;
        array.bytes = found.bytes;
        array.hints = SizeHints::forArray(found, source.constants, source.arrays.size() == 1);
        array.form = assembler ? ArrayForm::Assembler
                               : isXbm(found, source.constants) ? ArrayForm::Xbm : ArrayForm::CSource;
        result.arrays << array;
    }
    return result;
}

// Whether the output text's bytes run from `from` to `to`, give or take a
// byte's format before the first ("$", "0x") and a suffix after the last.
bool covers(QStringView text, const HexTextDecoder::Result &hex, qsizetype from, qsizetype to)
{
    const auto isMark = [](QStringView part) {
        return part.size() <= 4 && !part.contains(QLatin1Char(',')) && part.trimmed().size() == part.size();
    };
    return (hex.bodyStart <= from || isMark(text.mid(from, hex.bodyStart - from)))
        && (to <= hex.bodyEnd || isMark(text.mid(hex.bodyEnd, to - hex.bodyEnd)));
}

bool anyBare(const SourceArrays::Result &source)
{
    for (const SourceArrays::Array &array : source.arrays)
        if (array.bareHex)
            return true;
    return false;
}

} // namespace

QString Result::problem() const
{
    return error.isSet() ? error.message() : arrays.isEmpty() ? QStringLiteral("no bytes found") : QString();
}

Result read(QStringView text)
{
    const SourceArrays::Result source = SourceArrays::read(text);
    const bool assembler = SourceArrays::isAssembler(text);
    const bool sourceRead = !source.error.isSet() && !source.arrays.isEmpty();
    const bool several = source.arrays.size() > 1;
    if (sourceRead && !anyBare(source) && several)
        return fromSource(source, assembler);
    const HexTextDecoder::Result hex = HexTextDecoder::decode(text);
    const bool hexRead = hex.ok() && !hex.bytes.isEmpty();
    // One array that the output text's reading takes further from its first
    // byte on: "db 0x05;0x06" with ';' as the delimiter, not a comment.
    if (sourceRead && !anyBare(source)) {
        const SourceArrays::Array &array = source.arrays.first();
        if (!(hexRead && hex.bytes.size() > array.bytes.size() && covers(text, hex, array.start, array.end)))
            return fromSource(source, assembler);
    }
    Result result;
    if (source.error.isSet() && source.declared) {
        // The output text with a format or delimiter C does not know
        // ("{0xc0 0xff}"): its bytes run over the whole array.
        const bool longRun = hexRead && hex.bytes.size() >= HexTextDecoder::MinimumRun
            && covers(text, hex, source.failedFrom, source.error.position + 1);
        if (!(hexRead && (longRun || covers(text, hex, source.failedFrom, source.failedTo)))) {
            result.error = source.error;
            return result;
        }
    } else if (sourceRead && !(hexRead && hex.bodyStart >= source.arrays.first().start)) {
        return fromSource(source, assembler); // "db c0 ff": the output text would take "db" for a byte
    }
    if (!hexRead) {
        result.error = hex.error;
        return result;
    }
    Array array;
    array.bytes = hex.bytes;
    array.start = hex.bodyStart;
    array.end = hex.bodyEnd;
    array.line = int(text.left(hex.bodyStart).count(QLatin1Char('\n'))) + 1;
    // A header such as "const uint8_t logo[] = {" still names the array.
    if (source.arrays.size() == 1) {
        array.name = source.arrays.first().name;
        array.hints = fromSource(source, assembler).arrays.first().hints;
    }
    result.arrays << array;
    return result;
}

const Array *byName(const Result &result, const QString &name)
{
    for (const Array &array : result.arrays)
        if (array.name == name)
            return &array;
    return nullptr;
}

} // namespace ArrayText
