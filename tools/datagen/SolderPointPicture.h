#pragma once
// The picture that fills solder joints seen from the solder side: a shiny blob of tin.

#include <QtGui/QImage>

namespace karvel::datagen {

QImage MakeSolderPointPicture(int size = 48);

} // namespace karvel::datagen
