#include "shell/PrintPreviewBox.h"

#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>

namespace karvel {

PrintPreviewBox::PrintPreviewBox(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("PaintBox1"));
    // Every paint draws the whole page; nothing underneath needs drawing first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PrintPreviewBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (OnPaint)
        OnPaint(painter);
}

void PrintPreviewBox::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && OnPress)
        OnPress(event->position().toPoint());
}

void PrintPreviewBox::mouseMoveEvent(QMouseEvent* event) {
    if ((event->buttons() & Qt::LeftButton) && OnDrag)
        OnDrag(event->position().toPoint());
}

void PrintPreviewBox::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && OnRelease)
        OnRelease();
}

} // namespace karvel
