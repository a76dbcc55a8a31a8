#pragma once
// The layouts of the legacy board types 0 to 20: a file of an older version names only its
// board type, and the program reads the copper from "Data/P<type>.dat" when it opens it.

#include "board/Board.h"
#include "board/PlatinenTyp.h"

#include <functional>
#include <QtCore/QDir>
#include <QtCore/QPoint>
#include <QtCore/QString>
#include <QtCore/QStringList>
#include <vector>

namespace karvel::datagen {

class LayoutBuilder;

struct LegacyLayout {
    TPlatinenTyp Typ;
    QString Name;
    int Width;
    int Height;
    QPoint Nullpunkt;
    QString Description;
    std::function<void(LayoutBuilder&)> Pattern;
};

// One layout per type, in type order.
std::vector<LegacyLayout> LegacyLayouts();
QString LegacyFileName(TPlatinenTyp typ);
void BuildLegacyLayout(const LegacyLayout& legacy, TBoard& layout);

// Writes every layout into the "Data" folder; an empty text on success, else the reason.
QString WriteLegacyLayouts(const QDir& folder, QStringList& written);

} // namespace karvel::datagen
