#include "tools/datagen/LayoutBuilder.h"

#include "elements/Auge.h"
#include "elements/Bohrung.h"
#include "elements/Leiterbahn.h"

#include <memory>

namespace karvel::datagen {

namespace {

// Card-edge fingers are 1.6 mm wide, narrower than a strip, so neighbours keep clear.
constexpr int FingerHalfWidth = 80;

// The DIP block's columns, counted from its left rail.
constexpr int LeftPinOffset = 4;
constexpr int RightPinOffset = 7;
constexpr int RightRailOffset = 11;
constexpr int StripHoles = 4;

} // namespace

LayoutBuilder::LayoutBuilder(TBoard& board, const QString& name, int width, int height,
                             QPoint nullpunkt)
    : board_(board) {
    board_.Clear();
    board_.SetPlatinenName(name);
    board_.SetSize(width, height);
    board_.SetNullpunkt(nullpunkt);
    // The origin marker sits on the first hole, where users count from.
    const HoleField field = Field();
    SetOrigin({field.FirstColumn, field.FirstRow});
    board_.SetReservedPoint({0, 0});
    board_.Anmerkungen().SetRtf({});
}

HoleField LayoutBuilder::Field(int step) const {
    return FieldOnBoard(board_.Nullpunkt(), board_.Width(), board_.Height(), step);
}

void LayoutBuilder::Describe(const QString& text) {
    board_.Anmerkungen().SetPlainText(text);
}

void LayoutBuilder::SetOrigin(QPoint hole) {
    board_.SetUrsprung(HoleCentre(hole));
}

void LayoutBuilder::Drilling(QPoint hole, double diameter) {
    if (!drilled_.insert({hole.x(), hole.y()}).second)
        return;
    auto drilling = std::make_unique<TBohrung>();
    drilling->Centre = HoleCentre(hole);
    drilling->Diameter = diameter;
    drilling->SetIstMarkiert(false);
    board_.Add(std::move(drilling));
}

void LayoutBuilder::Pad(QPoint hole, double diameter) {
    if (!padded_.insert({hole.x(), hole.y()}).second)
        return;
    auto pad = std::make_unique<TAuge>();
    pad->Centre = HoleCentre(hole);
    pad->Diameter = diameter;
    pad->SetIstMarkiert(false);
    board_.Add(std::move(pad));
}

void LayoutBuilder::Track(QPoint from, QPoint to, int halfWidth) {
    auto track = std::make_unique<TLeiterbahn>();
    // Lengthen the line by half the width at each end: the outline is cut square at the nodes.
    const int dx = (to.x() > from.x()) - (to.x() < from.x());
    const int dy = (to.y() > from.y()) - (to.y() < from.y());
    track->Nodes = {from - QPoint(dx, dy) * halfWidth, to + QPoint(dx, dy) * halfWidth};
    track->SetStiftbreite(std::int16_t(halfWidth));
    track->SetIstMarkiert(false);
    track->RebuildOutline();
    board_.Add(std::move(track));
}

void LayoutBuilder::CopperRect(const Rect& rect) {
    auto area = std::make_unique<TDraht>();
    area->BauteilTyp = TBauteilTyp::btRect;
    area->Nodes = {{rect.Left, rect.Top},
                   {rect.Right, rect.Top},
                   {rect.Right, rect.Bottom},
                   {rect.Left, rect.Bottom}};
    area->SetStiftbreite(0);
    area->SetFuellenFlag(true);
    area->SetKupferFlag(true);
    area->SetIstMarkiert(false);
    board_.Add(std::move(area));
}

void LayoutBuilder::Strip(int row, int firstColumn, int lastColumn, int step,
                          const GridSizes& sizes) {
    if (lastColumn < firstColumn)
        return;
    Track(HoleCentre(firstColumn, row), HoleCentre(lastColumn, row), sizes.StripHalfWidth);
    for (int column = firstColumn; column <= lastColumn; column += step)
        Drilling({column, row}, sizes.DrillDiameter);
}

void LayoutBuilder::Strips(const HoleField& field, const GridSizes& sizes) {
    const std::vector<int> columns = field.Columns();
    if (columns.empty())
        return;
    for (int row : field.Rows())
        Strip(row, columns.front(), columns.back(), field.Step, sizes);
}

void LayoutBuilder::InterruptedStrips(const HoleField& field, int holesPerPiece,
                                      const GridSizes& sizes) {
    const std::vector<int> columns = field.Columns();
    for (int row : field.Rows()) {
        // Pieces of holesPerPiece holes, each followed by one bare hole.
        for (std::size_t start = 0; start < columns.size();
             start += std::size_t(holesPerPiece) + 1) {
            const std::size_t end =
                std::min(columns.size(), start + std::size_t(holesPerPiece)) - 1;
            Strip(row, columns[start], columns[end], field.Step, sizes);
            if (end + 1 < columns.size())
                Drilling({columns[end + 1], row}, sizes.DrillDiameter);
        }
    }
}

void LayoutBuilder::Pads(const HoleField& field, const GridSizes& sizes) {
    for (const QPoint hole : field.Holes()) {
        Pad(hole, sizes.PadDiameter);
        Drilling(hole, sizes.DrillDiameter);
    }
}

void LayoutBuilder::Drillings(const HoleField& field, double diameter) {
    for (const QPoint hole : field.Holes())
        Drilling(hole, diameter);
}

void LayoutBuilder::EdgeFingers(const HoleField& field) {
    const int inner = HoleCentre(field.Columns().back(), 0).x();
    const int edge = board_.BoardRect().Right;
    for (int row : field.Rows()) {
        const int y = HoleCentre(0, row).y();
        CopperRect({inner, y - FingerHalfWidth, edge, y + FingerHalfWidth});
    }
}

void LayoutBuilder::ConnectorPadRows(const std::vector<int>& columns, int firstRow, int pins,
                                     int mountingColumn, int mountingDistance,
                                     double mountingDiameter) {
    for (int pin = 0; pin < pins; ++pin) {
        for (int column : columns) {
            Pad({column, firstRow + pin}, Grid254.PadDiameter);
            Drilling({column, firstRow + pin}, Grid254.DrillDiameter);
        }
    }
    Drilling({mountingColumn, firstRow - mountingDistance}, mountingDiameter);
    Drilling({mountingColumn, firstRow + pins - 1 + mountingDistance}, mountingDiameter);
}

void LayoutBuilder::SubDFootprint(int firstColumn, int row, int pinsInFirstRow,
                                  int mountingOffset) {
    // The second row's pins sit half a pin pitch to the right of the first row's; on the grid
    // each one takes the hole below the pin before it.
    constexpr double SubDPad = 1.8;
    for (int i = 0; i < pinsInFirstRow; ++i) {
        Pad({firstColumn + i, row}, SubDPad);
        Drilling({firstColumn + i, row}, Grid254.DrillDiameter);
    }
    for (int i = 0; i < pinsInFirstRow - 1; ++i) {
        Pad({firstColumn + i, row + 1}, SubDPad);
        Drilling({firstColumn + i, row + 1}, Grid254.DrillDiameter);
    }
    constexpr double MountingDrill = 3.1;
    Drilling({firstColumn - mountingOffset, row}, MountingDrill);
    Drilling({firstColumn + pinsInFirstRow - 1 + mountingOffset, row}, MountingDrill);
}

void LayoutBuilder::DipBlock(int firstColumn, int firstRow, int lastRow,
                             std::pair<int, int> leftRail, std::pair<int, int> rightRail) {
    const GridSizes& sizes = Grid254;
    auto rail = [&](int column, std::pair<int, int> rows) {
        Track(HoleCentre(column, rows.first), HoleCentre(column, rows.second),
              sizes.StripHalfWidth);
        for (int row = rows.first; row <= rows.second; ++row)
            Drilling({column, row}, sizes.DrillDiameter);
    };
    rail(firstColumn, leftRail);
    rail(firstColumn + RightRailOffset, rightRail);
    const int leftPin = firstColumn + LeftPinOffset;
    const int rightPin = firstColumn + RightPinOffset;
    for (int row = firstRow; row <= lastRow; ++row) {
        Strip(row, leftPin - StripHoles + 1, leftPin, 1, sizes);
        Strip(row, rightPin, rightPin + StripHoles - 1, 1, sizes);
        for (int column = leftPin + 1; column < rightPin; ++column)
            Drilling({column, row}, sizes.DrillDiameter);
    }
}

} // namespace karvel::datagen
