#pragma once
// ContourBuilder: turns the nodes of a node-based element into the outline that is drawn,
// hit-tested and made into regions — the nodes themselves, or the nodes smoothed by quadratic
// B-spline arcs through the segment midpoints, by chamfered corners or by rounded corners.

#include "elements/BauteilTyp.h"

#include <cstddef>
#include <QtCore/QPoint>
#include <span>
#include <vector>

namespace karvel {

// How a contour is built from its nodes.
struct ContourStyle {
    bool Closed = false;   // rectangles and polygons run back to their first node
    bool Smoothed = false; // Glaetten
    TGlaettenStil Style = TGlaettenStil::glSpline;
    long double Amount = 0.0L; // chamfer or rounding distance in board units
    long double Step = 0.05L;  // parameter step of arc sampling
};

class ContourBuilder {
public:
    // Room for this many points per node: a spline or rounded corner needs 21, a chamfer 2.
    static constexpr std::size_t PointsPerNode = 80;

    ContourBuilder(std::span<const QPoint> nodes, const ContourStyle& style);

    // The contour, one polygon (or polyline for open kinds); empty without nodes.
    std::vector<QPoint> Build();

private:
    QPoint Node(std::size_t i) const { return nodes_[i % nodes_.size()]; }
    QPoint Mid(std::size_t i) const;
    void Append(QPoint p) { points_.push_back(p); }
    void BuildClosed();
    void BuildOpen();
    // Appends the quadratic Bézier arc from s to e with control point c, its end included.
    void SampleArc(QPoint s, QPoint c, QPoint e);
    // The corner at node i + 1, cut at the smoothing amount along both edges (clamped to the
    // edge lengths): the points on the edge to node i and on the edge to node i + 2.
    std::pair<QPoint, QPoint> CutPoints(std::size_t i) const;
    void ChamferCorner(std::size_t i);
    void RoundCorner(std::size_t i);
    void Corner(std::size_t i);

    std::span<const QPoint> nodes_;
    ContourStyle style_;
    std::vector<QPoint> points_;
};

} // namespace karvel
