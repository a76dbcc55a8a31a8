#pragma once
// The picture that fills solder joints on the solder side, shared by every board. Taken from
// the program's bitmap folder when it is there (so users can replace it), else built in.

#include "platform/Language.h"

#include <QtCore/QString>
#include <QtGui/QImage>

namespace karvel {

// The picture of that program folder, loaded on its first use and kept; the reference stays
// valid for the program's life.
const QImage& SolderPointPicture(const QString& programFolder, Language language);
// The picture compiled into the program.
QImage BuiltInSolderPointPicture();

} // namespace karvel
