#pragma once
// TDraht: every element defined by a list of nodes — jumper wires, component leads, open
// polylines, rectangles, closed polygons and pins. Its kind decides how it draws, which nodes
// may be edited, whether it has contacts and which texts it shows.

#include "elements/Bauteil.h"

#include <array>
#include <optional>
#include <vector>

namespace karvel {

class TDraht : public TBauteil {
public:
    TDraht();
    std::string_view ClassName() const override { return "TDraht"; }

    std::vector<QPoint> Nodes;
    // The shape at grouping time, from which a two-lead component is stretched.
    std::optional<std::vector<QPoint>> RememberedNodes;
    std::array<QPoint, 7> SegmentHull{};
    double ContourStep = 0.05;

    // --- Overrides
    void MoveBy(int dx, int dy) override;
    void WriteToStream(RecordContext& context, ValueWriter& writer) override;
    void ReadFromStream(RecordContext& context, ValueReader& reader) override;
    TBauteil* ContactAt(QPoint point) override;
    void RememberShape() override;
    void ForgetShape() override;
    void Rotate90(QPoint centre, QPoint anchorCentre) override;
    void SetFuellenFlag(bool value) override;
    void SetFraesen(bool value) override;
    void Scale(QPoint origin, double factorX, double factorY) override;
    int GetContactCount() const override;
    void FillContacts(std::vector<QPoint*>& contacts) override;

    // --- Nodes
    void AddNode(QPoint p) { Nodes.push_back(p); }
    void InsertFirstNode(QPoint p) { Nodes.insert(Nodes.begin(), p); }
    void RemoveFirstNode();
    void RemoveLastNode();
    void ClearNodes() { Nodes.clear(); }

    bool IsClosed() const;
    bool IsRectangle() const;
    // Which end of a wire or lead lies near a point: 1 the last, 0 the first, -1 neither.
    int WhichEndNear(QPoint point) const;
    // The length of the node polyline, each segment rounded.
    int PolylineLength() const;

protected:
    // Rectangles and polygons are one shape; which one it is follows from the corners.
    void Reclassify();
};

} // namespace karvel
