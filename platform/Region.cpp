#include "platform/Region.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <QtGui/QPolygon>
#include <vector>

namespace karvel {
namespace {

// The pixels of a rectangle given with its corners in any order.
QRect PixelsOf(const Rect& r) {
    return QRect(std::min(r.Left, r.Right), std::min(r.Top, r.Bottom), std::abs(r.Width()),
                 std::abs(r.Height()));
}

// One span per row of the pixels whose centres lie in the ellipse: symmetric about both axes,
// and touching all four sides of the box. (Qt's own ellipse region is lopsided by a pixel.)
QRegion EllipseRows(const QRect& box) {
    const double w = box.width();
    const double h = box.height();
    const int sumX = 2 * box.left() + box.width(); // left + right, right outside
    const int sumY = 2 * box.top() + box.height();
    std::vector<QRect> rows;
    rows.reserve(std::size_t(box.height()));
    for (int y = box.top(); y <= box.bottom(); ++y) {
        // In doubled coordinates about the centre: X = 2x + 1 - (left + right).
        const double v = (2.0 * y + 1 - sumY) / h;
        const double reach = w * std::sqrt(std::max(0.0, 1.0 - v * v));
        const int first = int(std::ceil((sumX - 1 - reach) / 2));
        const int last = int(std::floor((sumX - 1 + reach) / 2));
        if (first > last)
            continue;
        // Rows of equal span are joined, as QRegion keeps them, so that regions compare equal.
        if (!rows.empty() && rows.back().left() == first && rows.back().right() == last &&
            rows.back().bottom() == y - 1)
            rows.back().setBottom(y);
        else
            rows.emplace_back(first, y, last - first + 1, 1);
    }
    QRegion region;
    region.setRects(rows.data(), int(rows.size()));
    return region;
}

} // namespace

Region Region::FromRect(const Rect& device) {
    return Region(QRegion(PixelsOf(device)));
}

Region Region::FromEllipse(const Rect& device) {
    const QRect pixels = PixelsOf(device);
    if (pixels.isEmpty())
        return {};
    return Region(EllipseRows(pixels));
}

Region Region::FromPolygon(std::span<const QPoint> device, FillMode mode) {
    if (device.size() < 3)
        return {};
    const QPolygon polygon(QList<QPoint>(device.begin(), device.end()));
    return Region(QRegion(polygon, mode == FillMode::Winding ? Qt::WindingFill : Qt::OddEvenFill));
}

Region Region::FromPolyPolygon(const std::vector<std::vector<QPoint>>& device, FillMode mode) {
    QRegion united;
    for (const auto& polygon : device)
        united += FromPolygon(polygon, mode).region_;
    return Region(united);
}

Region Region::Combined(const Region& other, CombineMode mode) const {
    switch (mode) {
    case CombineMode::And:
        return Region(region_.intersected(other.region_));
    case CombineMode::Or:
        return Region(region_.united(other.region_));
    case CombineMode::Diff:
        return Region(region_.subtracted(other.region_));
    case CombineMode::Xor:
        return Region(region_.xored(other.region_));
    }
    return *this;
}

bool Region::IntersectsRect(const Rect& device) const {
    const QRect pixels = PixelsOf(device);
    return !pixels.isEmpty() && region_.intersects(pixels);
}

} // namespace karvel
