// Where wires, leads, lines, rectangles, polygons and pins are: their contour, regions, hit
// tests, node grabbing, bounds and repaint areas.

#include "elements/ContourBuilder.h"
#include "elements/Draht.h"
#include "elements/Geometry.h"
#include "platform/RepaintTarget.h"

#include <algorithm>
#include <cmath>

namespace karvel {

namespace {

// Nodes are hit within this many units, ahead of everything else.
constexpr int NodeHitHalf = 55;
constexpr int NodeGrabHalf = 50;
constexpr int NodeRepaintHalf = 150;

Rect Square(QPoint centre, int half) {
    return SquareAround(centre, half);
}

Rect DeviceSquare(QPoint centre, int half, const Canvas& canvas) {
    return Normalised(canvas.LPtoDP(Square(centre, half)));
}

bool Contains(const Rect& r, QPoint p) {
    return p.x() >= r.Left && p.x() < r.Right && p.y() >= r.Top && p.y() < r.Bottom;
}

std::vector<QPoint> ToDevice(const std::vector<QPoint>& points, const Canvas& canvas) {
    std::vector<QPoint> device;
    device.reserve(points.size());
    for (const QPoint& p : points)
        device.push_back(canvas.LPtoDP(p));
    return device;
}

// The pixels a polygon can cover at most; cheaper to test than building its region.
Rect PixelBounds(const std::vector<QPoint>& device) {
    Rect r{device.front().x(), device.front().y(), device.front().x(), device.front().y()};
    for (const QPoint& p : device) {
        r.Left = std::min(r.Left, p.x());
        r.Top = std::min(r.Top, p.y());
        r.Right = std::max(r.Right, p.x());
        r.Bottom = std::max(r.Bottom, p.y());
    }
    return {r.Left, r.Top, SaturatingAdd(r.Right, 1), SaturatingAdd(r.Bottom, 1)};
}

} // namespace

// --- Contour and segment hulls ----------------------------------------------------------------

std::vector<QPoint> TDraht::BuildContour() {
    const ContourStyle style{IsClosed(), Glaetten(), GlaettenStil(), GlaettenBetrag(), ContourStep};
    std::vector<QPoint> contour = ContourBuilder(Nodes, style).Build();
    ContourStep = 0.05;
    return contour;
}

void TDraht::BuildSegmentHull(QPoint p, QPoint q) {
    // Offsets are added in 64 bits and clamped: a segment at the edge of the range keeps a hull.
    auto at = [](QPoint base, long long dx, long long dy) {
        return QPoint(SaturatingAdd(base.x(), dx), SaturatingAdd(base.y(), dy));
    };
    // A segment of no length still gets an area to be hit on.
    if (p == q)
        q = at(p, 1, 1);
    const QPoint s = q.x() < p.x() ? q : p;
    const QPoint e = q.x() < p.x() ? p : q;
    const long double dx = (long double)e.x() - s.x();
    const long double dy = (long double)e.y() - s.y();
    const long double length = RoundHalfEven(std::sqrt(dx * dx + dy * dy));
    const long double g = Stiftbreite() >= 20 ? RoundHalfEven(0.8L * Stiftbreite()) : 20;
    const int h = RoundToUnit(dy / length * g);
    const int k = RoundToUnit(dx / length * g);
    SegmentHull = {at(s, -h, k), at(s, -k, -h), at(s, h, -k), at(e, h, -k),
                   at(e, k, h),  at(e, -h, k),  at(s, -h, k)};
}

std::vector<QPoint> TDraht::DeviceHull(QPoint p, QPoint q, Canvas& canvas) {
    BuildSegmentHull(p, q);
    return ToDevice({SegmentHull.begin(), SegmentHull.end()}, canvas);
}

bool TDraht::HullMeets(QPoint p, QPoint q, const Rect& probe, Canvas& canvas) {
    const std::vector<QPoint> hull = DeviceHull(p, q, canvas);
    if (!Intersects(PixelBounds(hull), probe))
        return false;
    return Region::FromPolygon(hull, FillMode::Winding).IntersectsRect(probe);
}

std::optional<Region> TDraht::HullsRegion(const std::vector<QPoint>& points, Canvas& canvas) {
    if (points.size() < 2)
        return std::nullopt;
    std::vector<std::vector<QPoint>> hulls;
    hulls.reserve(points.size() - 1);
    for (std::size_t i = 1; i < points.size(); ++i)
        hulls.push_back(DeviceHull(points[i - 1], points[i], canvas));
    return Region::FromPolyPolygon(hulls, FillMode::Winding);
}

// --- Regions and hit tests --------------------------------------------------------------------

std::optional<Region> TDraht::CreateRegion(Canvas& canvas) {
    switch (BauteilTyp) {
    case TBauteilTyp::btDraht:
    case TBauteilTyp::btLine:
    case TBauteilTyp::btAnschluss: {
        Region region = HullsRegion(Nodes, canvas).value_or(Region());
        for (const QPoint& node : Nodes)
            region = region.Combined(Region::FromRect(DeviceSquare(node, NodeHitHalf, canvas)),
                                     CombineMode::Or);
        return region;
    }
    case TBauteilTyp::btRect:
    case TBauteilTyp::btPolygon: {
        ContourStep = 0.05;
        const std::vector<QPoint> contour = BuildContour();
        if (IsFilledArea())
            return Region::FromPolygon(ToDevice(contour, canvas), FillMode::Winding);
        return HullsRegion(contour, canvas);
    }
    case TBauteilTyp::btPin:
        if (Nodes.empty())
            return std::nullopt;
        return Region::FromRect(DeviceSquare(Nodes.front(), Stiftbreite() / 2, canvas));
    default:
        return std::nullopt;
    }
}

bool TDraht::ShapeMeets(const Rect& probe, Canvas& canvas) {
    if (Nodes.empty())
        return false;
    const std::vector<QPoint> contour = BuildContour();
    if (IsFilledArea()) {
        if (Region::FromPolygon(ToDevice(contour, canvas), FillMode::Winding).IntersectsRect(probe))
            return true;
    } else {
        for (std::size_t i = 1; i < contour.size(); ++i)
            if (HullMeets(contour[i - 1], contour[i], probe, canvas))
                return true;
    }
    if (!IsClosed())
        return false;
    if (HullMeets(Nodes.back(), Nodes.front(), probe, canvas))
        return true;
    if (!IsFilledArea())
        return false;
    const std::optional<Region> region = CreateRegion(canvas);
    return region && region->IntersectsRect(probe);
}

bool TDraht::HitTest(QPoint device, Canvas& canvas) {
    if (!IsOnWorkingSide())
        return false;
    if (!Contains(Normalised(canvas.LPtoDP(GetRedrawBounds(canvas))), device))
        return false;
    for (const QPoint& node : Nodes)
        if (Contains(DeviceSquare(node, NodeHitHalf, canvas), device))
            return true;
    return ShapeMeets({device.x(), device.y(), device.x() + 1, device.y() + 1}, canvas);
}

bool TDraht::IntersectsRect(const Rect& device, Canvas& canvas) {
    const Rect band = Normalised(device);
    if (!Intersects(Normalised(canvas.LPtoDP(GetBounds(canvas))), band))
        return false;
    return ShapeMeets(band, canvas);
}

QPoint* TDraht::NodeAt(QPoint point, Canvas&) {
    if (BauteilTyp == TBauteilTyp::btPin)
        return nullptr;
    QPoint* found = nullptr;
    for (std::size_t i = 0; i < Nodes.size(); ++i) {
        // Grouped leads are dragged only at their hole end, grouped wires at either end.
        const bool last = i + 1 == Nodes.size();
        const bool editable = !InGroup || i == 0 || (last && BauteilTyp == TBauteilTyp::btDraht);
        if (editable && Contains(Square(Nodes[i], NodeGrabHalf), point))
            found = &Nodes[i];
    }
    return found;
}

// --- Bounds and repainting --------------------------------------------------------------------

Rect TDraht::GetBounds(Canvas&) {
    const int half = Stiftbreite() / 2;
    // The true enclosing rectangle, so that boards larger than 32000 units or with nodes left
    // of or above the origin still get their elements' areas right.
    std::optional<Rect> bounds;
    if (Nodes.size() < 2)
        bounds = Rect{0, 0, 1, 1};
    for (const QPoint& node : Nodes) {
        const Rect r = Square(node, half);
        if (!bounds) {
            bounds = r;
            continue;
        }
        bounds->Left = std::min(bounds->Left, r.Left);
        bounds->Top = std::min(bounds->Top, r.Top);
        bounds->Right = std::max(bounds->Right, r.Right);
        bounds->Bottom = std::max(bounds->Bottom, r.Bottom);
    }
    return *bounds;
}

void TDraht::Invalidate(RepaintTarget& window, Canvas& canvas) {
    TBauteil::Invalidate(window, canvas);
    // The node markers and joints reach beyond the pen.
    for (const QPoint& node : Nodes)
        window.InvalidateRect(DeviceSquare(node, NodeRepaintHalf, canvas), true);
}

} // namespace karvel
