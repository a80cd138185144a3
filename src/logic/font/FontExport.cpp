#include "logic/font/FontExport.h"

#include "logic/export/ExportTemplates.h"
#include "logic/font/BdfFont.h"
#include "logic/font/BitmapFont.h"
#include "logic/font/FontFileBytes.h"
#include "logic/font/FontFileReader.h"
#include "logic/font/FontFileWriter.h"
#include "logic/font/FontSource.h"

namespace FontExport {

bool content(const BitmapFont &font, const FontExportChoice &choice, QByteArray *content, QString *reason)
{
    if (choice.form == PackedFont::Form::Bdf) {
        *content = BdfFont::write(font.subset(choice.codes), choice.pixelSize > 0 ? choice.pixelSize : font.lineHeight());
        return true;
    }
    if (!FontFileWriter::supports(choice.file.kind)) {
        *reason = QStringLiteral("a font is written as C source, assembler or binary");
        return false;
    }
    if (ExportTemplates::usesName(choice.file.kind) && !ExportTemplates::isIdentifier(choice.file.name)) {
        *reason = QStringLiteral("the name \"%1\" is no C identifier (a letter or _, then letters, digits or _)")
                      .arg(choice.file.name);
        return false;
    }
    PackedFont packed;
    if (!FontPacking::pack(font, choice.codes, choice.metrics, choice.form, choice.layout, &packed, reason))
        return false;
    *content = FontFileWriter::write(packed, choice.file);
    return true;
}

bool drawn(const BitmapFont &font, const FontExportChoice &choice, BitmapFont *result, QString *reason)
{
    if (choice.form == PackedFont::Form::Bdf) {
        *result = font.subset(choice.codes);
        return true;
    }
    PackedFont packed;
    if (!FontPacking::pack(font, choice.codes, choice.metrics, choice.form, choice.layout, &packed, reason))
        return false;
    *result = FontPacking::drawn(packed);
    return true;
}

bool readForDrawing(const QString &path, BitmapFont *font, QString *reason)
{
    QByteArray bytes;
    if (!FontFileBytes::read(path, &bytes, reason))
        return false;
    if (!FontFileReader::isFontSource(bytes))
        return FontSources::readBitmapFile(path, font, reason);
    PackedFont packed;
    if (!FontFileReader::read(bytes, &packed, reason)) {
        reason->prepend(path + QStringLiteral(": "));
        return false;
    }
    *font = FontPacking::drawn(packed);
    return true;
}

} // namespace FontExport
