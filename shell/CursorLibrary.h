#pragma once
// The program's own mouse cursors: small pictures with hot spots, registered under the numbers
// the board uses, drawn from SVG so that they are sharp on every screen.

#include "board/PlatinenTyp.h"
#include "platform/Language.h"

#include <QtCore/QPoint>
#include <QtCore/QString>
#include <QtGui/QCursor>
#include <span>

namespace karvel {

struct CursorPicture {
    int Number;          // 1 to 16, as the board asks for them
    const char* Name;    // the German resource name
    const char* English; // the English resource name, where it differs
    const char* File;    // picture below ":/cursors/" without ".svg"
    QPoint HotSpot;      // in the picture's 32 x 32 pixels
};

std::span<const CursorPicture> CursorPictures();
// The picture registered under a name (German or English), or none.
const CursorPicture* FindCursor(const QString& name);
// The cursor of a number in a language; the arrow for an unknown number.
QCursor NumberedCursor(int number, Language language);
// A cursor by name: a picture name, "SPLIT", "NONE" or empty for the arrow.
QCursor NamedCursor(const QString& name);
QCursor CursorForMode(TPlatinenModus mode, Language language);

} // namespace karvel
