#include "logic/font/FontFileBytes.h"

#include <QFile>

#include <zlib.h>

namespace FontFileBytes {

bool isGzip(const QByteArray &bytes)
{
    return bytes.size() > 2 && uchar(bytes.at(0)) == 0x1f && uchar(bytes.at(1)) == 0x8b;
}

bool gunzip(const QByteArray &packed, QByteArray *bytes)
{
    z_stream stream{};
    if (inflateInit2(&stream, 16 + MAX_WBITS) != Z_OK)
        return false;
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(packed.constData()));
    stream.avail_in = uInt(packed.size());
    bytes->clear();
    char chunk[65536];
    int status = Z_OK;
    while (status == Z_OK) {
        stream.next_out = reinterpret_cast<Bytef *>(chunk);
        stream.avail_out = sizeof chunk;
        status = inflate(&stream, Z_NO_FLUSH);
        bytes->append(chunk, qsizetype(sizeof chunk - stream.avail_out));
        if (bytes->size() > MostBytes)
            status = Z_MEM_ERROR;
    }
    inflateEnd(&stream);
    return status == Z_STREAM_END;
}

bool read(const QString &path, QByteArray *bytes, QString *reason)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *reason = QStringLiteral("cannot open %1: %2").arg(path, file.errorString());
        return false;
    }
    *bytes = file.read(MostBytes + 1);
    if (bytes->size() > MostBytes) {
        *reason = QStringLiteral("%1 is larger than any font (over %2 MiB)").arg(path).arg(MostBytes >> 20);
        return false;
    }
    if (isGzip(*bytes) && !gunzip(QByteArray(*bytes), bytes)) {
        *reason = QStringLiteral("%1: the gzip data is damaged").arg(path);
        return false;
    }
    return true;
}

} // namespace FontFileBytes
