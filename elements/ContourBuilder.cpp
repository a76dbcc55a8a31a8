#include "elements/ContourBuilder.h"

#include "elements/Geometry.h"

namespace karvel {

namespace {

constexpr long double DefaultStep = 0.05L;

} // namespace

ContourBuilder::ContourBuilder(std::span<const QPoint> nodes, const ContourStyle& style)
    : nodes_(nodes), style_(style) {
    // A step that does not advance would never end an arc.
    if (!(style_.Step > 0.0L))
        style_.Step = DefaultStep;
}

std::vector<QPoint> ContourBuilder::Build() {
    points_.clear();
    if (nodes_.empty())
        return {};
    // Allocated once: no smoothing style needs more than this, so building never reallocates.
    points_.reserve(PointsPerNode * nodes_.size());
    if (style_.Closed)
        BuildClosed();
    else
        BuildOpen();
    return std::move(points_);
}

QPoint ContourBuilder::Mid(std::size_t i) const {
    return Midpoint(Node(i), Node(i + 1));
}

void ContourBuilder::BuildClosed() {
    const std::size_t n = nodes_.size();
    if (!style_.Smoothed) {
        for (std::size_t i = 0; i < n; ++i)
            Append(Node(i));
        Append(Node(0));
        return;
    }
    if (style_.Style == TGlaettenStil::glSpline) {
        // The last arc ends where the first began, so the outline closes by itself.
        for (std::size_t i = 0; i < n; ++i)
            SampleArc(Mid(i), Node(i + 1), Mid(i + 1));
        return;
    }
    // n + 1 corners: the corner at node 1 comes first and again last, which closes the cut
    // outline; the first point once more ends it where it began.
    for (std::size_t i = 0; i <= n; ++i)
        Corner(i);
    Append(points_.front());
}

void ContourBuilder::BuildOpen() {
    const std::size_t n = nodes_.size();
    if (!style_.Smoothed) {
        for (std::size_t i = 0; i < n; ++i)
            Append(Node(i));
        return;
    }
    // The first and last half segments stay straight: only inner corners are smoothed.
    Append(Node(0));
    for (std::size_t i = 0; i + 3 <= n; ++i) {
        if (style_.Style == TGlaettenStil::glSpline)
            SampleArc(Mid(i), Node(i + 1), Mid(i + 1));
        else
            Corner(i);
    }
    Append(Node(n - 1));
}

void ContourBuilder::SampleArc(QPoint s, QPoint c, QPoint e) {
    auto coordinate = [](long double t, long double s, long double c, long double e) {
        return RoundToUnit(t * t * (s + e - 2.0L * c) + t * (2.0L * c - 2.0L * s) + s);
    };
    // t is accumulated, not counted: with the step 0.05 it passes 1 after 20 additions, so an
    // arc has the 20 points t = 0 … 0.95 and then its end.
    for (long double t = 0.0L; t <= 1.0L; t += style_.Step)
        Append({coordinate(t, s.x(), c.x(), e.x()), coordinate(t, s.y(), c.y(), e.y())});
    Append(e);
}

std::pair<QPoint, QPoint> ContourBuilder::CutPoints(std::size_t i) const {
    const QPoint c = Node(i + 1);
    const long double a = style_.Amount;
    auto cut = [&](QPoint p) {
        const int d = PointDistance(p, c);
        if (d > 0 && a < d) {
            const long double f = a / d;
            return ScalePoint(p, c, f, f);
        }
        return p;
    };
    return {cut(Node(i)), cut(Node(i + 2))};
}

void ContourBuilder::ChamferCorner(std::size_t i) {
    const auto [p, q] = CutPoints(i);
    Append(p);
    Append(q);
}

void ContourBuilder::RoundCorner(std::size_t i) {
    const auto [p, q] = CutPoints(i);
    SampleArc(p, Node(i + 1), q);
}

void ContourBuilder::Corner(std::size_t i) {
    if (style_.Style == TGlaettenStil::glRundung)
        RoundCorner(i);
    else
        ChamferCorner(i);
}

} // namespace karvel
