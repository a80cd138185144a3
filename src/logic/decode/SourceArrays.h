#pragma once

#include "logic/decode/DecodeError.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>

// The byte arrays a C, C++ or assembler source declares, with the named
// numbers beside them (`#define logo_width 82`, `const uint8_t LOGO_H = 64;`,
// `logo_w equ 82`) that may tell their size.
//
// C: every initialiser of an array (`NAME[...] ... = { ... }` or
// `NAME[] { ... }`), whatever surrounds the declaration (namespaces,
// attributes, storage macros, `MACRO(uint8_t NAME[])`); nested braces are
// read in order; preprocessor lines are skipped anywhere. An element is a
// number or character, with casts, parentheses and a sign around it.
// Initialisers of no array (structures) and arrays of names only (tables of
// pointers) are passed over.
// Assembler: data lines (db, .db, .byte, defb, dc.b, fcb, dt, retlw), each
// run of them named by the label before it.
namespace SourceArrays {

struct Array
{
    QString name;
    int line = 0;
    qsizetype start = -1; // where its first element stands in the text
    qsizetype end = -1;   // just after its last element
    QByteArray bytes;
    // Every element was two bare hex digits ("c0", "05"), as the output text
    // writes bytes without a format; the bytes are read that way.
    bool bareHex = false;
};

struct Constant
{
    QString name;
    qint64 value = 0;
    int line = 0;
};

struct Result
{
    QList<Array> arrays;
    QList<Constant> constants;
    DecodeError error;     // the first element that could not be read
    // The text of the array the error stands in: from its first element to
    // its last (C) or to the end of the line refused (assembler).
    qsizetype failedFrom = -1;
    qsizetype failedTo = -1;
    bool declared = false; // the text declares an array or holds a data line
};

Result read(QStringView text);

// Whether the text looks like assembler: data lines and no braces.
bool isAssembler(QStringView text);

} // namespace SourceArrays
