#include "logic/export/ArrayFileReader.h"

#include "logic/decode/SendStreamDecoder.h"

#include <QFileInfo>
#include <QMap>
#include <QStringList>

namespace ArrayFileReader {

namespace {

Result failed(const QString &error, Form form)
{
    Result result;
    result.form = form;
    result.error = error;
    return result;
}

Result single(const QByteArray &bytes, Form form)
{
    // In the words of the text reader's empty result.
    if (bytes.isEmpty())
        return failed(ArrayText::Result().problem(), form);
    Result result;
    ArrayText::Array array;
    array.bytes = bytes;
    array.form = form;
    result.arrays << array;
    result.bytes = bytes;
    result.form = form;
    return result;
}

Result fromText(const ArrayText::Result &text, Form form)
{
    if (!text.ok())
        return failed(text.problem(), form);
    Result result;
    result.arrays = text.arrays;
    result.bytes = text.arrays.first().bytes;
    result.form = form == Form::Stream ? form : text.arrays.first().form;
    return result;
}

} // namespace

Result read(const QByteArray &content, bool raw)
{
    if (raw)
        return single(content, Form::Binary);
    const QString text = QString::fromUtf8(content);
    if (text.trimmed().startsWith(QLatin1Char(':')))
        return readIntelHex(content);
    if (SendStreamDecoder::looksLikeStream(text)) {
        const SendStreamDecoder::Result stream = SendStreamDecoder::split(text);
        if (!stream.ok())
            return failed(stream.error.message(), Form::Stream);
        return fromText(ArrayText::read(stream.data), Form::Stream);
    }
    return fromText(ArrayText::read(text), Form::Text);
}

bool isRaw(const QString &path)
{
    return path.endsWith(QLatin1String(".bin"), Qt::CaseInsensitive);
}

const QStringList &extensions()
{
    static const QStringList all = {QStringLiteral("c"),   QStringLiteral("h"),   QStringLiteral("cpp"),
                                    QStringLiteral("ino"), QStringLiteral("xbm"), QStringLiteral("hex"),
                                    QStringLiteral("bin")};
    return all;
}

bool isArrayFile(const QString &path)
{
    return extensions().contains(QFileInfo(path).suffix(), Qt::CaseInsensitive);
}

bool choose(Result *result, const QString &name, QString *error)
{
    QStringList names;
    for (int i = 0; i < result->arrays.size(); ++i) {
        if (result->arrays.at(i).name == name) {
            result->chosen = i;
            result->bytes = result->arrays.at(i).bytes;
            result->form = result->form == Form::Stream ? Form::Stream : result->arrays.at(i).form;
            return true;
        }
        names << result->arrays.at(i).name;
    }
    *error = QStringLiteral("no array named \"%1\"; the file holds %2").arg(name, names.join(QLatin1String(", ")));
    return false;
}

Result readIntelHex(const QByteArray &content)
{
    QMap<quint32, QByteArray> chunks; // by address, joined once all are read
    quint32 upper = 0;
    int lineNumber = 0;
    for (const QByteArray &rawLine : content.split('\n')) {
        ++lineNumber;
        const QByteArray line = rawLine.trimmed();
        if (line.isEmpty())
            continue;
        const QByteArray record = QByteArray::fromHex(line.mid(1));
        const QString where = QStringLiteral("Intel HEX line %1").arg(lineNumber);
        if (!line.startsWith(':') || record.size() < 5 || record.size() != uchar(record.at(0)) + 5
            || line.size() != 1 + 2 * record.size())
            return failed(where + QStringLiteral(" is no record"), Form::IntelHex);
        uchar sum = 0;
        for (const char byte : record)
            sum = uchar(sum + uchar(byte));
        if (sum != 0)
            return failed(where + QStringLiteral(": wrong checksum"), Form::IntelHex);
        const quint32 address = upper + (quint32(uchar(record.at(1))) << 8 | uchar(record.at(2)));
        const QByteArray data = record.mid(4, uchar(record.at(0)));
        // Segment (02) and linear (04) address records carry a 16-bit base.
        const quint32 base = data.size() == 2 ? quint32(uchar(data.at(0))) << 8 | uchar(data.at(1)) : 0;
        switch (uchar(record.at(3))) {
        case 0x00: chunks.insert(address, data); break;
        case 0x02: upper = base << 4; break;
        case 0x04: upper = base << 16; break;
        default: break; // the end record and start addresses say nothing about the data
        }
    }
    QByteArray bytes;
    quint64 next = chunks.isEmpty() ? 0 : chunks.firstKey();
    for (auto it = chunks.cbegin(); it != chunks.cend(); ++it) {
        if (it.key() != next)
            return failed(QStringLiteral("Intel HEX: the data leave a gap or overlap at address 0x%1")
                              .arg(it.key(), 0, 16), Form::IntelHex);
        bytes += it.value();
        next = quint64(it.key()) + quint64(it.value().size());
    }
    return single(bytes, Form::IntelHex);
}

} // namespace ArrayFileReader
