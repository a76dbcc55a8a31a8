#pragma once
// The colour-gradient pictures that fill the bodies of generated components. They lie in
// folders below "Bitmaps" of the program folder, one per body shape and language; the base
// names of their ".BMP" files are the choices the assistant offers.

#include "platform/Language.h"

#include <QtCore/QString>
#include <QtCore/QStringList>

namespace karvel {

// The folder of a component style (11 to 14) below the program folder, with "/" as the
// separator; empty for other styles.
QString GradientFolder(int style, Language language);

// The base names (up to the first ".") of the folder's files ending in ".BMP" in any letter
// case, in the order of their file names.
QStringList ListGradientBitmaps(const QString& programFolder, int style, Language language);

// The path of the first such file whose base name is the given name; empty when there is none.
QString GradientBitmapFile(const QString& programFolder, int style, Language language,
                           const QString& name);

} // namespace karvel
