#pragma once
// The board properties as their dialog shows them: name, size and offset as texts in
// millimetres, read back leniently ("160", "1,27", "1.27 mm" all work) and held to what a
// board can be.

#include "platform/Language.h"
#include "platform/Rect.h"

#include <QtCore/QLocale>
#include <QtCore/QString>
#include <vector>

namespace karvel {

class TPlatine;

struct BoardPropertiesText {
    QString Name;
    QString Width;  // mm
    QString Height; // mm
    QString X;      // offset, mm
    QString Y;
    bool operator==(const BoardPropertiesText&) const = default;
};

inline constexpr int MaxBoardSize = 32000; // 320 mm
inline constexpr int MaxBoardOffset = 508;

BoardPropertiesText PropertiesOf(const TPlatine& board, const QLocale& locale);
// What the Default button puts in: a 160 × 100 mm board.
BoardPropertiesText DefaultProperties(const QString& name, const QLocale& locale);
// One undo step; the board becomes a board of its own type. A size of zero or less becomes
// one hole pitch, so that the board stays a board.
void ApplyBoardProperties(TPlatine& board, const BoardPropertiesText& text);

// --- The size in holes. Hole centres lie at x = 254·i and y = 254·j + 127; a hole counts as a
// whole hole of the board when its pitch cell — half a pitch about its centre — lies wholly on
// the board, as the standard layouts lay their holes.
struct HoleCount {
    int Columns = 0;
    int Rows = 0;
    bool operator==(const HoleCount&) const = default;
};
// The whole holes of the size and offset the texts give (read as applying them would).
HoleCount WholeHoles(const BoardPropertiesText& text);
// The width (height) that holds that many whole columns (rows) from the offset of the text:
// its edge lies half a pitch after the last of them. As millimetres in the locale.
QString WidthForColumns(const BoardPropertiesText& text, int columns, const QLocale& locale);
QString HeightForRows(const BoardPropertiesText& text, int rows, const QLocale& locale);
// The most whole holes a side can hold.
int MostHolesAcross();

// The drillings of a board's layout, to tell which of them a new size would cut.
std::vector<Rect> LayoutHoles(const TPlatine& board);
// How many of those holes an edge of the size and offset of the text runs through.
int CutHoles(const std::vector<Rect>& holes, const BoardPropertiesText& text);
// What the dialog says about a size that cuts holes; empty for none.
QString CutHolesMessage(int count, Language language);

} // namespace karvel
