#include "shell/LibraryView.h"

#include "board/Bibo.h"
#include "platform/Canvas.h"

#include <QtGui/QHelpEvent>
#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>
#include <QtGui/QPaintEvent>
#include <QtWidgets/QToolTip>

namespace karvel {

LibraryView::LibraryView(TBibo& page, QWidget* parent) : QWidget(parent), page_(page) {
    setObjectName(QStringLiteral("Bibo"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

bool LibraryView::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const QString description = page_.DescriptionAt(help->pos());
    if (description.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), description, this);
    return true;
}

void LibraryView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    Canvas canvas(painter);
    canvas.SelectClipRegion(Region(event->region()));
    page_.Paint(canvas);
}

void LibraryView::mousePressEvent(QMouseEvent* event) {
    if (OnPress)
        OnPress(event->position().toPoint(), event->button(), event->globalPosition().toPoint());
}

void LibraryView::mouseMoveEvent(QMouseEvent* event) {
    // While a button is held the view keeps the mouse wherever it goes, also after a click
    // has sent the pointer over to the board: only a move over the view itself counts.
    const QPoint at = event->position().toPoint();
    if (OnHover && event->buttons() == Qt::NoButton && rect().contains(at))
        OnHover(at);
    QWidget::mouseMoveEvent(event);
}

} // namespace karvel
