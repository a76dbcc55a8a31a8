#include "shell/BoardControl.h"

#include "board/Platine.h"
#include "platform/Canvas.h"

#include <QtGui/QPainter>
#include <QtGui/QPaintEvent>
#include <QtGui/QWheelEvent>

namespace karvel {

BoardControl::BoardControl(TPlatine& board, QWidget* parent) : QWidget(parent), board_(board) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
}

void BoardControl::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), ToQColor(board_.Color()));
    Canvas canvas(painter);
    canvas.SelectClipRegion(Region(event->region()));
    board_.Paint(canvas);
}

void BoardControl::wheelEvent(QWheelEvent* event) {
    const int steps = event->angleDelta().y();
    if (steps == 0) {
        event->ignore();
        return;
    }
    board_.ZoomAbout(event->position().toPoint(), steps > 0);
    event->accept();
}

void BoardControl::mouseMoveEvent(QMouseEvent* event) {
    board_.Fire(board_.OnMyMouseMove);
    QWidget::mouseMoveEvent(event);
}

} // namespace karvel
