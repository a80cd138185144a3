#include "logic/settings/WindowPlacement.h"

#include <QDataStream>
#include <QStringList>

namespace WindowPlacement {

QRect parse(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 4)
        return QRect();
    int values[4] = {};
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        values[i] = parts.at(i).trimmed().toInt(&ok);
        if (!ok)
            return QRect();
    }
    return values[2] > 0 && values[3] > 0 ? QRect(values[0], values[1], values[2], values[3]) : QRect();
}

QString toText(const QRect &rect)
{
    return QStringLiteral("%1,%2,%3,%4").arg(rect.x()).arg(rect.y()).arg(rect.width()).arg(rect.height());
}

QRect fitted(const QRect &rect, const QList<QRect> &screens)
{
    if (!rect.isValid())
        return QRect();
    const QRect *best = nullptr;
    qint64 bestArea = 0;
    for (const QRect &screen : screens) {
        const QRect common = screen.intersected(rect);
        const qint64 area = qint64(common.width()) * common.height();
        if (area > bestArea) {
            best = &screen;
            bestArea = area;
        }
    }
    if (!best)
        return QRect();
    QRect result(rect.topLeft(), rect.size().boundedTo(best->size()));
    result.moveLeft(qBound(best->left(), result.left(), best->right() + 1 - result.width()));
    result.moveTop(qBound(best->top(), result.top(), best->bottom() + 1 - result.height()));
    return result;
}

namespace {

struct SavedGeometry
{
    QRect normal;
    bool maximized = false;
};

// The layout Qt 5 and 6 write: magic, version, frame and normal rectangles,
// screen number, maximised and full-screen flags, and more after them.
std::optional<SavedGeometry> readSaved(const QVariant &saved)
{
    if (saved.typeId() != QMetaType::QByteArray)
        return std::nullopt;
    QDataStream stream(saved.toByteArray());
    stream.setVersion(QDataStream::Qt_4_0);
    quint32 magic = 0;
    quint16 major = 0, minor = 0;
    QRect frame;
    SavedGeometry geometry;
    qint32 screen = 0;
    quint8 maximized = 0;
    stream >> magic >> major >> minor >> frame >> geometry.normal >> screen >> maximized;
    if (stream.status() != QDataStream::Ok || magic != 0x1D9D0CB || geometry.normal.isEmpty())
        return std::nullopt;
    geometry.maximized = maximized != 0;
    return geometry;
}

} // namespace

std::optional<QString> fromSavedGeometry(const QVariant &saved)
{
    const auto geometry = readSaved(saved);
    return geometry ? std::optional<QString>(toText(geometry->normal)) : std::nullopt;
}

std::optional<QString> maximizedFromSavedGeometry(const QVariant &saved)
{
    const auto geometry = readSaved(saved);
    if (!geometry)
        return std::nullopt;
    return geometry->maximized ? QStringLiteral("true") : QStringLiteral("false");
}

} // namespace WindowPlacement
