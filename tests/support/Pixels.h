#pragma once
// Reading the colour of single pixels, the way rendering tests probe a picture.

#include "platform/Colour.h"

#include <QtGui/QImage>

namespace karvel::test {

inline Colour PixelAt(const QImage& image, int x, int y) {
    return FromQColor(image.pixelColor(x, y));
}

} // namespace karvel::test
