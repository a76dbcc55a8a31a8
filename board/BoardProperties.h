#pragma once
// The board properties as their dialog shows them: name, size and offset as texts in
// millimetres, read back leniently ("160", "1,27", "1.27 mm" all work) and held to what a
// board can be.

#include <QtCore/QLocale>
#include <QtCore/QString>

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

} // namespace karvel
