#pragma once
// The language of the board layouts in "Board Layouts". The layouts that come with the program
// are named in German and, for the everyday boards, in English as well; the folder's
// "Sprachen.ini" names each of those files in section "Sprache" with its language value (as
// "SPRACHE.INI" holds it). A file it does not name, such as a layout of the user's own or a
// board only made in one language, is offered in every language.

#include "platform/Language.h"

#include <map>
#include <QtCore/QString>
#include <QtCore/QStringList>

namespace karvel {

class LayoutLanguages {
public:
    static QString FileName() { return QStringLiteral("Sprachen.ini"); }

    // What the folder's file says; nothing when it is missing or cannot be read.
    static LayoutLanguages Read(const QString& folder);
    // Writes the folder's file; empty on success, else the reason.
    QString Write(const QString& folder) const;

    void Set(const QString& fileName, Language language);
    // Whether a new board is offered the layout file when the program speaks that language.
    bool Offers(const QString& fileName, Language language) const;

private:
    // By the file name in lower case, as the folder's names are found whatever their case.
    std::map<QString, Language> languages_;
    std::map<QString, QString> names_;
};

} // namespace karvel
