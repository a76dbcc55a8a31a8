#pragma once
// The picture that fills solder joints on the solder side, shared by every board. Taken from
// the program's bitmap folder when it is there (so users can replace it), else built in.

#include "board/Language.h"

#include <QtCore/QString>
#include <QtGui/QImage>

namespace karvel {

// Loads the picture once, on the first call; later calls return the same picture.
const QImage& SolderPointPicture(const QString& programFolder, Language language);
// The picture compiled into the program.
QImage BuiltInSolderPointPicture();

} // namespace karvel
