#pragma once
// The program-wide view state that every board and element reads when it draws, snaps or
// creates elements. The main window owns one; tests make their own.

#include "platform/Colour.h"
#include "platform/Language.h"

#include <QtCore/QString>

namespace karvel {

struct XRayColours {
    // Keys ending in "Pen" give the ghost's brush colour, keys ending in "Brush" its pen colour.
    Colour Pen = 12171705;
    Colour Brush = 13684944;
    Colour PenBW = 12171705;
    Colour BrushBW = 13684944;
    bool operator==(const XRayColours&) const = default;
};

struct ViewState {
    bool Loetseite = false;      // looking at the board from the solder side
    bool Durchsicht = false;     // see-through: the other side shows as if the board were glass
    bool Roentgen = false;       // X-ray: elements of the other side drawn as ghosts
    bool BitmapRendering = true; // fill bitmaps drawn at all
    double FineGrid = 10.0;      // fine grid step in board units
    XRayColours XRay;
    int UndoDepth = 10;
    Language Sprache = Language::German;
    bool ClipboardFilled = false;
    // Where the program's data folders lie ("Data", "Board Layouts", "Library", "Bitmaps").
    QString ProgramFolder;

    // The side new elements are created on: always the side being worked on.
    bool NewElementsOnSolderSide() const { return Loetseite != Durchsicht; }
    QString Tr(const QString& german, const QString& english) const {
        return karvel::Tr(Sprache, german, english);
    }
};

} // namespace karvel
