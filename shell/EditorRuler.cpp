#include "shell/EditorRuler.h"

#include <cmath>
#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>
#include <QtGui/QPainterPath>
#include <QtGui/QTextBlockFormat>

namespace karvel {

namespace {

constexpr double PixelsPerPoint = 4.0 / 3.0;

int Points(double pixels) {
    return int(std::lround(pixels / PixelsPerPoint));
}
double Pixels(int points) {
    return points * PixelsPerPoint;
}
int TruncPixels(int points) {
    return int(Pixels(points)); // truncated as the ruler has always placed them
}
int TruncPoints(int pixels) {
    return int(pixels / PixelsPerPoint);
}

} // namespace

RulerIndents IndentsOf(const QTextBlockFormat& format) {
    return {Points(format.leftMargin() + format.textIndent()), Points(-format.textIndent()),
            Points(format.rightMargin())};
}

void ApplyIndents(const RulerIndents& indents, QTextBlockFormat& format) {
    format.setLeftMargin(Pixels(indents.First + indents.Left));
    format.setTextIndent(-Pixels(indents.Left));
    format.setRightMargin(Pixels(indents.Right));
}

int FirstMarkerLeft(const RulerIndents& indents) {
    return TruncPixels(indents.First) + 2;
}
int LeftMarkerLeft(const RulerIndents& indents) {
    return TruncPixels(indents.Left + indents.First) + 2;
}
int RightMarkerLeft(const RulerIndents& indents, int width) {
    return width - TruncPixels(indents.Right + 6) - 6;
}
int FirstIndentAt(int markerLeft, int offset) {
    return TruncPoints(markerLeft + offset - 6);
}
int LeftIndentAt(int markerLeft, int offset, int firstIndent) {
    return TruncPoints(markerLeft + offset - 6) - firstIndent;
}
int RightIndentAt(int markerLeft, int offset, int width) {
    return TruncPoints(width + offset - markerLeft - 2) - 12;
}

EditorRuler::EditorRuler(QWidget* parent) : QWidget(parent) {
    setFixedHeight(Height);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QSize EditorRuler::sizeHint() const {
    return {400, Height};
}

void EditorRuler::SetIndents(const RulerIndents& indents) {
    if (dragged_)
        return;
    indents_ = indents;
    PlaceMarkers();
}

void EditorRuler::SetTextArea(int left, int width) {
    areaLeft_ = left;
    areaWidth_ = width;
    if (!dragged_)
        PlaceMarkers();
}

void EditorRuler::PlaceMarkers() {
    firstLeft_ = FirstMarkerLeft(indents_);
    leftLeft_ = LeftMarkerLeft(indents_);
    rightLeft_ = RightMarkerLeft(indents_, areaWidth_);
    update();
}

int& EditorRuler::LeftOf(Marker marker) {
    switch (marker) {
    case Marker::First:
        return firstLeft_;
    case Marker::Left:
        return leftLeft_;
    case Marker::Right:
        break;
    }
    return rightLeft_;
}

int EditorRuler::MarkerLeft(Marker marker) const {
    return const_cast<EditorRuler*>(this)->LeftOf(marker);
}

QRect EditorRuler::MarkerRect(Marker marker) const {
    const int top = marker == Marker::First ? 0 : Height - 10;
    return {areaLeft_ + MarkerLeft(marker), top, MarkerWidth, 10};
}

void EditorRuler::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    // The right marker lies over the left one only on a very narrow ruler; the paragraph's
    // own markers are found first.
    for (const Marker marker : {Marker::First, Marker::Left, Marker::Right}) {
        if (MarkerRect(marker).adjusted(-1, -1, 1, 1).contains(event->position().toPoint())) {
            dragged_ = marker;
            offset_ = MarkerWidth / 2;
            MoveDragged(event->position().toPoint().x());
            return;
        }
    }
}

void EditorRuler::mouseMoveEvent(QMouseEvent* event) {
    if (dragged_ && (event->buttons() & Qt::LeftButton))
        MoveDragged(event->position().toPoint().x());
}

void EditorRuler::MoveDragged(int x) {
    const int left = std::clamp(x - areaLeft_ - offset_, 0, std::max(0, areaWidth_ - MarkerWidth));
    LeftOf(*dragged_) = left;
    update();
}

RulerIndents EditorRuler::ReleasedIndents(Marker marker) const {
    RulerIndents indents = indents_;
    switch (marker) {
    case Marker::First:
        indents.First = std::max(0, FirstIndentAt(firstLeft_, offset_));
        indents.Left = LeftIndentAt(leftLeft_, offset_, indents.First);
        break;
    case Marker::Left:
        indents.Left = LeftIndentAt(leftLeft_, offset_, indents.First);
        break;
    case Marker::Right:
        indents.Right = std::max(0, RightIndentAt(rightLeft_, offset_, areaWidth_));
        break;
    }
    // The further lines never start left of the text's edge.
    indents.Left = std::max(indents.Left, -indents.First);
    return indents;
}

void EditorRuler::mouseReleaseEvent(QMouseEvent* event) {
    if (!dragged_ || event->button() != Qt::LeftButton)
        return;
    const RulerIndents chosen = ReleasedIndents(*dragged_);
    dragged_.reset();
    indents_ = chosen;
    PlaceMarkers();
    if (OnIndentsChosen)
        OnIndentsChosen(chosen);
}

void EditorRuler::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    const QColor ink = palette().color(QPalette::WindowText);
    painter.setPen(QPen(ink, 2));
    const int lineY = 12;
    painter.drawLine(areaLeft_ + TextMargin, lineY, areaLeft_ + areaWidth_ - TextMargin, lineY);
    painter.setPen(QPen(ink, 1));
    for (int x = TextMargin + TabDistance; x < areaWidth_ - TextMargin; x += TabDistance)
        painter.drawLine(areaLeft_ + x, lineY + 2, areaLeft_ + x, lineY + 6);

    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(ink, 1));
    painter.setBrush(palette().color(QPalette::Mid));
    for (const Marker marker : {Marker::First, Marker::Left, Marker::Right}) {
        const QRectF r = QRectF(MarkerRect(marker)).adjusted(0.5, 0.5, -0.5, -0.5);
        QPainterPath triangle;
        if (marker == Marker::First) {
            triangle.moveTo(r.topLeft());
            triangle.lineTo(r.topRight());
            triangle.lineTo(r.center().x(), r.bottom());
        } else {
            triangle.moveTo(r.bottomLeft());
            triangle.lineTo(r.bottomRight());
            triangle.lineTo(r.center().x(), r.top());
        }
        triangle.closeSubpath();
        painter.drawPath(triangle);
    }
}

} // namespace karvel
