#include "shell/ScrollBoxEx.h"

#include "shell/BoardControl.h"

#include <QtCore/QCoreApplication>
#include <QtWidgets/QScrollBar>

namespace karvel {

TScrollBoxEx::TScrollBoxEx(QWidget* parent) : QScrollArea(parent) {
    setWidgetResizable(false);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setBackgroundRole(QPalette::Dark);
    connect(horizontalScrollBar(), &QScrollBar::actionTriggered, this, [this](int action) {
        if (OnScroll)
            OnScroll(action, true);
    });
    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this, [this](int action) {
        if (OnScroll)
            OnScroll(action, false);
    });
}

QPoint TScrollBoxEx::ScrollPosition() const {
    return {horizontalScrollBar()->value(), verticalScrollBar()->value()};
}

void TScrollBoxEx::SetScrollPosition(QPoint position) {
    horizontalScrollBar()->setValue(position.x());
    verticalScrollBar()->setValue(position.y());
}

QSize TScrollBoxEx::ClientSize() const {
    return viewport()->size();
}

void TScrollBoxEx::SetControlSize(QSize size) {
    if (!widget())
        return;
    widget()->resize(size);
    // The scroll area shows or hides its bars through a queued call; the board asks for its
    // client size right after a zoom, which must already be the room the bars leave.
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}

void TScrollBoxEx::InvalidateRect(const Rect& device, bool) {
    if (auto* control = qobject_cast<BoardControl*>(widget()))
        control->InvalidateBoard(device.ToQRect());
    else if (widget())
        widget()->update(device.ToQRect());
}

void TScrollBoxEx::Repaint() {
    if (auto* control = qobject_cast<BoardControl*>(widget()))
        control->InvalidateAll();
    else if (widget())
        widget()->update();
}

} // namespace karvel
