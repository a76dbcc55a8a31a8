#include "shell/ColourGrid.h"

#include "shell/Palette.h"

#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>

namespace karvel {

namespace {

constexpr int Cell = 13;
constexpr int Gap = 1;

} // namespace

ColourGrid::ColourGrid(QWidget* parent)
    : QWidget(parent), foreground_(StartForegroundIndex), background_(StartBackgroundIndex) {
    setFixedSize(sizeHint());
    setCursor(Qt::PointingHandCursor);
}

QSize ColourGrid::sizeHint() const {
    return {Columns * (Cell + Gap) + Gap, Rows * (Cell + Gap) + Gap};
}

QRect ColourGrid::CellRect(int index) const {
    const int column = index % Columns;
    const int row = index / Columns;
    return {Gap + column * (Cell + Gap), Gap + row * (Cell + Gap), Cell, Cell};
}

int ColourGrid::IndexAt(QPoint pixel) const {
    for (int i = 0; i < PaletteSize; ++i)
        if (CellRect(i).contains(pixel))
            return i;
    return -1;
}

void ColourGrid::SetForeground(int index) {
    if (index < 0 || index >= PaletteSize)
        return;
    foreground_ = index;
    update();
}

void ColourGrid::SetBackground(int index) {
    if (index < 0 || index >= PaletteSize)
        return;
    background_ = index;
    update();
}

void ColourGrid::mousePressEvent(QMouseEvent* event) {
    const int index = IndexAt(event->position().toPoint());
    if (index < 0)
        return;
    if (event->button() == Qt::LeftButton) {
        SetForeground(index);
        if (OnForeground)
            OnForeground(index);
    } else if (event->button() == Qt::RightButton) {
        SetBackground(index);
        if (OnBackground)
            OnBackground(index);
    }
}

void ColourGrid::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    for (int i = 0; i < PaletteSize; ++i) {
        const QRect r = CellRect(i);
        painter.fillRect(r, ToQColor(PaletteColour(i)));
        painter.setPen(QColor(120, 120, 120));
        painter.drawRect(r.adjusted(0, 0, -1, -1));
    }
    // "F" marks the foreground cell at its top left, "B" the background cell at its bottom
    // right, drawn as small triangles in the contrasting colour.
    auto mark = [&](int index, bool topLeft) {
        const QRect r = CellRect(index);
        const QColor c = ToQColor(PaletteColour(index));
        painter.setBrush(c.lightness() > 128 ? Qt::black : Qt::white);
        painter.setPen(Qt::NoPen);
        const QPolygon triangle =
            topLeft
                ? QPolygon({r.topLeft(), r.topLeft() + QPoint(6, 0), r.topLeft() + QPoint(0, 6)})
                : QPolygon({r.bottomRight() + QPoint(1, 1), r.bottomRight() + QPoint(-5, 1),
                            r.bottomRight() + QPoint(1, -5)});
        painter.drawPolygon(triangle);
    };
    mark(foreground_, true);
    mark(background_, false);
}

} // namespace karvel
