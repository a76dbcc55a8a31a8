#include "shell/Ruler.h"

#include <QtGui/QPainter>
#include <QtGui/QPaintEvent>

namespace karvel {

namespace {

const QColor TickGrey(192, 192, 192);
const QColor MarkerRed(220, 0, 0);
const QColor EdgeGrey(160, 160, 150);

} // namespace

Ruler::Ruler(Qt::Orientation orientation, QWidget* parent)
    : QWidget(parent), orientation_(orientation) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    font_ = QFont(QStringLiteral("Arial"));
    font_.setPixelSize(10);
    if (orientation_ == Qt::Horizontal)
        setFixedHeight(Thickness);
    else
        setFixedWidth(Thickness);
}

QSize Ruler::sizeHint() const {
    return {Thickness, Thickness};
}

int Ruler::LabelExtent() const {
    const QFontMetrics metrics(font_);
    return orientation_ == Qt::Horizontal ? metrics.horizontalAdvance(QStringLiteral("XX"))
                                          : metrics.height();
}

void Ruler::SetMarks(std::vector<RulerMark> marks) {
    marks_ = std::move(marks);
    RebuildPicture();
    update();
}

QRect Ruler::MarkerRect(int position) const {
    // A thin bar, 2 pixels across the ruler's direction of travel.
    if (orientation_ == Qt::Horizontal)
        return {position - 1, 0, 2, height()};
    return {0, position - 1, width(), 2};
}

void Ruler::SetMarker(std::optional<int> position) {
    if (position == marker_)
        return;
    if (marker_)
        update(MarkerRect(*marker_));
    marker_ = position;
    if (marker_)
        update(MarkerRect(*marker_));
}

void Ruler::resizeEvent(QResizeEvent* event) {
    RebuildPicture();
    QWidget::resizeEvent(event);
}

void Ruler::RebuildPicture() {
    const qreal ratio = devicePixelRatioF();
    picture_ = QPixmap((QSizeF(size()) * ratio).toSize());
    picture_.setDevicePixelRatio(ratio);
    picture_.fill(QColor::fromRgba(Background));
    QPainter painter(&picture_);
    painter.setFont(font_);
    painter.setPen(EdgeGrey);
    if (orientation_ == Qt::Horizontal)
        painter.drawLine(0, height() - 1, width(), height() - 1);
    else
        painter.drawLine(width() - 1, 0, width() - 1, height());
    for (const RulerMark& mark : marks_)
        DrawMark(painter, mark);
}

void Ruler::DrawMark(QPainter& painter, const RulerMark& mark) const {
    const QString label = QString::number(mark.Number);
    const QFontMetrics metrics(font_);
    const int p = mark.Position;
    if (orientation_ == Qt::Horizontal) {
        const int bottom = height() - 1;
        if (mark.Major) {
            painter.setPen(Qt::black);
            painter.drawLine(p, 0, p, bottom);
        } else if (mark.Tick) {
            painter.setPen(TickGrey);
            painter.drawLine(p, bottom - 2 - 6, p, bottom - 2);
        }
        if (mark.Label) {
            painter.setPen(Qt::black);
            painter.drawText(p + 3, bottom - 1 - metrics.descent(), label);
        }
        return;
    }
    const int right = width() - 1;
    if (mark.Major) {
        painter.setPen(Qt::black);
        painter.drawLine(0, p, right, p);
    } else if (mark.Tick) {
        painter.setPen(TickGrey);
        painter.drawLine(right - 2 - 6, p, right - 2, p);
    }
    if (mark.Label) {
        painter.setPen(Qt::black);
        const int x = right - 3 - metrics.horizontalAdvance(label);
        painter.drawText(x, p + 1 + metrics.ascent(), label);
    }
}

void Ruler::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    for (const QRect& r : event->region())
        painter.drawPixmap(r, picture_,
                           QRectF(QPointF(r.topLeft()) * picture_.devicePixelRatio(),
                                  QSizeF(r.size()) * picture_.devicePixelRatio()));
    if (marker_)
        painter.fillRect(MarkerRect(*marker_), MarkerRed);
}

} // namespace karvel
