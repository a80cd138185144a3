#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>

// What the firmware tests share: the assembled firmware, a picture with
// something in every page and byte column, its stream from `tavrel convert`.
namespace FirmwareFixture {

// The .cod file the build assembled, or "" when gputils or gpsim is missing.
QString codFile();
// `tavrel convert` of `picture` (saved in `dir`) with --stream and `options`.
QByteArray stream(const QImage &picture, const QStringList &options, const QString &dir);
// The stream's transfer header digits, "*" left out.
QByteArray headerOf(const QByteArray &stream);

} // namespace FirmwareFixture
