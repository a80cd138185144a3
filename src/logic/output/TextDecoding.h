#pragma once

#include <QByteArray>
#include <QString>

// The characters of a text file or of standard input: UTF-8 when the bytes
// are valid UTF-8 (what editors and terminals write today), otherwise one
// Latin-1 character per byte, so no byte is ever lost.
namespace TextDecoding {

QString fromBytes(const QByteArray &bytes);

} // namespace TextDecoding
