#pragma once

#include "logic/convert/MatrixLayout.h"
#include "logic/decode/DecodeError.h"
#include "logic/convert/TransferHeaderFields.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringView>

// The picture a text draws on an LCD of the given size and layout: the
// text as Convert writes it, or with `stream` a send stream as "Reformat
// For Output" builds it.
namespace LcdByteDecoder {

struct Request
{
    int width = 128;
    int height = 64;
    MatrixLayout layout = MatrixLayout::usual(false);
    bool stream = false;
};

struct Result
{
    QImage picture;   // always width x height: black for set bits, white elsewhere
    QByteArray bytes; // those read, up to a bad token
    bool headerRead = false;     // a stream whose transfer header could be read
    TransferHeaderFields header; // when headerRead
    DecodeError error;           // a token that could not be read
    QString countError;          // "1000 bytes; 240x64 needs 1920"

    bool ok() const { return !error.isSet() && countError.isEmpty(); }
    // The error's message, or the count error; empty when ok().
    QString problem() const;
};

Result decode(QStringView text, const Request &request);

} // namespace LcdByteDecoder
