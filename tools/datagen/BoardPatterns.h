#pragma once
// The copper patterns of the boards we deliver, shared by the board layout files and the
// layouts of the legacy board types: each fills a layout whose size is already set.

#include "tools/datagen/LayoutBuilder.h"

#include <vector>

namespace karvel::datagen {

enum class Copper { Strips, Pads, InterruptedStrips, None };

// The whole board in strips, pads or bare drillings, at a step of one or two pitches.
void HoleGridPattern(LayoutBuilder& builder, Copper copper, int step);

// Strips or pads leading to card-edge fingers at the right edge.
void EdgeConnectorPattern(LayoutBuilder& builder, Copper copper, int step);

// A Euro card with the pad rows of a DIN connector at its right edge: one column per row
// letter (offsets from the last column, e.g. {2, 1, 0} for a, b, c), the pins running down.
struct DinConnector {
    std::vector<int> RowOffsets;
    int Pins;
};
inline const DinConnector Din41612FormC{{2, 1, 0}, 32}; // 96 poles, rows a, b, c
inline const DinConnector Din41612FormB{{1, 0}, 32};    // 64 poles, rows a, b
inline const DinConnector Din41612RowsAC{{2, 0}, 32};   // 64 poles, rows a and c
inline const DinConnector Din41617{{0}, 31};            // 31 poles in one row
void DinConnectorPattern(LayoutBuilder& builder, Copper copper, const DinConnector& connector);

// A pad board with Sub-D footprints along its lower edge, given by the pins of their first
// row (13 for Sub-D25, 8 for Sub-D15, 5 for Sub-D9), left to right.
void SubDPattern(LayoutBuilder& builder, const std::vector<int>& firstRowPins);

// An IC board: a supply bus along the top and one along the bottom edge, DIP blocks between
// them whose rails join the top and the bottom bus in turn, and pads in the columns left over.
void IcBoardPattern(LayoutBuilder& builder, int blocks);

} // namespace karvel::datagen
