#pragma once
// An isotropic logical-to-device mapping: device = (logical - windowOrg) * viewportExt /
// windowExt + viewportOrg on each axis, rounded to whole units. A negative extent flips an axis.
// Boards convert mouse positions with it even when no canvas exists, so it stands on its own.

#include "platform/Rect.h"

#include <cmath>
#include <QtCore/QPoint>
#include <QtCore/QPointF>
#include <QtCore/QSize>

namespace karvel {

struct Mapping {
    QPoint WindowOrg{0, 0};
    QSize WindowExt{1, 1};
    QPoint ViewportOrg{0, 0};
    QSize ViewportExt{1, 1};

    QPoint ToDevice(QPoint logical) const {
        return {Apply(logical.x(), WindowOrg.x(), ViewportExt.width(), WindowExt.width(),
                      ViewportOrg.x()),
                Apply(logical.y(), WindowOrg.y(), ViewportExt.height(), WindowExt.height(),
                      ViewportOrg.y())};
    }
    QPoint ToLogical(QPoint device) const {
        return {Apply(device.x(), ViewportOrg.x(), WindowExt.width(), ViewportExt.width(),
                      WindowOrg.x()),
                Apply(device.y(), ViewportOrg.y(), WindowExt.height(), ViewportExt.height(),
                      WindowOrg.y())};
    }
    // The same mapping without rounding, for work that must not lose a fraction of a pixel on
    // each step (zooming about the pointer notch after notch).
    QPointF ToDeviceExact(QPointF logical) const {
        return {Exact(logical.x(), WindowOrg.x(), ViewportExt.width(), WindowExt.width(),
                      ViewportOrg.x()),
                Exact(logical.y(), WindowOrg.y(), ViewportExt.height(), WindowExt.height(),
                      ViewportOrg.y())};
    }
    QPointF ToLogicalExact(QPointF device) const {
        return {Exact(device.x(), ViewportOrg.x(), WindowExt.width(), ViewportExt.width(),
                      WindowOrg.x()),
                Exact(device.y(), ViewportOrg.y(), WindowExt.height(), ViewportExt.height(),
                      WindowOrg.y())};
    }
    // Pixels per logical unit along x, always positive.
    double ScaleX() const { return std::abs(double(ViewportExt.width()) / WindowExt.width()); }
    bool FlipsY() const { return (ViewportExt.height() < 0) != (WindowExt.height() < 0); }
    bool operator==(const Mapping&) const = default;

private:
    // Rounds halves up, as the device mapping of the original drawing system did; exact integer
    // arithmetic keeps huge boards at high zoom free of floating-point drift.
    // The result is clamped into the 32-bit range: a point far off the board maps to the edge of
    // the device range, never to the other side of it.
    static int Apply(int value, int fromOrg, int toExt, int fromExt, int toOrg) {
        if (fromExt == 0)
            return toOrg;
        const long long numerator = ((long long)value - fromOrg) * toExt;
        long long q = FloorDiv(2 * numerator + fromExt, 2LL * fromExt);
        return ClampToInt(q + toOrg);
    }
    static double Exact(double value, int fromOrg, int toExt, int fromExt, int toOrg) {
        if (fromExt == 0)
            return toOrg;
        return (value - fromOrg) * toExt / fromExt + toOrg;
    }
    static long long FloorDiv(long long a, long long b) {
        if (b < 0) {
            a = -a;
            b = -b;
        }
        long long q = a / b;
        if ((a % b) != 0 && a < 0)
            --q;
        return q;
    }
};

} // namespace karvel
