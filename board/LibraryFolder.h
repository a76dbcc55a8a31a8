#pragma once
// Where the user's library pages live. The pages that come with the program lie in the data
// folder ("Library/de", "Library/en") and are never written; the user's pages lie in a folder
// that can be written: "Lib" beside the program when that folder can take them (a portable
// copy, a build), else "$XDG_DATA_HOME/karvel/Lib" (an installed program). On first use that
// folder is seeded with the pages of the program's language.

#include "platform/Language.h"

#include <functional>
#include <QtCore/QString>
#include <vector>

namespace karvel {

// Whether a file name is a library page's, whatever its case ("LIB3.Lib", "parts.LIB").
bool IsLibraryPageFile(const QString& fileName);
// The library page files of a folder, as full paths in file name order.
std::vector<QString> LibraryPageFiles(const QString& folder);

// The shipped pages added to a folder that holds pages already.
struct LibraryAddition {
    std::vector<QString> Added; // the new page files
    // What went wrong, in the user's language; empty when nothing did.
    QString Problem;
};

struct LibrarySetup {
    QString Folder;
    // What went wrong while seeding it, in the user's language; empty when nothing did.
    QString Problem;
};

class LibraryFolder {
public:
    using WritableCheck = std::function<bool(const QString& folder)>;

    // "$XDG_DATA_HOME/karvel/Lib", or "~/.local/share/karvel/Lib" when the variable is unset
    // or relative.
    static QString DefaultUserFolder();
    // The shipped pages of a language below the data folder.
    static QString ShippedPages(const QString& dataFolder, Language language);
    // The folder exists and can take files, or it does not exist yet and its parent can.
    static bool CanHoldPages(const QString& folder);

    // The program folder's "Lib" (found whatever its case) when it can hold pages, else the
    // user's folder.
    static QString Choose(const QString& programFolder, const QString& userFolder,
                          const WritableCheck& canWrite = CanHoldPages);
    // Copies the shipped pages into a folder that holds no page yet, making the folder first;
    // the reason in the user's language when that fails.
    static QString Seed(const QString& folder, const QString& shipped, Language language);

    // Adds the shipped pages to a folder the user has worked in, each under the next free file
    // name. A page whose name the folder holds already is left out, so that adding twice adds
    // nothing; none of the folder's own pages is overwritten or renamed.
    static LibraryAddition AddShippedPages(const QString& folder, const QString& shipped,
                                           Language language);

    // Chooses the folder and seeds it.
    static LibrarySetup Prepare(const QString& programFolder, const QString& dataFolder,
                                Language language, const QString& userFolder = DefaultUserFolder());
};

} // namespace karvel
