#pragma once
// The colour gradients that fill the bodies of the component assistant's components: diagonal
// ones for resistors, round ones for electrolytic capacitors and diodes, square ones for
// capacitors, each in a German and an English folder below "Bitmaps".

#include "platform/Language.h"

#include <QtCore/QDir>
#include <QtCore/QStringList>
#include <QtGui/QColor>
#include <QtGui/QImage>
#include <vector>

namespace karvel::datagen {

enum class GradientShape { Diagonal, Round, Square };

// One picture: its file's base name in one language, its shape and its body colour. The
// names are chosen so that, sorted, the assistant's default choices land on fitting colours
// (beige resistors, blue electrolytic capacitors, black diodes, red capacitors).
struct GradientBitmap {
    QString Name;
    karvel::Language Language;
    int Style; // the component style whose folder holds it
    GradientShape Shape;
    QColor Body;
};

std::vector<GradientBitmap> GradientBitmaps();

// Lit from the upper left: lighter towards the light, darker away from it.
QImage MakeGradientBitmap(GradientShape shape, const QColor& body, int size = 48);

// Writes every picture below the resources folder; an empty text on success, else the reason.
QString WriteGradientBitmaps(const QDir& resources, QStringList& written);

} // namespace karvel::datagen
