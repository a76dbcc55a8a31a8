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

    // How far a joint reaches from its point: the solder blob seen from the solder side; the
    // dot and the cross of the other views are smaller.
    static constexpr int SolderJointRadius = 100;

    std::vector<QPoint> Nodes;
    // The shape at grouping time, from which a two-lead component is stretched.
    std::optional<std::vector<QPoint>> RememberedNodes;
    std::array<QPoint, 7> SegmentHull{};
    // Parameter step of the contour's arcs; back to 0.05 after every build.
    double ContourStep = 0.05;

    // --- Overrides
    void Draw(Canvas& canvas) override;
    std::optional<Region> CreateRegion(Canvas& canvas) override;
    bool HitTest(QPoint device, Canvas& canvas) override;
    QPoint* NodeAt(QPoint point, Canvas& canvas) override;
    void MoveBy(int dx, int dy) override;
    Rect GetBounds(Canvas& canvas) override;
    void WriteToStream(RecordContext& context, ValueWriter& writer) override;
    void ReadFromStream(RecordContext& context, ValueReader& reader) override;
    TBauteil* ContactAt(QPoint point) override;
    void DrawGhost(Canvas& canvas, const QPoint& at) override;
    void Stretch(TBauteil* firstLead, TBauteil* secondLead, double angle,
                 TBauteil* movedLead) override;
    void RememberShape() override;
    void ForgetShape() override;
    void Rotate90(QPoint centre, QPoint anchorCentre) override;
    QString GetKindName() const override;
    QString GetMeasureText() const override;
    void Invalidate(RepaintTarget& window, Canvas& canvas) override;
    void SetFuellenFlag(bool value) override;
    void SetFraesen(bool value) override;
    bool IntersectsRect(const Rect& device, Canvas& canvas) override;
    void LoadFillBitmap(const QString& path) override;
    void Scale(QPoint origin, double factorX, double factorY) override;
    int GetContactCount() const override;
    void FillContacts(std::vector<QPoint*>& contacts) override;
    void DrawSolderJoints(Canvas& canvas) override;

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
    // Board units as millimetres for the measure texts: the shortest decimal form, with the
    // system's decimal separator.
    static QString Millimetres(int units);

    // --- Outline
    // Fills SegmentHull: a hexagon around the segment p–q, reaching beyond both ends, on which
    // a segment is hit and made into a region.
    void BuildSegmentHull(QPoint p, QPoint q);
    // The outline of the nodes after smoothing, shared by drawing, hit tests and regions.
    std::vector<QPoint> BuildContour();
    // Draws the contour in the colours its state asks for (milling, copper, test voltage...).
    void DrawContour(Canvas& canvas);

protected:
    // Rectangles and polygons are one shape; which one it is follows from the corners.
    void Reclassify();
    // Draws the node markers of a selected element: black squares of ± 50 units.
    void DrawNodeMarkers(Canvas& canvas) const;

private:
    void DrawLineStyle(Canvas& canvas);
    void DrawAreaStyle(Canvas& canvas);
    void DrawPinStyle(Canvas& canvas);
    void DrawWireStyle(Canvas& canvas);
    void DrawSelection(Canvas& canvas);
    void DrawLeadEnd(Canvas& canvas);
    void DrawDot(Canvas& canvas, QPoint at);
    void DrawSolderJoint(Canvas& canvas, QPoint at);
    // Line and area styles share this pen: thin in outline mode, invisible for width 0.
    void SetShapePen(Canvas& canvas) const;
    Colour ShapePenColour() const;
    // The colour a fill bitmap averages to, for drawing without bitmaps.
    Colour BitmapAverage() const;

    // Whether the contour (or its hulls), the closing segment or the region meets a device
    // rectangle: the shared part of the hit test and the rubber-band test.
    bool ShapeMeets(const Rect& probe, Canvas& canvas);
    bool HullMeets(QPoint p, QPoint q, const Rect& probe, Canvas& canvas);
    std::vector<QPoint> DeviceHull(QPoint p, QPoint q, Canvas& canvas);
    std::optional<Region> HullsRegion(const std::vector<QPoint>& points, Canvas& canvas);
    void StretchLead(TDraht& a, TDraht& b, long double delta, TBauteil* movedLead);

    // The node a preview was last drawn for, so that erasing finds it again.
    std::optional<std::size_t> ghostNode_;
};

} // namespace karvel
