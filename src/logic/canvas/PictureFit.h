#pragma once

#include <QSize>

// How large a picture of LCD pixels is drawn in the room a view has.
namespace PictureFit {

// The largest scale that shows all of `picture` in `room`: a whole number
// up to `largest` while the picture fits at one to one, so every LCD pixel
// stays a square of screen pixels; below one when it does not fit, so a
// large picture shrinks whole. 0 when there is no picture or no room.
double scale(QSize picture, QSize room, int largest);

} // namespace PictureFit
