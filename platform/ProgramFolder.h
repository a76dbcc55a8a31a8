#pragma once
// Where the data that lies beside the program is found: the folders "Data", "Board Layouts",
// "Library" (the library pages that come with it) and "Bitmaps". An installed program keeps them
// in its share folder; a program run from the build tree finds them in the source tree's
// resources.

#include <QtCore/QString>

namespace karvel {

// The first of: the folder named in KARVEL_DATA_DIR, the executable's own folder when it holds
// a "Data" folder, ../share/karvel beside it, the source tree's resources. Needs a
// Q(Core)Application for the executable's folder.
QString FindProgramFolder();

} // namespace karvel
