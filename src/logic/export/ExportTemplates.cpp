#include "logic/export/ExportTemplates.h"

#include "logic/convert/Conversion.h"
#include "logic/export/AssemblerTemplate.h"
#include "logic/export/ByteLines.h"
#include "logic/export/CSourceTemplate.h"
#include "logic/export/IntelHexTemplate.h"
#include "logic/export/XbmTemplate.h"

#include <QRegularExpression>

namespace ExportTemplates {

namespace {
using T = ExportOptions::Template;
using D = ExportOptions::Directive;
} // namespace

const QList<Kind> &all()
{
    static const QList<Kind> kinds = {
        {T::Text, D::Db, "text", "Text, as in the output window", "txt"},
        {T::C, D::Db, "c", "C source", "h"},
        {T::Xbm, D::Db, "xbm", "XBM (X bitmap)", "xbm"},
        {T::Binary, D::Db, "bin", "Raw binary", "bin"},
        {T::IntelHex, D::Db, "ihex", "Intel HEX", "hex"},
        {T::Assembler, D::Db, "asm", "Assembler, db lines", "asm"},
        {T::Assembler, D::Retlw, "asm", "Assembler, PIC retlw table", "asm"},
    };
    return kinds;
}

const Kind *byCliName(const QString &name)
{
    for (const Kind &kind : all())
        if (name == QLatin1String(kind.cliName))
            return &kind;
    return nullptr;
}

const Kind &kindOf(const ExportOptions &options)
{
    for (const Kind &kind : all())
        if (kind.kind == options.kind && (kind.kind != T::Assembler || kind.directive == options.directive))
            return kind;
    return all().first();
}

QString cliNames()
{
    QStringList names;
    for (const Kind &kind : all())
        if (!names.contains(QLatin1String(kind.cliName)))
            names << QLatin1String(kind.cliName);
    return names.join(QLatin1Char('|'));
}

bool isIdentifier(const QString &name)
{
    static const QRegularExpression identifier(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    return identifier.match(name).hasMatch();
}

QString nameProblem(const QString &name)
{
    static const QStringList keywords = {
        "alignas", "alignof", "and", "asm", "auto", "bool", "break", "case", "catch", "char", "char16_t",
        "char32_t", "char8_t", "class", "const", "constexpr", "continue", "default", "delete", "do", "double",
        "else", "enum", "explicit", "extern", "false", "float", "for", "friend", "goto", "if", "inline", "int",
        "long", "mutable", "namespace", "new", "noexcept", "not", "nullptr", "operator", "or", "private",
        "protected", "public", "register", "restrict", "return", "short", "signed", "sizeof", "static",
        "static_assert", "struct", "switch", "template", "this", "throw", "true", "try", "typedef", "typeid",
        "typename", "typeof", "union", "unsigned", "using", "virtual", "void", "volatile", "wchar_t", "while",
        "xor"};
    if (!isIdentifier(name))
        return QStringLiteral("\"%1\" is no C identifier (a letter or _, then letters, digits or _)").arg(name);
    if (keywords.contains(name))
        return QStringLiteral("\"%1\" is a C or C++ keyword").arg(name);
    if (name.startsWith(QLatin1String("__")) || (name.size() > 1 && name.at(0) == QLatin1Char('_') && name.at(1).isUpper()))
        return QStringLiteral("\"%1\" is reserved for the compiler (a leading __, or _ and a capital)").arg(name);
    return QString();
}

bool usesName(ExportOptions::Template kind)
{
    return kind == T::C || kind == T::Xbm || kind == T::Assembler;
}

QString problem(const ConversionResult &matrix, const ExportOptions &options)
{
    if (usesName(options.kind) && !nameProblem(options.name).isEmpty())
        return QStringLiteral("the name ") + nameProblem(options.name);
    if (options.bytesPerLine > ExportOptions::MostBytesPerLine
        || (options.bytesPerLine < 0 && options.bytesPerLine != ExportOptions::LinePerUnit))
        return QStringLiteral("bytes per line must be 1 to %1").arg(ExportOptions::MostBytesPerLine);
    if (options.kind == T::IntelHex && !IntelHexTemplate::fits(matrix.bytes.size(), options.startAddress))
        return QStringLiteral("%1 bytes from address %2 run past the 32-bit address range")
            .arg(matrix.bytes.size())
            .arg(options.startAddress);
    return QString();
}

QByteArray render(const ConversionResult &matrix, const ExportOptions &options)
{
    switch (options.kind) {
    case T::Text:
        return matrix.text.toUtf8() + '\n';
    case T::C:
        return CSourceTemplate::write(matrix, options);
    case T::Xbm:
        return XbmTemplate::write(matrix, options);
    case T::Binary:
        return matrix.bytes;
    case T::IntelHex: {
        // A page or row a record, as far as a record reaches.
        const int perRecord =
            ByteLines::resolve(options.bytesPerLine, IntelHexTemplate::DefaultBytesPerLine,
                               ByteLines::unitLength(matrix.width, matrix.height, matrix.layout));
        return IntelHexTemplate::write(matrix.bytes, options.startAddress, perRecord);
    }
    case T::Assembler:
        return AssemblerTemplate::write(matrix, options);
    }
    return {};
}

} // namespace ExportTemplates
