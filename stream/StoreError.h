#pragma once
// Why writing a file stopped: a value its reader would refuse. A file the program writes must
// always open again, so such a value is refused before anything reaches the disk, and the
// message says in the user's language what lies where.

#include "platform/Language.h"
#include "platform/NumberLocale.h"

#include <cstdint>
#include <exception>
#include <QtCore/QByteArray>
#include <QtCore/QString>

namespace karvel {

class StoreError : public std::exception {
public:
    enum class Kind {
        Coordinate, // a point beyond the coordinate range
        Extent,     // a board size beyond its range
        Diameter,   // a pad or drilling diameter beyond its range
        NotFinite   // not a number, or infinite
    };

    // value: board units for coordinates and sizes, millimetres for diameters.
    StoreError(Kind kind, double value) : kind_(kind), value_(value) {
        utf8_ = Message(Language::English).toUtf8();
    }

    Kind GetKind() const { return kind_; }

    QString Message(Language language) const {
        const bool english = UsesEnglish(language);
        const QString millimetres =
            FormatNumber(kind_ == Kind::Diameter ? value_ : value_ / 100.0, 2, language);
        QString what;
        switch (kind_) {
        case Kind::Coordinate:
            what = english ? QStringLiteral("An element lies at %1 mm, more than 10,000 mm from "
                                            "the zero point")
                                 .arg(millimetres)
                           : QStringLiteral("Ein Element liegt bei %1 mm, weiter als 10.000 mm "
                                            "vom Nullpunkt")
                                 .arg(millimetres);
            break;
        case Kind::Extent:
            what = english ? QStringLiteral("The board size %1 mm lies outside 0 to 1,000 mm")
                                 .arg(millimetres)
                           : QStringLiteral("Die Platinengröße %1 mm liegt außerhalb von 0 bis "
                                            "1.000 mm")
                                 .arg(millimetres);
            break;
        case Kind::Diameter:
            what = english ? QStringLiteral("A diameter of %1 mm lies outside 0 to 1,000 mm")
                                 .arg(millimetres)
                           : QStringLiteral("Ein Durchmesser von %1 mm liegt außerhalb von 0 bis "
                                            "1.000 mm")
                                 .arg(millimetres);
            break;
        case Kind::NotFinite:
            what = english ? QStringLiteral("A value is not a finite number")
                           : QStringLiteral("Ein Wert ist keine endliche Zahl");
            break;
        }
        return what + (english ? QStringLiteral(": such a file would not open again, so nothing "
                                                "was written.")
                               : QStringLiteral(": eine solche Datei ließe sich nicht wieder "
                                                "öffnen, darum wurde nichts geschrieben."));
    }

    // The English message, for logs and for whoever only catches std::exception.
    const char* what() const noexcept override { return utf8_.constData(); }

private:
    Kind kind_;
    double value_;
    QByteArray utf8_;
};

} // namespace karvel
