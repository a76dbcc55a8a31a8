#include "tools/datagen/BoardPatterns.h"

#include <algorithm>
#include <numeric>

namespace karvel::datagen {

namespace {

const GridSizes& SizesFor(int step) {
    return step == 1 ? Grid254 : Grid508;
}

void Fill(LayoutBuilder& builder, const HoleField& field, Copper copper) {
    const GridSizes& sizes = SizesFor(field.Step);
    switch (copper) {
    case Copper::Strips:
        builder.Strips(field, sizes);
        break;
    case Copper::Pads:
        builder.Pads(field, sizes);
        break;
    case Copper::InterruptedStrips:
        builder.InterruptedStrips(field, 4, sizes);
        break;
    case Copper::None:
        builder.Drillings(field, sizes.DrillDiameter);
        break;
    }
}

// Sub-D mounting drillings lie three pitches beyond the first row's outer pins.
constexpr int SubDMountingOffset = 3;
// Rows kept bare between the pad field and the connectors along the lower edge.
constexpr int SubDClearRows = 2;

} // namespace

void HoleGridPattern(LayoutBuilder& builder, Copper copper, int step) {
    const HoleField field = builder.Field(step);
    Fill(builder, field, copper);
    builder.SetOrigin({field.FirstColumn, field.FirstRow});
}

void EdgeConnectorPattern(LayoutBuilder& builder, Copper copper, int step) {
    // About a centimetre of the right edge is left free for the fingers.
    const HoleField field = builder.Field(step).WithoutColumns(0, step == 1 ? 4 : 2);
    Fill(builder, field, copper);
    builder.SetOrigin({field.FirstColumn, field.FirstRow});
    builder.EdgeFingers(field);
}

void DinConnectorPattern(LayoutBuilder& builder, Copper copper, const DinConnector& connector) {
    const HoleField board = builder.Field();
    const int last = board.LastColumn;
    const int widest = *std::max_element(connector.RowOffsets.begin(), connector.RowOffsets.end());
    // Two bare columns between the copper field and the connector's pads.
    Fill(builder, board.WithoutColumns(0, widest + 3), copper);
    std::vector<int> columns;
    for (int offset : connector.RowOffsets)
        columns.push_back(last - offset);
    const int rows = board.LastRow - board.FirstRow + 1;
    const int firstRow = board.FirstRow + (rows - connector.Pins) / 2;
    // The mounting drillings of a DIN 41612 connector lie 88.9 mm apart, three and a half
    // inches: 35 pitches, two beyond each end of the 32 pins.
    const int mountingDistance = (35 - (connector.Pins - 1) + 1) / 2;
    builder.ConnectorPadRows(columns, firstRow, connector.Pins, last - widest / 2, mountingDistance,
                             2.8);
}

void SubDPattern(LayoutBuilder& builder, const std::vector<int>& firstRowPins) {
    const HoleField board = builder.Field();
    // The second row of pins keeps one row of board below it.
    const int pinRow = board.LastRow - 2;
    builder.Pads(board.WithoutRows(0, board.LastRow - pinRow + 1 + SubDClearRows), Grid254);
    // Mounting hole to mounting hole, each connector spans its pins and twice the offset; the
    // connectors share the width with equal gaps, the group centred.
    std::vector<int> spans;
    for (int pins : firstRowPins)
        spans.push_back(pins - 1 + 2 * SubDMountingOffset);
    const int width = board.LastColumn - board.FirstColumn;
    const int used = std::accumulate(spans.begin(), spans.end(), 0);
    const int gap = (width - used) / int(firstRowPins.size() + 1);
    int left = board.FirstColumn + (width - used - gap * int(firstRowPins.size() - 1)) / 2;
    for (std::size_t i = 0; i < firstRowPins.size(); ++i) {
        builder.SubDFootprint(left + SubDMountingOffset, pinRow, firstRowPins[i],
                              SubDMountingOffset);
        left += spans[i] + gap;
    }
}

void IcBoardPattern(LayoutBuilder& builder, int blocks) {
    constexpr int BlockColumns = 12;
    const HoleField board = builder.Field();
    const int top = board.FirstRow;
    const int bottom = board.LastRow;
    builder.Strip(top, board.FirstColumn, board.LastColumn, 1, Grid254);
    builder.Strip(bottom, board.FirstColumn, board.LastColumn, 1, Grid254);
    const int first = board.FirstColumn + 1;
    for (int block = 0; block < blocks; ++block) {
        // The left rail joins the top bus, the right rail the bottom bus.
        builder.DipBlock(first + block * BlockColumns, top + 1, bottom - 1, {top, bottom - 1},
                         {top + 1, bottom});
    }
    const HoleField between = board.WithoutRows(1, 1);
    HoleField leftOver = between;
    leftOver.LastColumn = board.FirstColumn;
    builder.Pads(leftOver, Grid254);
    leftOver.FirstColumn = first + blocks * BlockColumns;
    leftOver.LastColumn = board.LastColumn;
    builder.Pads(leftOver, Grid254);
}

} // namespace karvel::datagen
