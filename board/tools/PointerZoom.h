#pragma once
// Zooming about the pointer (the wheel, a pinch): the board point under the pointer stays
// under it. While the pointer rests and nothing else moved the view, the point found at the
// first step is kept exactly, so that rounding the scroll position to whole pixels at every
// step does not add up to a slide.

#include <optional>
#include <QtCore/QPoint>
#include <QtCore/QPointF>

namespace karvel {

class TPlatine;

class PointerZoom {
public:
    explicit PointerZoom(TPlatine& board) : board_(board) {}

    // Zooms by a factor about a pixel of the board's control.
    void ZoomBy(QPoint control, double factor);

private:
    struct Anchor {
        QPoint HostPixel;
        QPointF BoardPoint;
        QPoint Scroll;
        double Zoom = 0;
    };

    TPlatine& board_;
    std::optional<Anchor> anchor_;
};

} // namespace karvel
