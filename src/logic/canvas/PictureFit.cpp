#include "logic/canvas/PictureFit.h"

#include <QtGlobal>

#include <cmath>

namespace PictureFit {

double scale(QSize picture, QSize room, int largest)
{
    if (picture.isEmpty() || room.isEmpty())
        return 0;
    const double fit = qMin(double(room.width()) / picture.width(), double(room.height()) / picture.height());
    return fit >= 1 ? qMin(double(largest), std::floor(fit)) : fit;
}

} // namespace PictureFit
