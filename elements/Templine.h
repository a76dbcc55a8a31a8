#pragma once
// TTempline: the rubber-band line the board shows while a wire, lead, line or polygon is being
// drawn. Not an element: it inverts the picture along a line and erases itself by inverting it
// again, so it draws on whatever canvas holds the board's picture at the time.

#include "platform/Canvas.h"

#include <QtCore/QPoint>

namespace karvel {

class TTempline {
public:
    QPoint StartPoint() const { return start_; }
    QPoint EndPoint() const { return end_; }
    int LineWidth() const { return lineWidth_; }
    bool Shown() const { return shown_; }

    // Each setter leaves the picture alone when nothing changes; while the line shows it is
    // erased and drawn again at its new place, while hidden only the value changes.
    void SetStartPoint(QPoint p, Canvas& canvas);
    void SetEndPoint(QPoint p, Canvas& canvas);
    void SetLineWidth(int width, Canvas& canvas);

    // Draws the line from the start to the end point, erasing an earlier one first.
    void Show(Canvas& canvas);
    // Erases the line where it was last drawn.
    void Hide(Canvas& canvas);

private:
    void DrawInverted(Canvas& canvas, QPoint from, QPoint to, int width) const;
    template <typename T> void Change(T& field, T value, Canvas& canvas);

    QPoint start_{0, 0};
    QPoint end_{0, 0};
    int lineWidth_ = 2;
    bool shown_ = false;
    QPoint drawnStart_{0, 0};
    QPoint drawnEnd_{0, 0};
    int drawnWidth_ = 2;
};

} // namespace karvel
