#pragma once

#include <QString>
#include <QtGlobal>

// How the bytes of a conversion are written to a file.
struct ExportOptions
{
    enum class Template { Text, C, Xbm, Binary, IntelHex, Assembler };
    enum class Directive { Db, Retlw }; // assembler: data lines or a PIC table of returns

    // Bytes per line: the template's own default, or one line per page (or
    // column, or row) of the matrix.
    static constexpr int DefaultBytesPerLine = 0;
    static constexpr int LinePerUnit = -1;
    static constexpr int MostBytesPerLine = 255; // one Intel HEX record

    Template kind = Template::Text;
    QString name = QStringLiteral("picture"); // C identifier of the array
    int bytesPerLine = DefaultBytesPerLine;
    bool progmem = false;       // C: keep the array in an AVR's flash
    quint32 startAddress = 0;   // Intel HEX: address of the first byte
    Directive directive = Directive::Db;
};
