#pragma once
// The starter library: the pages of common parts a new user finds in the library panel. Every
// page exists twice, with German and with English texts, in "Library/de" and "Library/en" of
// the data folder; the set of the program's language seeds the user's library folder.

#include "board/Bibo.h"
#include "platform/Language.h"
#include "tools/datagen/Parts.h"

#include <functional>
#include <memory>
#include <QtCore/QDir>
#include <QtCore/QString>
#include <QtCore/QStringList>
#include <vector>

namespace karvel::datagen {

struct Words {
    QString German;
    QString English;
    QString In(Language language) const { return Tr(language, German, English); }
};

struct StarterPart {
    Words Identifier;
    Words Value;
    Words Description;
    // Builds the part with its first contact in the given hole.
    std::function<std::unique_ptr<TGruppe>(const Identity&, QPoint, Language)> Build;
};

struct StarterPage {
    QString FileName;
    Words Name;
    std::vector<StarterPart> Parts;
};

std::vector<StarterPage> StarterPages();

// Puts the page's parts onto a library page, one under the other, named in the language.
void BuildStarterPage(const StarterPage& page, Language language, TBibo& bibo);

// Writes both sets into "de" and "en" below the folder; an empty text on success, else the
// reason.
QString WriteStarterLibrary(const QDir& folder, QStringList& written);

} // namespace karvel::datagen
