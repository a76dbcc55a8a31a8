#pragma once
// An area of device pixels, used for hit tests, the continuity test and clipping. A value type:
// copies are cheap (shared data) and independent.

#include "platform/Rect.h"

#include <QtGui/QRegion>
#include <span>
#include <vector>

namespace karvel {

enum class FillMode { Alternate, Winding };
enum class CombineMode { And, Or, Diff, Xor };

class Region {
public:
    Region() = default; // empty
    explicit Region(QRegion region) : region_(std::move(region)) {}

    // Pixels Left..Right-1 × Top..Bottom-1, as a rectangle region of the screen.
    static Region FromRect(const Rect& device);
    // The ellipse inscribed in the rectangle (Right and Bottom outside).
    static Region FromEllipse(const Rect& device);
    static Region FromPolygon(std::span<const QPoint> device, FillMode mode);
    // Several polygons in one region; overlapping areas follow the fill mode within each polygon
    // and are united across polygons.
    static Region FromPolyPolygon(const std::vector<std::vector<QPoint>>& device, FillMode mode);

    Region Combined(const Region& other, CombineMode mode) const;

    bool IsEmpty() const { return region_.isEmpty(); }
    bool Contains(QPoint device) const { return region_.contains(device); }
    // Whether any pixel of the rectangle lies in the region.
    bool IntersectsRect(const Rect& device) const;
    Rect Bounds() const { return Rect::FromQRect(region_.boundingRect()); }
    void Translate(int dx, int dy) { region_.translate(dx, dy); }

    const QRegion& ToQRegion() const { return region_; }
    bool operator==(const Region& other) const { return region_ == other.region_; }

private:
    QRegion region_;
};

} // namespace karvel
