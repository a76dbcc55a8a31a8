#pragma once
// LayoutBuilder: lays copper patterns on a layout board hole by hole — strips, pad fields,
// drillings, edge-connector fingers, connector pad rows, DIP patterns with supply rails — and
// keeps one drilling per hole however the patterns overlap.

#include "tools/datagen/HoleGrid.h"

#include "board/Board.h"
#include "platform/Rect.h"

#include <QtCore/QString>
#include <set>
#include <utility>

namespace karvel::datagen {

// Copper and hole sizes of one grid.
struct GridSizes {
    int StripHalfWidth; // board units; a track's pen width is its half width
    double PadDiameter; // millimetres
    double DrillDiameter;
};

inline constexpr GridSizes Grid254{100, 2.0, 1.0};
inline constexpr GridSizes Grid508{200, 3.5, 1.3};

class LayoutBuilder {
public:
    // Gives the layout its name, size and offset; the main board copies these when the layout
    // is opened, so they describe the board itself.
    LayoutBuilder(TBoard& board, const QString& name, int width, int height,
                  QPoint nullpunkt = {0, 0});

    // The holes of the whole board at a step of one or two pitches.
    HoleField Field(int step = 1) const;
    void Describe(const QString& text);
    // Puts the origin marker on a hole; it starts on the first hole of the 2.54 mm grid.
    void SetOrigin(QPoint hole);

    // --- Single elements
    // One drilling per hole: a second request for the same hole is ignored.
    void Drilling(QPoint hole, double diameter);
    void Pad(QPoint hole, double diameter);
    // A straight track between two board points, its copper reaching half its width beyond
    // both ends so that end holes lie fully on copper.
    void Track(QPoint from, QPoint to, int halfWidth);
    void CopperRect(const Rect& rect);

    // --- Patterns
    // A horizontal strip over the holes of one row, every step-th column.
    void Strip(int row, int firstColumn, int lastColumn, int step, const GridSizes& sizes);
    // A strip per row of the field, with a drilling in every hole.
    void Strips(const HoleField& field, const GridSizes& sizes);
    // Strips broken into pieces of a given number of holes; the hole between two pieces keeps
    // its drilling but no copper, as if cut by the maker. The gaps lie in the copper itself:
    // fixed cuts are never written to a file, so a layout file cannot carry them.
    void InterruptedStrips(const HoleField& field, int holesPerPiece, const GridSizes& sizes);
    // A pad with a drilling in every hole of the field.
    void Pads(const HoleField& field, const GridSizes& sizes);
    void Drillings(const HoleField& field, double diameter);
    // Card-edge fingers at the right edge, one per row of the field, each reaching from the
    // row's last hole to the edge itself, so it joins that hole's strip or pad.
    void EdgeFingers(const HoleField& field);
    // The pad rows of a multipoint connector: one column of pads per row letter, pins running
    // down the rows, and a mounting drilling beyond each end.
    void ConnectorPadRows(const std::vector<int>& columns, int firstRow, int pins,
                          int mountingColumn, int mountingDistance, double mountingDiameter);
    // A Sub-D footprint on the grid: a row of pins, below it the row with one pin less, and the
    // two mounting drillings on the first row.
    void SubDFootprint(int firstColumn, int row, int pinsInFirstRow, int mountingOffset);
    // DIP patterns in a block of twelve columns: a supply rail, four-hole strips leading to
    // the left pin column, two bare columns under the IC, four-hole strips from the right pin
    // column, and a second supply rail. Each rail runs over its own (first, last) rows.
    void DipBlock(int firstColumn, int firstRow, int lastRow, std::pair<int, int> leftRail,
                  std::pair<int, int> rightRail);

private:
    TBoard& board_;
    std::set<std::pair<int, int>> drilled_;
    std::set<std::pair<int, int>> padded_;
};

} // namespace karvel::datagen
