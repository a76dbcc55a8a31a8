#include "elements/RoundElement.h"

#include "elements/Draht.h"
#include "elements/Geometry.h"
#include "stream/RecordIO.h"

#include <cstdlib>

namespace karvel {

namespace {

// Whether a pixel lies in a device rectangle, right and bottom edges outside.
bool Covers(const Rect& r, QPoint p) {
    return p.x() >= r.Left && p.x() < r.Right && p.y() >= r.Top && p.y() < r.Bottom;
}

// A lead of a two-lead component that carries what stretching needs: its current body end
// and a remembered shape with a body end and a node before it.
const TDraht* StretchLead(const TBauteil* lead) {
    const auto* wire = dynamic_cast<const TDraht*>(lead);
    if (wire == nullptr || !wire->RememberedNodes || wire->RememberedNodes->size() < 2 ||
        wire->Nodes.empty())
        return nullptr;
    return wire;
}

} // namespace

RoundElement::RoundElement() {
    TBauteil::SetStiftbreite(25);
    TBauteil::SetStiftfarbe(colours::Black);
    TBauteil::SetBrushfarbe(8421504);
    TBauteil::SetFuellenFlag(true);
    TBauteil::SetGlaetten(false);
}

int RoundElement::Radius() const {
    return RoundToUnit((long double)Diameter * 100.0L / 2.0L);
}

Rect RoundElement::GetBounds(Canvas&) {
    return SquareAround(Centre, Radius());
}

bool RoundElement::HitTest(QPoint device, Canvas& canvas) {
    if (!IsOnWorkingSide())
        return false;
    const Rect redraw = Normalised(canvas.LPtoDP(GetRedrawBounds(canvas)));
    if (!Covers(redraw, device))
        return false;
    // The tolerance reaches half the pen width beyond the rim.
    return PointDistance(canvas.DPtoLP(device), Centre) <= (long long)Radius() + Stiftbreite() / 2;
}

void RoundElement::DrawGhost(Canvas& canvas, const QPoint& at) {
    // While a preview is shown it is erased where it was drawn.
    const int y = GhostShown() ? GhostPos().y() : at.y();
    const int r = std::abs(y - Centre.y());
    canvas.SetPen(colours::Black, Stiftbreite());
    canvas.SetBrushStyle(BrushStyle::Clear);
    canvas.SetMixMode(MixMode::NotXorPen);
    canvas.DrawEllipse({Centre.x() - r, Centre.y() - r, Centre.x() + r, Centre.y() + r});
    canvas.SetMixMode(MixMode::Copy);
}

void RoundElement::Stretch(TBauteil* firstLead, TBauteil* secondLead, double angle, TBauteil*) {
    const TDraht* first = StretchLead(firstLead);
    const TDraht* second = StretchLead(secondLead);
    // Without the shape at grouping time there is nothing to stretch from.
    if (first == nullptr || second == nullptr || !HasRememberedShape)
        return;
    const std::vector<QPoint>& firstShape = *first->RememberedNodes;
    const std::vector<QPoint>& secondShape = *second->RememberedNodes;
    // The axis runs between the nodes before each lead's body end (node 0 of two-node leads).
    const QPoint firstAxis = firstShape[firstShape.size() - 2];
    const QPoint secondAxis = secondShape[secondShape.size() - 2];
    const double delta = double(angle - Direction(firstAxis, secondAxis));
    const QPoint bodyEnd = firstShape.back();
    Centre = RotatePoint(RememberedCentre, bodyEnd, delta) + (first->Nodes.back() - bodyEnd);
}

void RoundElement::RememberShape() {
    RememberedCentre = Centre;
    HasRememberedShape = true;
}

void RoundElement::Rotate90(QPoint c, QPoint k) {
    TBauteil::Rotate90(c, k);
    Centre = {c.x() + c.y() - Centre.y(), Centre.x() - c.x() + c.y()};
}

void RoundElement::WriteToStream(RecordContext& context, ValueWriter& writer) {
    TBauteil::WriteToStream(context, writer);
    record::WriteDiameter(context, writer, Diameter);
    record::WriteIntegerPoint(context, writer, Centre);
}

void RoundElement::ReadFromStream(RecordContext& context, ValueReader& reader) {
    TBauteil::ReadFromStream(context, reader);
    Diameter = record::ReadDiameter(reader);
    const int x = record::ReadCoordinate(context, reader);
    Centre = {x, record::ReadCoordinate(context, reader)};
}

} // namespace karvel
